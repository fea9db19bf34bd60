// check_run.h: one run of a program on the package, directed through the environment, in a
// child process of its own.
//
// The child works in a folder of its own (the script is copied there as VORBL.SCR, where the
// package's playback reads it) and writes its picture, messages, run report, standard output and
// standard error into that folder; so a crash or a hang of one program never touches the others
// and nothing lands outside the folder. Depends on POSIX fork, exec, waitpid and kill.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vorbl_check {

namespace fs = std::filesystem;

struct RunRequest {
    fs::path program;          // absolute
    fs::path folder;           // the run's own folder, created empty by the caller
    bool headless = true;      // false: on the screen, recording (vorbl-check --record)
    long max_events = 0;       // 0: none
    long max_ms = 0;           // 0: the package's default for headless runs
    int timeout_seconds = 20;  // wall-clock; 0 for none (a recording the user ends)
};

enum class RunEnd {
    exited,          // the program ended by itself; status holds its exit status
    limit,           // a limit ended the run (status 124)
    kept_waiting,    // it went on waiting after its EVENT_QUIT and was ended (status 125)
    crashed,         // a signal ended it; signal holds which
    timed_out,       // it did not end in time and was killed
    never_started,   // it ran but never started the package's windows
    not_on_package,  // it knows nothing of the package
    not_run,         // it could not be started at all; detail says why
};

struct RunResult {
    RunEnd end = RunEnd::not_run;
    int status = 0;
    int signal = 0;
    long events = 0;
    std::string detail;
    fs::path picture;   // the final canvas, if written
    fs::path messages;  // every message, if written
};

// Runs the program as asked and tells how it ended.
RunResult run_program(const RunRequest &request);

// Whether the file at `program` holds the package (its start-up's name or its settings' names).
bool built_on_package(const fs::path &program);

}  // namespace vorbl_check
