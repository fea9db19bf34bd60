// x_error_about_gone_window.h: provokes, on a connection of its own, the X protocol error a
// request about a destroyed window gets, the way a late message to a closing window does.
// Kept apart from the tests so that Xlib's names never meet <windows.h>.
#pragma once

// Sends an event to a window that was just destroyed and waits for the server's answer (the
// BadWindow error goes to the process's X error handler). False when no display opens.
bool provoke_x_error_about_gone_window();
