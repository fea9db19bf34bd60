// quit_signals.h: the termination signals a user or a system sends (SIGINT from Ctrl+C in the
// terminal, SIGTERM, SIGHUP when the terminal closes) become the thread's quit message, so a
// program ends as when its user quits it: a package that records writes its script out.
//
// quit_signals_install is called when the first window is made; the message queue calls
// quit_signals_take before each retrieval and after each wait. A signal that was ignored when the
// program started (nohup, a background job) stays ignored. A second signal before the program
// ended ends it at once. A program that ended after a signal then ends by that signal, so the
// shell or supervisor that sent it sees it (exit status 128 + the signal's number).
#pragma once

namespace platform {

void quit_signals_install();

// True once for each signal caught since the last call: the caller posts the quit message.
bool quit_signals_take();

}  // namespace platform
