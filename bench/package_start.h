// package_start.h: the package started the way every benchmark program needs it: logging off
// and the canvas clear, on the host already chosen or, once per program, on the headless host.
#pragma once

#include <headless_host.h>
#include <vorbl.h>
#include <windows.h>

namespace bench {

inline void start_package() {
    static char no_arguments[] = "";
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, no_arguments, SW_SHOWNORMAL);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
}

inline void start_package_headless_once() {
    static bool started = false;
    if (started) return;
    started = true;
    headless_host_use();
    start_package();
}

}  // namespace bench
