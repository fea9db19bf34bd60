// host_choice.cpp: which host backend the window system talks to.
//
// The headless host when a program selected it (headless_host_use) before its first window;
// otherwise the build's real host: the SDL2 host on the desktop, the page's host in the browser
// build (VORBL_HOST_BROWSER, set by CMake). The choice is read at every call, so it costs one
// branch.
#include <platform_display.h>

#include "host/host.h"

namespace platform {

const HostBackend &host() {
    if (headless_host_selected()) return headless_backend();
#if defined(VORBL_HOST_BROWSER)
    return browser_backend();
#else
    return sdl_backend();
#endif
}

namespace {

// A page is always there to show the windows on; only the desktop can lack a display.
bool real_display_failed() {
#if defined(VORBL_HOST_BROWSER)
    return false;
#else
    return sdl_host_display_failed();
#endif
}

}  // namespace

}  // namespace platform

extern "C" int platform_display_failed(void) {
    return !platform::headless_host_selected() && platform::real_display_failed() ? 1 : 0;
}
