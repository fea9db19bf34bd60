// x_error_about_gone_window.cpp: see x_error_about_gone_window.h.
#include "x_error_about_gone_window.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace {

Display *left_open = nullptr;

// Asks the server to deliver an event to a window of this connection that no longer exists.
void send_to_gone_window(Display *display) {
    const Window gone =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, gone);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = gone;
    event.xclient.format = 32;
    XSendEvent(display, gone, False, NoEventMask, &event);
}

// Closing sends what is buffered and reads the answers, so the error is handled here.
void close_left_open() { XCloseDisplay(left_open); }

}  // namespace

bool provoke_x_error_about_gone_window() {
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    send_to_gone_window(display);
    XSync(display, False);  // the error is handled here
    XCloseDisplay(display);
    return true;
}

bool leave_x_error_about_gone_window_until_exit() {
    left_open = XOpenDisplay(nullptr);
    if (left_open == nullptr) return false;
    // Not flushed: a flush also reads any answer already there. The requests wait in the
    // output buffer, and closing sends them and reads the error.
    send_to_gone_window(left_open);
    std::atexit(close_left_open);
    return true;
}
