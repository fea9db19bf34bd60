// host_choice.cpp: which host backend the window system talks to.
//
// The headless host when a program selected it (headless_host_use) before its first window, the
// SDL2 host otherwise. The choice is read at every call, so it costs one branch.
#include <platform_display.h>

#include "host/host.h"

namespace platform {

const HostBackend &host() { return headless_host_selected() ? headless_backend() : sdl_backend(); }

}  // namespace platform

extern "C" int platform_display_failed(void) {
    return !platform::headless_host_selected() && platform::sdl_host_display_failed() ? 1 : 0;
}
