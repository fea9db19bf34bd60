// host_choice.cpp: which host backend the window system talks to.
//
// The headless host when a program selected it (headless_host_use) before its first window, the
// SDL2 host otherwise. The choice is read at every call, so it costs one branch.
#include "host/host.h"

namespace platform {

const HostBackend &host() { return headless_host_selected() ? headless_backend() : sdl_backend(); }

}  // namespace platform
