// vorbl_check.cpp: vorbl-check, which runs programs built on the package against a folder of
// cases without a screen and says which cases pass, or records a new case on the screen.
//
//   vorbl-check [options] --output FOLDER CASES PROGRAM...
//   vorbl-check --record [--force] PROGRAM CASE
//
// Each case's script is played from the program's first wait on the headless host, with virtual
// time; the program's final picture and messages are compared with the case's expected ones.
// One line per case, a summary, and the exit status of check_report.h. Everything a check writes
// goes into the output folder (one folder per case, one per program when there are several);
// a recording writes only into the case folder it names.
//
// Depends on check_cases, check_run, check_compare, check_report and check_record.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "check_cases.h"
#include "check_compare.h"
#include "check_record.h"
#include "check_report.h"
#include "check_run.h"

using namespace vorbl_check;

namespace {

constexpr char USAGE[] =
    "usage: vorbl-check [options] --output FOLDER CASES PROGRAM...\n"
    "       vorbl-check --record [--force] PROGRAM CASE\n"
    "\n"
    "Runs each PROGRAM (built on the VORBL package, unchanged) without a screen against the\n"
    "cases in CASES: a case is a folder with the script VORBL.SCR and expected.png and/or\n"
    "expected.txt (the final picture, every message). Prints one line per case and a summary.\n"
    "\n"
    "  -o, --output FOLDER   where the actual pictures, differences and messages go (required)\n"
    "  --tolerance PIXELS    pixels that may differ from expected.png (default 0: exact)\n"
    "  --channel-tolerance N a pixel differs only when a colour channel is off by more than N\n"
    "                        (default 0; a few levels allow for another FreeType's text)\n"
    "  --max-events N        end each run once N events have reached the program\n"
    "  --max-ms MS           end each run at MS ms of virtual time (default 600000)\n"
    "  --timeout SECONDS     end a program that runs longer than this (default 20)\n"
    "  --junit FILE          also write a JUnit XML report (relative: inside the output folder)\n"
    "  --record              start PROGRAM on the screen, record the script as you play (Ctrl+R\n"
    "                        is on from the first wait) and keep the final picture and messages\n"
    "                        as the expected ones of CASE\n"
    "  --force               with --record: replace a case that is already there\n"
    "\n"
    "Exit status: 0 every case passed; 1 a result differs; 2 usage; 3 a case lacks its script\n"
    "or expected results; 4 a script is not a script; 5 the output cannot be written; 6 the\n"
    "program crashed; 7 it never started its windows; 8 it is not built on the package; 9 it did\n"
    "not end in time. With several problems, the largest number.\n";

// Files a run leaves in its folder; removed before a new run so that none is stale.
const char *const RUN_FILES[] = {"VORBL.SCR",   "actual.png",  "actual.txt", "difference.png",
                                 "program.out", "program.err", "run.report"};

struct Options {
    fs::path output;
    fs::path cases;
    std::vector<std::string> programs;
    PictureTolerance tolerance;
    long max_events = 0;
    long max_ms = 0;
    int timeout = 20;
    std::string junit;
    bool record = false;
    bool force = false;
};

[[noreturn]] void usage_error(const std::string &why) {
    std::fprintf(stderr, "vorbl-check: %s\n(vorbl-check --help shows the usage)\n", why.c_str());
    std::exit(CHECK_USAGE);
}

long number_option(const std::string &name, const char *text) {
    char *end = nullptr;
    errno = 0;
    const long value = text != nullptr ? std::strtol(text, &end, 10) : -1;
    if (text == nullptr || *text == '\0' || *end != '\0' || value < 0 || value > 1000000000L ||
        errno != 0) {
        usage_error(name + " needs a whole number from 0 to 1000000000");
    }
    return value;
}

Options parse_options(int argc, char **argv) {
    Options options;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char *next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            std::exit(0);
        } else if (arg == "-o" || arg == "--output") {
            if (next == nullptr) usage_error(arg + " needs a folder");
            options.output = argv[++i];
        } else if (arg == "--tolerance") {
            options.tolerance.pixels = number_option(arg, next), ++i;
        } else if (arg == "--channel-tolerance") {
            options.tolerance.channel = static_cast<int>(std::min(number_option(arg, next), 255L)),
            ++i;
        } else if (arg == "--max-events") {
            options.max_events = number_option(arg, next), ++i;
        } else if (arg == "--max-ms") {
            options.max_ms = number_option(arg, next), ++i;
        } else if (arg == "--timeout") {
            options.timeout = static_cast<int>(std::min(number_option(arg, next), 86400L)), ++i;
        } else if (arg == "--junit") {
            if (next == nullptr) usage_error("--junit needs a file name");
            options.junit = argv[++i];
        } else if (arg == "--record") {
            options.record = true;
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            usage_error("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (options.record) {
        if (positional.size() != 2) usage_error("--record needs PROGRAM and CASE");
        options.programs = {positional[0]};
        options.cases = positional[1];
        return options;
    }
    if (positional.size() < 2) usage_error("needs CASES and at least one PROGRAM");
    if (options.output.empty()) usage_error("needs --output FOLDER for what the runs produce");
    options.cases = positional[0];
    options.programs.assign(positional.begin() + 1, positional.end());
    return options;
}

// The program as an absolute path, or a usage error that says why it cannot be run.
fs::path runnable(const std::string &program) {
    std::error_code error;
    fs::path path = fs::absolute(program, error);
    if (error || !fs::is_regular_file(path, error)) {
        usage_error("no program " + program + " (not a file)");
    }
    if (access(path.c_str(), X_OK) != 0) {
        usage_error("cannot run " + program + ": " + std::strerror(errno));
    }
    return path;
}

// Creates the folder and proves a file can be written in it; exits with its own status if not.
void require_writable(const fs::path &folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path probe = folder / ".vorbl-check-probe";
    std::ofstream out(probe);
    out << "probe\n";
    out.close();
    const bool written = !error && out.good();
    fs::remove(probe, error);
    if (!written) {
        std::fprintf(stderr, "vorbl-check: cannot write in the output folder %s\n",
                     folder.string().c_str());
        std::exit(CHECK_UNWRITABLE);
    }
}

void clear_run_files(const fs::path &folder) {
    std::error_code error;
    for (const char *name : RUN_FILES) fs::remove(folder / name, error);
}

// A folder name for a program among several: its path as given, with '/' as '_'.
std::string program_label(const std::string &program) {
    std::string label = program.rfind("./", 0) == 0 ? program.substr(2) : program;
    std::replace(label.begin(), label.end(), '/', '_');
    return label;
}

std::string signal_text(int signal) {
    const char *name = strsignal(signal);
    return "crashed (signal " + std::to_string(signal) +
           (name != nullptr ? std::string(", ") + name : "") + ")";
}

// How a run that did not simply end is judged; CHECK_PASSED when its results are to be compared.
CheckStatus judge_run(const RunResult &run, int timeout, std::string *detail) {
    switch (run.end) {
        case RunEnd::exited:
            if (run.status == 0) return CHECK_PASSED;
            *detail = "exited with status " + std::to_string(run.status);
            return CHECK_DIFFERS;
        case RunEnd::limit: return CHECK_PASSED;
        case RunEnd::kept_waiting:
            *detail = "went on waiting after its EVENT_QUIT and was ended";
            return CHECK_DID_NOT_END;
        case RunEnd::crashed: *detail = signal_text(run.signal); return CHECK_CRASHED;
        case RunEnd::timed_out:
            *detail = "did not end within " + std::to_string(timeout) + " s and was ended";
            return CHECK_DID_NOT_END;
        case RunEnd::never_started:
            *detail =
                "never started its windows" + (run.detail.empty() ? "" : " (" + run.detail + ")");
            return CHECK_NEVER_STARTED;
        case RunEnd::not_on_package:
            *detail = "is not built on the VORBL package (it never read its settings)";
            return CHECK_NOT_ON_PACKAGE;
        case RunEnd::not_run: *detail = run.detail; return CHECK_NOT_ON_PACKAGE;
    }
    return CHECK_PASSED;
}

void add_detail(std::string *all, const std::string &more) {
    if (!more.empty()) *all += (all->empty() ? "" : "; ") + more;
}

// Compares what the run left with what the case expects.
CheckStatus compare_results(const CaseFolder &one, const RunResult &run, const fs::path &folder,
                            PictureTolerance tolerance, std::string *detail) {
    CheckStatus status = CHECK_PASSED;
    std::error_code error;
    if (fs::exists(one.folder / EXPECTED_PICTURE, error)) {
        const Comparison picture = compare_pictures(run.picture, one.folder / EXPECTED_PICTURE,
                                                    tolerance, folder / "difference.png");
        if (!picture.same) {
            status = CHECK_DIFFERS;
            add_detail(detail, picture.detail);
        }
    }
    if (fs::exists(one.folder / EXPECTED_MESSAGES, error)) {
        const Comparison messages = compare_messages(run.messages, one.folder / EXPECTED_MESSAGES);
        if (!messages.same) {
            status = CHECK_DIFFERS;
            add_detail(detail, messages.detail);
        }
    }
    return status;
}

CaseOutcome check_case(const Options &options, const fs::path &program, const CaseFolder &one,
                       const fs::path &folder) {
    CaseOutcome outcome;
    outcome.name = one.name;
    bool not_a_script = false;
    outcome.detail = case_problem(one, &not_a_script);
    if (!outcome.detail.empty()) {
        outcome.status = not_a_script ? CHECK_NOT_A_SCRIPT : CHECK_BAD_CASE;
        return outcome;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    clear_run_files(folder);
    fs::copy_file(one.folder / SCRIPT_NAME, folder / SCRIPT_NAME, error);
    if (error) {
        outcome.status = CHECK_UNWRITABLE;
        outcome.detail = "cannot write in " + folder.string() + ": " + error.message();
        return outcome;
    }
    const auto start = std::chrono::steady_clock::now();
    const RunResult run =
        run_program({program, folder, true, options.max_events, options.max_ms, options.timeout});
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    outcome.status = judge_run(run, options.timeout, &outcome.detail);
    if (outcome.status == CHECK_PASSED || outcome.status == CHECK_DIFFERS) {
        const CheckStatus compared =
            compare_results(one, run, folder, options.tolerance, &outcome.detail);
        outcome.status = std::max(outcome.status, compared);
    }
    return outcome;
}

void print_outcome(const CaseOutcome &outcome, const std::string &prefix, const fs::path &folder) {
    if (outcome.status == CHECK_PASSED) {
        std::printf("PASS  %s%s\n", prefix.c_str(), outcome.name.c_str());
    } else if (outcome.status == CHECK_DIFFERS) {
        std::printf("FAIL  %s%s: %s (see %s)\n", prefix.c_str(), outcome.name.c_str(),
                    outcome.detail.c_str(), folder.string().c_str());
    } else {
        std::printf("ERROR %s%s: %s\n", prefix.c_str(), outcome.name.c_str(),
                    outcome.detail.c_str());
    }
    std::fflush(stdout);
}

// A run empties its folder of the files it makes, the script among them: an output folder that
// is where the cases are would lose them.
void refuse_output_over_cases(const fs::path &base, const std::vector<CaseFolder> &cases) {
    for (const CaseFolder &one : cases) {
        std::error_code error;
        if (fs::equivalent(base / one.name, one.folder, error)) {
            usage_error("the output folder " + base.string() +
                        " holds the cases themselves; name another one");
        }
    }
}

int check_all(const Options &options) {
    std::vector<fs::path> programs;
    for (const std::string &program : options.programs) programs.push_back(runnable(program));
    std::string error;
    const std::vector<CaseFolder> cases = find_cases(options.cases, options.output, &error);
    if (cases.empty()) usage_error(error);
    const bool several = programs.size() > 1;
    for (const std::string &program : options.programs) {
        refuse_output_over_cases(several ? options.output / program_label(program) : options.output,
                                 cases);
    }
    require_writable(options.output);
    std::vector<CaseOutcome> outcomes;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const std::string label = program_label(options.programs[p]);
        const fs::path base = several ? options.output / label : options.output;
        int passed = 0;
        for (const CaseFolder &one : cases) {
            const fs::path folder = base / one.name;
            CaseOutcome outcome = check_case(options, programs[p], one, folder);
            outcome.program = options.programs[p];
            print_outcome(outcome, several ? label + ": " : "", folder);
            passed += outcome.status == CHECK_PASSED ? 1 : 0;
            outcomes.push_back(outcome);
        }
        if (several)
            std::printf("%s: %d of %zu cases passed\n", label.c_str(), passed, cases.size());
    }
    int status = CHECK_PASSED;
    int passed = 0, failed = 0;
    for (const CaseOutcome &one : outcomes) {
        status = std::max(status, static_cast<int>(one.status));
        passed += one.status == CHECK_PASSED ? 1 : 0;
        failed += one.status == CHECK_DIFFERS ? 1 : 0;
    }
    std::printf("%zu cases: %d passed, %d failed, %zu could not be judged\n", outcomes.size(),
                passed, failed, outcomes.size() - passed - failed);
    if (!options.junit.empty()) {
        const fs::path junit = fs::path(options.junit).is_absolute()
                                   ? fs::path(options.junit)
                                   : options.output / options.junit;
        if (!write_junit(junit.string(), outcomes, &error)) {
            std::fprintf(stderr, "vorbl-check: %s\n", error.c_str());
            status = std::max(status, static_cast<int>(CHECK_UNWRITABLE));
        }
    }
    return status;
}

}  // namespace

int main(int argc, char **argv) {
    const Options options = parse_options(argc, argv);
    if (options.record) {
        return record_case(runnable(options.programs[0]), options.cases, options.force);
    }
    return check_all(options);
}
