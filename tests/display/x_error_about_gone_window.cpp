// x_error_about_gone_window.cpp: see x_error_about_gone_window.h.
#include "x_error_about_gone_window.h"

#include <X11/Xlib.h>

bool provoke_x_error_about_gone_window() {
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    const Window gone =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, gone);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = gone;
    event.xclient.format = 32;
    XSendEvent(display, gone, False, NoEventMask, &event);
    XSync(display, False);  // the error is handled here
    XCloseDisplay(display);
    return true;
}
