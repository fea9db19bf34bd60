// windows_and_input.cpp: the package's two windows, their start-up and shutdown.
//
// Depends on the platform's window system and GDI declared in <windows.h>. Holds the handles
// every other part of the package draws through.
#include "vorbl_internal.h"

// ---- Window state -------------------------------------------------------------------------
HWND graphics_hwnd = nullptr;
HWND text_hwnd = nullptr;
HINSTANCE app_instance = nullptr;
HDC window_dc = nullptr;         // the graphics window's own DC, held for the whole run
HBITMAP canvas_bitmap = nullptr; // the off-screen canvas, 601 x 540
HDC canvas_dc = nullptr;         // memory DC with canvas_bitmap selected
HMENU run_menu = nullptr;
std::int32_t origin_x = 0;       // device position of logical (0, 0): centre of the client area
std::int32_t origin_y = 0;
std::int32_t ctrl_held = 0;      // a Ctrl key is down (tracked from WM_KEYDOWN / WM_KEYUP)
unsigned char logging_on = 1;    // drawing calls echo themselves to the text window
