// process_per_test_main.cpp: the main of the GoogleTest programs, giving every test a process of
// its own when a program is run by hand, as CTest does with one entry per test.
//
// The platform layer and the package keep module-level state (windows, the chosen host, whether
// the package has started) for the life of a process, so a test only sees a fresh system in a
// fresh process. Run plainly, a program asks a child of itself for the list of selected tests
// (so --gtest_filter and GTEST_FILTER mean what they always mean), then runs each test in a child
// of its own, started as this program again with the user's arguments and --gtest_filter naming
// that test. A child's output is shown only when it fails; a child killed by a signal, or one that
// leaves before GoogleTest has finished the test, fails. The run ends "N passed, N failed".
//
// GoogleTest runs the tests in this process, unchanged, for a child (VORBL_TEST_CHILD is set), a
// listing (CTest's discovery) and a filter naming one test (CTest's runs, death-test children).
//
// Depends on POSIX (fork, execve, waitpid) and /proc/self/exe, with argv[0] as the fallback.
// Limits: tests run one after another, and one that hangs holds up the run; CTest has timeouts.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr const char *kChildMarker = "VORBL_TEST_CHILD";
// GoogleTest creates this file when a run starts and removes it when the run ends, so a file
// still there means the test left the process early, perhaps with exit code 0.
constexpr const char *kExitFileVariable = "TEST_PREMATURE_EXIT_FILE";

using Strings = std::vector<std::string>;

// Without a temporary file or a child process no test can run, so the program stops.
[[noreturn]] void give_up(const char *what) {
    std::perror(what);
    std::exit(1);
}

struct Finished {
    int status = 0;
    bool left_early = false;
    std::string output;
};

// True when GoogleTest should run here as it always does, rather than hand tests to children.
bool runs_in_this_process() {
    const std::string filter = GTEST_FLAG_GET(filter);
    const bool one_test = !filter.empty() && filter.find_first_of("*?:-") == std::string::npos;
    return std::getenv(kChildMarker) != nullptr || GTEST_FLAG_GET(list_tests) || one_test;
}

Strings with(Strings args, std::string extra) {
    args.push_back(std::move(extra));
    return args;
}

// execve wants null-terminated arrays of writable strings.
std::vector<char *> pointers(Strings &strings) {
    std::vector<char *> out;
    for (std::string &s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

// Ours, plus the child marker and a fresh exit file.
Strings child_environment(const std::string &exit_file) {
    const std::string exit_prefix = std::string(kExitFileVariable) + "=";
    Strings env;
    for (char **e = environ; *e != nullptr; ++e) {
        if (!std::string_view(*e).starts_with(exit_prefix)) env.emplace_back(*e);
    }
    env.push_back(std::string(kChildMarker) + "=1");
    env.push_back(exit_prefix + exit_file);
    return env;
}

std::string read_all(std::FILE *file) {
    std::rewind(file);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    return text;
}

int wait_for(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Runs this program again with `args`; its standard output, and standard error too when
// `with_errors` is set, go to a temporary file that becomes Finished::output.
Finished run_child(Strings args, bool with_errors) {
    const std::string exit_file = (std::filesystem::temp_directory_path() /
                                   ("vorbl_test_" + std::to_string(getpid()) + ".running"))
                                      .string();
    Strings env = child_environment(exit_file);
    std::vector<char *> argv = pointers(args), envp = pointers(env);
    std::FILE *out = std::tmpfile();
    if (out == nullptr) give_up("tmpfile");
    std::cout.flush();
    const pid_t pid = fork();
    if (pid < 0) give_up("fork");
    if (pid == 0) {
        dup2(fileno(out), STDOUT_FILENO);
        if (with_errors) dup2(fileno(out), STDERR_FILENO);
        execve("/proc/self/exe", argv.data(), envp.data());
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    Finished finished{wait_for(pid), false, ""};
    finished.left_early = std::filesystem::remove(exit_file);
    finished.output = read_all(out);
    std::fclose(out);
    return finished;
}

// Why a child failed, or an empty string when it passed.
std::string failure(const Finished &f) {
    if (WIFSIGNALED(f.status)) {
        const int signal = WTERMSIG(f.status);
        return "killed by signal " + std::to_string(signal) + ": " + strsignal(signal);
    }
    if (WEXITSTATUS(f.status) == 127) return "exit code 127: could not start the test";
    if (WEXITSTATUS(f.status) != 0) return "exit code " + std::to_string(WEXITSTATUS(f.status));
    if (f.left_early) return "left the process before the test finished";
    return "";
}

// GoogleTest skips these unless asked, and a listing still names them.
bool disabled(const std::string &name) {
    if (GTEST_FLAG_GET(also_run_disabled_tests)) return false;
    return name.starts_with("DISABLED_") || name.find("/DISABLED_") != std::string::npos ||
           name.find(".DISABLED_") != std::string::npos;
}

// Full names from a --gtest_list_tests listing: "Suite." lines, each followed by indented test
// names; a "# GetParam() = ..." note after a name is left out.
Strings selected_tests(const std::string &listing) {
    Strings names;
    std::string suite;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        std::string first;
        std::istringstream(line) >> first;
        if (first.empty()) continue;
        if (line[0] != ' ') {
            suite = first;
        } else if (!disabled(suite + first)) {
            names.push_back(suite + first);
        }
    }
    return names;
}

// Runs one test in its own child; returns why it failed, or an empty string.
std::string run_one(const Strings &args, const std::string &name) {
    std::cout << "[ RUN      ] " << name << std::endl;
    const Finished finished = run_child(with(args, "--gtest_filter=" + name), true);
    const std::string why = failure(finished);
    if (why.empty()) {
        std::cout << "[       OK ] " << name << std::endl;
    } else {
        std::cout << finished.output << "[  FAILED  ] " << name << " (" << why << ")" << std::endl;
    }
    return why;
}

int report(int passed, const std::vector<std::pair<std::string, std::string>> &failed) {
    if (!failed.empty()) std::cout << "\nFailed tests:\n";
    for (const auto &[name, why] : failed) std::cout << "  " << name << " (" << why << ")\n";
    std::cout << passed << " passed, " << failed.size() << " failed" << std::endl;
    return failed.empty() ? 0 : 1;
}

int run_each_in_its_own_process(const Strings &args) {
    const Finished listing = run_child(with(args, "--gtest_list_tests"), false);
    if (const std::string why = failure(listing); !why.empty()) {
        std::cout << listing.output << "Listing the tests failed (" << why << ")" << std::endl;
        return 1;
    }
    int passed = 0;
    std::vector<std::pair<std::string, std::string>> failed;
    for (const std::string &name : selected_tests(listing.output)) {
        if (std::string why = run_one(args, name); why.empty()) {
            ++passed;
        } else {
            failed.emplace_back(name, std::move(why));
        }
    }
    return report(passed, failed);
}

}  // namespace

int main(int argc, char **argv) {
    // InitGoogleTest takes its flags out of argv; children get them all back, and a filter
    // appended after them wins because GoogleTest reads flags in order.
    const Strings args(argv, argv + argc);
    testing::InitGoogleTest(&argc, argv);
    if (runs_in_this_process()) return RUN_ALL_TESTS();
    return run_each_in_its_own_process(args);
}
