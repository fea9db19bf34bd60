// check_run.cpp: starting the program in a child process, ending it when it takes too long, and
// reading how its run went.
//
// Depends on POSIX process calls. The child is the leader of a process group of its own, so a
// program that starts helpers is ended whole when it does not end in time. A pipe closed on exec
// tells the parent whether exec itself failed. The run report the package writes (started,
// events, what ended the run) tells a program that never started its windows from one that
// knows nothing of the package.
#include "check_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace vorbl_check {

namespace {

constexpr int LIMIT_STATUS = 124;
constexpr int KEPT_WAITING_STATUS = 125;

const char *const RUN_SETTINGS[] = {
    "VORBL_HEADLESS",         "VORBL_PLAY_SCRIPT", "VORBL_RECORD_SCRIPT",
    "VORBL_MAX_EVENTS",       "VORBL_MAX_MS",      "VORBL_CANVAS_PNG",
    "VORBL_CANVAS_PNG_AFTER", "VORBL_MESSAGES",    "VORBL_RUN_REPORT"};

struct Report {
    bool found = false;
    bool started = false;
    long events = 0;
};

Report read_report(const fs::path &path) {
    Report report;
    std::ifstream in(path);
    if (!in) return report;
    report.found = true;
    for (std::string key, value; in >> key >> value;) {
        if (key == "started") report.started = value == "yes";
        if (key == "events") report.events = std::strtol(value.c_str(), nullptr, 10);
    }
    return report;
}

std::string first_line_of(const fs::path &path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

void put(const char *name, const std::string &value) { setenv(name, value.c_str(), 1); }

void send_output_to(const char *name, int target) {
    const int file = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file >= 0) {
        dup2(file, target);
        close(file);
    }
}

// In the child: the environment of the run, then the program. Never returns.
[[noreturn]] void become_program(const RunRequest &request, int exec_report) {
    // Headless, a group of its own, ended whole on a timeout. On the screen it stays in the
    // terminal's group, so that Ctrl+C there reaches it as well as vorbl-check.
    if (request.headless) setpgid(0, 0);
    // Only the settings of this run: none left over from the user's shell.
    for (const char *name : RUN_SETTINGS) unsetenv(name);
    if (chdir(request.folder.c_str()) != 0) {
        const int error = errno;
        (void)!write(exec_report, &error, sizeof error);
        _exit(127);
    }
    if (request.headless) {
        send_output_to("program.out", STDOUT_FILENO);
        send_output_to("program.err", STDERR_FILENO);
        unsetenv("DISPLAY");  // a program that is not on the package opens no window either
        unsetenv("WAYLAND_DISPLAY");
        put("VORBL_HEADLESS", "1");
        put("VORBL_PLAY_SCRIPT", "1");
        if (request.max_ms > 0) put("VORBL_MAX_MS", std::to_string(request.max_ms));
    } else {
        put("VORBL_RECORD_SCRIPT", "1");
    }
    if (request.max_events > 0) put("VORBL_MAX_EVENTS", std::to_string(request.max_events));
    put("VORBL_CANVAS_PNG", "actual.png");
    put("VORBL_MESSAGES", "actual.txt");
    put("VORBL_RUN_REPORT", "run.report");
    const std::string program = request.program.string();
    char *const arguments[] = {const_cast<char *>(program.c_str()), nullptr};
    execv(program.c_str(), arguments);
    const int error = errno;
    (void)!write(exec_report, &error, sizeof error);
    _exit(127);
}

// Waits for the child, killing its group when the time is up. Returns waitpid's status.
int wait_for(pid_t child, int timeout_seconds, bool *timed_out) {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::seconds(timeout_seconds);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, timeout_seconds > 0 ? WNOHANG : 0);
        if (done == child) return status;
        if (done < 0 && errno != EINTR) return status;
        if (timeout_seconds > 0 && clock::now() >= deadline) {
            *timed_out = true;
            kill(-child, SIGKILL);  // its own group: helpers it started go too
            kill(child, SIGKILL);
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void classify_exit(const RunRequest &request, const Report &report, int status, RunResult *result) {
    result->status = status;
    if (!report.found) {
        result->end =
            built_on_package(request.program) ? RunEnd::never_started : RunEnd::not_on_package;
        return;
    }
    if (!report.started) {
        result->end = RunEnd::never_started;
        result->detail = first_line_of(request.folder / "program.err");
        return;
    }
    if (status == LIMIT_STATUS) {
        result->end = RunEnd::limit;
    } else if (status == KEPT_WAITING_STATUS) {
        result->end = RunEnd::kept_waiting;
    } else {
        result->end = RunEnd::exited;
    }
}

}  // namespace

bool built_on_package(const fs::path &program) {
    std::ifstream in(program, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string content = bytes.str();
    return content.find("VORBL_startup") != std::string::npos ||
           content.find("VORBL_HEADLESS") != std::string::npos;
}

RunResult run_program(const RunRequest &request) {
    RunResult result;
    int exec_pipe[2];
    if (pipe2(exec_pipe, O_CLOEXEC) != 0) {
        result.detail = std::string("cannot start it: ") + std::strerror(errno);
        return result;
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        result.detail = std::string("cannot start it: ") + std::strerror(errno);
        close(exec_pipe[0]);
        close(exec_pipe[1]);
        return result;
    }
    if (child == 0) become_program(request, exec_pipe[1]);
    close(exec_pipe[1]);
    int exec_error = 0;
    const bool exec_failed =
        read(exec_pipe[0], &exec_error, sizeof exec_error) == sizeof exec_error;
    close(exec_pipe[0]);
    bool timed_out = false;
    const int status = wait_for(child, request.timeout_seconds, &timed_out);
    if (exec_failed) {
        result.detail = std::string("cannot start it: ") + std::strerror(exec_error);
        return result;
    }
    const Report report = read_report(request.folder / "run.report");
    result.events = report.events;
    if (fs::exists(request.folder / "actual.png")) result.picture = request.folder / "actual.png";
    if (fs::exists(request.folder / "actual.txt")) result.messages = request.folder / "actual.txt";
    if (timed_out) {
        result.end = RunEnd::timed_out;
    } else if (WIFSIGNALED(status)) {
        result.end = RunEnd::crashed;
        result.signal = WTERMSIG(status);
    } else {
        classify_exit(request, report, WEXITSTATUS(status), &result);
    }
    return result;
}

}  // namespace vorbl_check
