// check_record.cpp: recording a case on the screen and proving it by a replay without one.
//
// Depends on check_run (the two runs), check_compare (replay against screen) and check_cases
// (the file names of a case). Works in two folders of its own inside the case folder, removed
// at the end when nothing else was put there; nothing is written outside the case folder.
#include "check_record.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "check_cases.h"
#include "check_compare.h"
#include "check_report.h"
#include "check_run.h"

namespace vorbl_check {

namespace {

const char *const RUN_FILES[] = {"VORBL.SCR",   "actual.png",  "actual.txt", "difference.png",
                                 "program.out", "program.err", "run.report"};

int say(int status, const std::string &line) {
    std::fprintf(status == CHECK_PASSED ? stdout : stderr, "vorbl-check: %s\n", line.c_str());
    return status;
}

bool fresh_folder(const fs::path &folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    for (const char *name : RUN_FILES) fs::remove(folder / name, error);
    return !error && fs::is_directory(folder, error);
}

// Removes what the runs left, and the folder itself if that empties it.
void tidy(const fs::path &folder) {
    std::error_code error;
    for (const char *name : RUN_FILES) fs::remove(folder / name, error);
    fs::remove(folder, error);  // only an empty folder goes
}

// Why a run cannot make a case, or "".
std::string run_problem(const RunResult &run) {
    switch (run.end) {
        case RunEnd::exited:
        case RunEnd::limit: return "";
        case RunEnd::crashed:
            return "the program crashed (signal " + std::to_string(run.signal) + ")";
        case RunEnd::never_started: return "the program never started its windows";
        case RunEnd::not_on_package: return "the program is not built on the VORBL package";
        case RunEnd::kept_waiting: return "the program went on waiting after its EVENT_QUIT";
        case RunEnd::timed_out: return "the program did not end in time";
        case RunEnd::not_run: return "the program could not be started: " + run.detail;
    }
    return "";
}

int status_of(const RunResult &run) {
    switch (run.end) {
        case RunEnd::crashed: return CHECK_CRASHED;
        case RunEnd::never_started: return CHECK_NEVER_STARTED;
        case RunEnd::kept_waiting:
        case RunEnd::timed_out: return CHECK_DID_NOT_END;
        default: return CHECK_NOT_ON_PACKAGE;
    }
}

bool move_file(const fs::path &from, const fs::path &to) {
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

}  // namespace

int record_case(const fs::path &program, const fs::path &case_folder, bool force) {
    std::error_code error;
    if (fs::exists(case_folder / SCRIPT_NAME, error) && !force) {
        return say(CHECK_USAGE,
                   case_folder.string() + " already holds a case; --force replaces it");
    }
    const fs::path screen = case_folder / ".recording";
    const fs::path replay = case_folder / ".replay";
    // The work folders go whatever the outcome; the case's own files stay.
    struct Tidy {
        fs::path first, second;
        ~Tidy() {
            tidy(first);
            tidy(second);
        }
    } tidy_at_end{screen, replay};
    if (!fresh_folder(screen) || !fresh_folder(replay)) {
        return say(CHECK_UNWRITABLE, "cannot write in " + case_folder.string());
    }
    std::printf("vorbl-check: recording from the first wait; end the program (Ctrl+Q) when done\n");
    std::fflush(stdout);
    const RunResult played = run_program({program, screen, false, 0, 0, 0});
    if (!run_problem(played).empty()) return say(status_of(played), run_problem(played));
    if (!fs::exists(screen / SCRIPT_NAME, error)) std::ofstream(screen / SCRIPT_NAME).close();
    fs::copy_file(screen / SCRIPT_NAME, replay / SCRIPT_NAME, fs::copy_options::overwrite_existing,
                  error);
    const RunResult replayed = run_program({program, replay, true, 0, 0, 20});
    if (!run_problem(replayed).empty())
        return say(status_of(replayed), "replay: " + run_problem(replayed));

    const Comparison picture =
        compare_pictures(replayed.picture, played.picture, {}, case_folder / "difference.png");
    const bool same_messages = messages_start_with(replayed.messages, played.messages);
    if (!move_file(screen / SCRIPT_NAME, case_folder / SCRIPT_NAME) ||
        !move_file(screen / "actual.png", case_folder / EXPECTED_PICTURE) ||
        !move_file(replay / "actual.txt", case_folder / EXPECTED_MESSAGES)) {
        return say(CHECK_UNWRITABLE, "cannot keep the case in " + case_folder.string());
    }
    if (!picture.same || !same_messages) {
        return say(CHECK_DIFFERS, "kept the case, but its replay without a screen differs (" +
                                      (picture.same ? std::string("messages") : picture.detail) +
                                      "): the program does not run the same way twice (time or "
                                      "chance?), so the case cannot pass");
    }
    return say(CHECK_PASSED, "recorded " + std::to_string(played.events) + " events into " +
                                 case_folder.string() + "; the replay matches");
}

}  // namespace vorbl_check
