// quit_signals.cpp: SIGINT, SIGTERM and SIGHUP turned into the quit message (quit_signals.h).
//
// Depends on POSIX sigaction. The handler only records the signal (all it may safely do); the
// message queue turns it into PostQuitMessage on the program's own thread. The handlers are
// installed without SA_RESTART, so a host blocked in a wait for input is woken by the signal;
// a host that goes back to waiting still wakes at its next timer.
//
// The exit status: after the program has shut down and returned from main, an exit handler
// raises the caught signal again with its default action, so the process ends as "killed by
// SIGTERM" (and so on), as it did before it ended cleanly. A shell loop interrupted with Ctrl+C
// stops, and a supervisor knows the program did not end of its own accord.
#include "user/quit_signals.h"

#include <signal.h>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

volatile sig_atomic_t caught_signal = 0;  // the signal that asked the program to end
volatile sig_atomic_t quit_owed = 0;      // caught, and the quit message not yet posted
bool installed = false;

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};

void end_by(int number) {
    signal(number, SIG_DFL);
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, number);
    sigprocmask(SIG_UNBLOCK, &blocked, nullptr);
    raise(number);
}

void on_quit_signal(int number) {
    if (caught_signal != 0) {
        end_by(number);  // the program did not end after the first: the user insists
        return;
    }
    caught_signal = number;
    quit_owed = 1;
}

// At exit, after the program's own shutdown: end by the signal that asked for it.
void end_by_caught_signal() {
    if (caught_signal == 0) return;
    std::fflush(nullptr);  // what the program printed, before the handlers after this one go
    end_by(caught_signal);
}

bool ignored_from_the_start(int number) {
    struct sigaction present {};
    return sigaction(number, nullptr, &present) == 0 && present.sa_handler == SIG_IGN;
}

}  // namespace

void quit_signals_install() {
    if (installed) return;
    installed = true;
    for (int number : kQuitSignals) {
        if (ignored_from_the_start(number)) continue;
        struct sigaction action {};
        action.sa_handler = on_quit_signal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(number, &action, nullptr);
    }
    std::atexit(end_by_caught_signal);
}

bool quit_signals_take() {
    if (quit_owed == 0) return false;
    quit_owed = 0;
    return true;
}

}  // namespace platform
