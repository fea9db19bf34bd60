// x11_desktop.cpp: window-manager conventions on X11 (EWMH and the motif hints) for the SDL host.
//
// Depends on Xlib only. Every call tolerates a display without a window manager: the answers are
// then "none" and the requests change nothing.
#include "host/x11_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>

namespace platform::x11 {

namespace {

// The motif window-manager hints, as window managers read them from _MOTIF_WM_HINTS.
struct MotifHints {
    unsigned long flags;
    unsigned long functions;
    unsigned long decorations;
    long input_mode;
    unsigned long status;
};
constexpr unsigned long kHintsFunctions = 1UL << 0;
constexpr unsigned long kHintsDecorations = 1UL << 1;
constexpr unsigned long kFunctionResize = 1UL << 1;
constexpr unsigned long kFunctionMove = 1UL << 2;
constexpr unsigned long kFunctionMinimize = 1UL << 3;
constexpr unsigned long kFunctionMaximize = 1UL << 4;
constexpr unsigned long kFunctionClose = 1UL << 5;
constexpr unsigned long kDecorBorder = 1UL << 1;
constexpr unsigned long kDecorResize = 1UL << 2;
constexpr unsigned long kDecorTitle = 1UL << 3;
constexpr unsigned long kDecorMenu = 1UL << 4;
constexpr unsigned long kDecorMinimize = 1UL << 5;
constexpr unsigned long kDecorMaximize = 1UL << 6;

Display *as_display(void *display) { return static_cast<Display *>(display); }

// The first 32-bit items of a window property of `type`; false when it is missing or shorter.
bool read_longs(Display *display, Window window, const char *name, Atom type, long *out,
                unsigned long count) {
    Atom property = XInternAtom(display, name, True);
    if (property == None) return false;
    Atom actual_type = None;
    int actual_format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    int status = XGetWindowProperty(display, window, property, 0, static_cast<long>(count), False,
                                    type, &actual_type, &actual_format, &items, &after, &data);
    bool ok = status == Success && actual_type == type && actual_format == 32 && items >= count;
    if (ok) {
        const long *values = reinterpret_cast<const long *>(data);
        for (unsigned long i = 0; i < count; ++i) out[i] = values[i];
    }
    if (data != nullptr) XFree(data);
    return ok;
}

}  // namespace

bool window_manager_running(void *display) {
    Display *x = as_display(display);
    if (x == nullptr) return false;
    long child = 0;
    if (!read_longs(x, DefaultRootWindow(x), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &child, 1)) {
        return false;
    }
    long check = 0;
    // The check window must name itself, or the root's property is a stale leftover.
    return read_longs(x, static_cast<Window>(child), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &check,
                      1) &&
           check == child;
}

void set_allowed_actions(void *display, unsigned long window, bool resizable, bool minimize,
                         bool maximize) {
    Display *x = as_display(display);
    if (x == nullptr || window == 0) return;
    MotifHints hints{};
    hints.flags = kHintsFunctions | kHintsDecorations;
    hints.functions = kFunctionMove | kFunctionClose;
    hints.decorations = kDecorBorder | kDecorTitle | kDecorMenu;
    if (resizable) hints.functions |= kFunctionResize, hints.decorations |= kDecorResize;
    if (minimize) hints.functions |= kFunctionMinimize, hints.decorations |= kDecorMinimize;
    if (maximize) hints.functions |= kFunctionMaximize, hints.decorations |= kDecorMaximize;
    Atom property = XInternAtom(x, "_MOTIF_WM_HINTS", False);
    XChangeProperty(x, window, property, property, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(&hints), 5);
    XFlush(x);
}

void request_frame_extents(void *display, unsigned long window) {
    Display *x = as_display(display);
    if (x == nullptr || window == 0) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, "_NET_REQUEST_FRAME_EXTENTS", False);
    event.xclient.format = 32;
    XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XFlush(x);
}

bool frame_extents(void *display, unsigned long window, FrameExtents *extents) {
    Display *x = as_display(display);
    if (x == nullptr || window == 0) return false;
    long values[4] = {0, 0, 0, 0};
    XSync(x, False);
    if (!read_longs(x, window, "_NET_FRAME_EXTENTS", XA_CARDINAL, values, 4)) return false;
    *extents = FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[2]),
                            static_cast<int>(values[1]), static_cast<int>(values[3])};
    return true;
}

namespace {

void (*display_lost_callback)() = nullptr;

// Xlib's default handler prints its own lines; the host says what happened in one of its own.
int quiet_io_error(Display *) { return 0; }

void report_display_lost(Display *, void *) {
    if (display_lost_callback != nullptr) display_lost_callback();
}

// A request that names a window the server has destroyed fails with BadWindow after the fact:
// SDL's wake-up message to a window being closed, for one, when the close overtakes it. Nothing
// on the screen depends on such a request, so it must not end the program as Xlib's default
// handler would.
int tolerant_protocol_error(Display *x, XErrorEvent *error) {
    if (error->error_code == BadWindow) return 0;
    char text[160] = "";
    XGetErrorText(x, error->error_code, text, sizeof text);
    std::fprintf(stderr, "VORBL: X error ignored: %s (request %d)\n", text, error->request_code);
    return 0;
}

}  // namespace

void tolerate_protocol_errors() { XSetErrorHandler(tolerant_protocol_error); }

void survive_display_loss(void *display, void (*on_lost)()) {
    Display *x = as_display(display);
    if (x == nullptr) return;
    display_lost_callback = on_lost;
    XSetIOErrorHandler(quiet_io_error);
    XSetIOErrorExitHandler(x, report_display_lost, nullptr);
}

}  // namespace platform::x11
