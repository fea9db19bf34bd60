// unattended_run_none.cpp: the environment-directed run where there is no platform layer to
// supply a headless host (the Windows build) or no files to write (the browser build): every
// call does nothing, so a program runs as it always does.
#include "unattended_run.h"

namespace vorbl {

void unattended_run_configure(void) {}
void unattended_run_started(bool) {}
bool unattended_run_before_wait(void) { return false; }
bool unattended_run_ends_wait(void) { return false; }
void unattended_run_after_event(int) {}
void unattended_run_message(const char *, std::size_t) {}
void unattended_run_finish(void) {}

}  // namespace vorbl
