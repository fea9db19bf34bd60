// x_error_about_gone_window.h: provokes, on a connection of its own, the X protocol error a
// request about a destroyed window gets, the way a late message to a closing window does.
// Kept apart from the tests so that Xlib's names never meet <windows.h>.
#pragma once

// Sends an event to a window that was just destroyed and waits for the server's answer (the
// BadWindow error goes to the process's X error handler). False when no display opens.
bool provoke_x_error_about_gone_window();

// Leaves the same event unsent and its answer unread until the process exits: the connection is
// closed by an exit handler registered now, so it runs after any exit handler registered later
// (the SDL host's shutdown, when the first window is created after this call). False when no
// display opens.
bool leave_x_error_about_gone_window_until_exit();
