// show_window.cpp: ShowWindow with every show command and SetWindowPos with SWP_SHOWWINDOW and
// SWP_HIDEWINDOW, from a normal, a minimised, a maximised and a hidden window: the messages the
// window receives (WM_SHOWWINDOW, WM_SIZE with its kind and size, WM_ACTIVATE), the return value
// and the state afterwards (IsWindowVisible, IsIconic, IsZoomed, the client size), also for a
// minimised window shown without activation behind the active one; SetMenu on a shown window
// (what it erases and repaints); real clicks on an inactive window and WM_MOUSEACTIVATE's
// answers; then the show and menu calls with out-of-range commands and destroyed, null and
// wrong-kind handles, with their error codes.
//
// Depends on: trace.h, input.h. Prints a trace on standard output.
#include <initializer_list>

#include "input.h"
#include "trace.h"

namespace {

bool logging = false;
bool painting_logged = false;  // WM_ERASEBKGND and WM_PAINT too (the SetMenu sections)
int line = 0;
HWND focus_a = nullptr;  // the window named "a" in the focus sections (all others are "b")
LRESULT mouse_activate_answer = -1;  // what WM_MOUSEACTIVATE returns; -1: DefWindowProc's answer

void log(const char *format, ...) {
    char key[16];
    std::snprintf(key, sizeof key, "m%02d", ++line);
    char text[120];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    trace::value(key, "%s", text);
}

LRESULT log_paint(HWND window) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    log("WM_PAINT %ld,%ld-%ld,%ld erase %d", static_cast<long>(ps.rcPaint.left),
        static_cast<long>(ps.rcPaint.top), static_cast<long>(ps.rcPaint.right),
        static_cast<long>(ps.rcPaint.bottom), ps.fErase ? 1 : 0);
    EndPaint(window, &ps);
    return 0;
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (logging) {
        switch (message) {
            case WM_SHOWWINDOW:
                log("WM_SHOWWINDOW %u %ld", static_cast<unsigned>(wparam),
                    static_cast<long>(lparam));
                break;
            case WM_SIZE:
                log("WM_SIZE %u %d,%d", static_cast<unsigned>(wparam),
                    static_cast<int>(LOWORD(lparam)), static_cast<int>(HIWORD(lparam)));
                break;
            case WM_ACTIVATE:
                log("%s WM_ACTIVATE %u", window == focus_a ? "a" : "b",
                    static_cast<unsigned>(LOWORD(wparam)));
                break;
            case WM_NCACTIVATE:
                log("%s WM_NCACTIVATE %u", window == focus_a ? "a" : "b",
                    static_cast<unsigned>(wparam));
                break;
            case WM_SETFOCUS: log("%s WM_SETFOCUS", window == focus_a ? "a" : "b"); break;
            case WM_ERASEBKGND:
                if (painting_logged) log("WM_ERASEBKGND");
                break;
            case WM_PAINT:
                if (painting_logged) return log_paint(window);
                break;
            case WM_KILLFOCUS: log("%s WM_KILLFOCUS", window == focus_a ? "a" : "b"); break;
            case WM_MOUSEACTIVATE: {
                const LRESULT answer = mouse_activate_answer >= 0
                                           ? mouse_activate_answer
                                           : DefWindowProcA(window, message, wparam, lparam);
                log("%s WM_MOUSEACTIVATE %s %d %04x answer %ld", window == focus_a ? "a" : "b",
                    reinterpret_cast<HWND>(wparam) == window ? "self" : "other",
                    static_cast<int>(LOWORD(lparam)), static_cast<unsigned>(HIWORD(lparam)),
                    static_cast<long>(answer));
                return answer;
            }
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
                log("%s %s %d,%d", window == focus_a ? "a" : "b",
                    message == WM_LBUTTONDOWN ? "WM_LBUTTONDOWN" : "WM_LBUTTONUP",
                    static_cast<int>(static_cast<short>(LOWORD(lparam))),
                    static_cast<int>(static_cast<short>(HIWORD(lparam))));
                break;
            default: break;
        }
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND make_window(int x = 40) {
    static bool registered = false;
    WNDCLASSA wc{};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "ShowWindowProbe";
    if (!registered) registered = RegisterClassA(&wc) != 0;
    return CreateWindowExA(0, "ShowWindowProbe", "show", WS_OVERLAPPEDWINDOW, x, 30, 300, 200,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

void report(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    trace::value("visible", "%d", IsWindowVisible(window) ? 1 : 0);
    trace::value("iconic", "%d", IsIconic(window) ? 1 : 0);
    trace::value("zoomed", "%d", IsZoomed(window) ? 1 : 0);
    trace::value("client", "%ldx%ld", static_cast<long>(client.right),
                 static_cast<long>(client.bottom));
}

// A section: `window` is brought to `start` (a list of commands), then `command` is traced.
void show(const char *name, const int *start, int starts, int command) {
    trace::section(name);
    HWND window = make_window();
    for (int i = 0; i < starts; ++i) ShowWindow(window, start[i]);
    line = 0;
    logging = true;
    SetLastError(0);
    const BOOL result = ShowWindow(window, command);
    logging = false;
    trace::value("result", "%d", result ? 1 : 0);
    report(window);
    DestroyWindow(window);
}

// The window menu's commands as DefWindowProc carries them out.
void sys_command(const char *name, const int *start, int starts, WPARAM command) {
    trace::section(name);
    HWND window = make_window();
    for (int i = 0; i < starts; ++i) ShowWindow(window, start[i]);
    line = 0;
    logging = true;
    SendMessageA(window, WM_SYSCOMMAND, command, 0);
    logging = false;
    report(window);
    DestroyWindow(window);
}

void set_pos(const char *name, const int *start, int starts, UINT flags) {
    trace::section(name);
    HWND window = make_window();
    for (int i = 0; i < starts; ++i) ShowWindow(window, start[i]);
    line = 0;
    logging = true;
    const BOOL result =
        SetWindowPos(window, nullptr, 0, 0, 0, 0, flags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    logging = false;
    trace::value("result", "%d", result ? 1 : 0);
    report(window);
    DestroyWindow(window);
}

// A minimised window shown without activation while another window is the active one.
void restore_behind(const char *name, int command) {
    trace::section(name);
    focus_a = make_window();
    HWND b = make_window();
    ShowWindow(focus_a, SW_SHOWNORMAL);
    ShowWindow(focus_a, SW_MINIMIZE);
    ShowWindow(b, SW_SHOWNORMAL);
    line = 0;
    logging = true;
    const BOOL result = ShowWindow(focus_a, command);
    logging = false;
    trace::value("result", "%d", result ? 1 : 0);
    report(focus_a);
    trace::value("active is b", "%d", GetActiveWindow() == b ? 1 : 0);
    trace::value("focus is b", "%d", GetFocus() == b ? 1 : 0);
    DestroyWindow(b);
    DestroyWindow(focus_a);
    focus_a = nullptr;
}

// A real click into the client area of `a`, beside the active window `b`: the activation the
// click brings (or not, by WM_MOUSEACTIVATE's answer) and the button messages.
void click(const char *name, LRESULT answer, bool a_active) {
    trace::section(name);
    focus_a = make_window(40);
    HWND b = make_window(400);
    ShowWindow(focus_a, SW_SHOWNORMAL);
    ShowWindow(b, SW_SHOWNORMAL);
    UpdateWindow(focus_a);
    UpdateWindow(b);
    HWND first = a_active ? focus_a : b;
#ifdef _WIN32
    SetForegroundWindow(first);
#endif
    SetFocus(first);
    input::settle();
    line = 0;
    logging = true;
    mouse_activate_answer = answer;
    input::click(focus_a, 30, 40);
    input::settle();
    logging = false;
    mouse_activate_answer = -1;
    trace::value("active is a", "%d", GetActiveWindow() == focus_a ? 1 : 0);
    trace::value("focus is a", "%d", GetFocus() == focus_a ? 1 : 0);
    trace::value("button held", "%d", (GetKeyState(VK_LBUTTON) & 0x8000) != 0 ? 1 : 0);
    DestroyWindow(b);
    DestroyWindow(focus_a);
    focus_a = nullptr;
}

// SetFocus on a window that is not the active one activates it first.
void focus(const char *name, bool a_visible) {
    trace::section(name);
    focus_a = make_window();
    HWND b = make_window();
    if (a_visible) ShowWindow(focus_a, SW_SHOWNORMAL);
    ShowWindow(b, SW_SHOWNORMAL);  // b is active and has the focus
    line = 0;
    logging = true;
    const HWND previous = SetFocus(focus_a);
    logging = false;
    trace::value("previous is b", "%d", previous == b ? 1 : 0);
    trace::value("active is a", "%d", GetActiveWindow() == focus_a ? 1 : 0);
    trace::value("focus is a", "%d", GetFocus() == focus_a ? 1 : 0);
    DestroyWindow(b);
    DestroyWindow(focus_a);
    focus_a = nullptr;
}

HMENU make_bar(const char *title) {
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 1, title);
    return bar;
}

// SetMenu on a shown, painted window: what it leaves to repaint, and the repaint itself.
void set_menu(const char *name, bool bar_before, bool bar_after) {
    trace::section(name);
    HWND window = make_window();
    HMENU before = bar_before ? make_bar("&Run") : nullptr;
    if (before != nullptr) SetMenu(window, before);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    HMENU after = bar_after ? make_bar("&Go") : nullptr;
    line = 0;
    logging = painting_logged = true;
    const BOOL result = SetMenu(window, after);
    UpdateWindow(window);
    logging = painting_logged = false;
    trace::value("result", "%d", result ? 1 : 0);
    report(window);
    DestroyWindow(window);
    if (before != nullptr) DestroyMenu(before);
}

// One call's result and the error code it leaves (the code cleared before the call).
template <typename Call>
void result_and_error(const char *name, const char *what, Call call) {
    char key[64];
    std::snprintf(key, sizeof key, "%s %s", name, what);
    SetLastError(0);
    const long result = static_cast<long>(call());
    const DWORD error = GetLastError();
    trace::value(key, "%ld error %lu", result, static_cast<unsigned long>(error));
}

// The menu calls on windows and the show calls, given a destroyed window, no window or a menu's
// handle for a window, and a window given a destroyed menu, a popup or another window's bar.
void bad_menu_and_show_handles() {
    trace::section("bad menu and show handles");
    HWND gone = make_window();
    DestroyWindow(gone);
    HMENU popup = CreatePopupMenu();
    const HWND bad[] = {gone, nullptr, reinterpret_cast<HWND>(popup)};
    const char *names[] = {"destroyed window", "null window", "menu as window"};
    HMENU bar = make_bar("&Run");
    for (int i = 0; i < 3; ++i) {
        HWND window = bad[i];
        result_and_error(names[i], "SetMenu", [&] { return SetMenu(window, bar); });
        result_and_error(names[i], "SetMenu none", [&] { return SetMenu(window, nullptr); });
        result_and_error(names[i], "GetMenu", [&] { return GetMenu(window) != nullptr; });
        result_and_error(names[i], "DrawMenuBar", [&] { return DrawMenuBar(window); });
        result_and_error(names[i], "ShowWindow", [&] { return ShowWindow(window, SW_MINIMIZE); });
        result_and_error(names[i], "SetWindowPos", [&] {
            return SetWindowPos(window, nullptr, 0, 0, 0, 0,
                                SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        });
        result_and_error(names[i], "IsIconic", [&] { return IsIconic(window); });
    }
    HWND owner = make_window();
    HWND other = make_window();
    HMENU destroyed = CreateMenu();
    DestroyMenu(destroyed);
    result_and_error("owner", "SetMenu destroyed menu", [&] { return SetMenu(owner, destroyed); });
    result_and_error("owner", "SetMenu window as menu",
                     [&] { return SetMenu(owner, reinterpret_cast<HMENU>(other)); });
    result_and_error("owner", "SetMenu popup", [&] { return SetMenu(owner, popup); });
    result_and_error("owner", "SetMenu bar", [&] { return SetMenu(owner, bar); });
    result_and_error("other", "SetMenu the owner's bar", [&] { return SetMenu(other, bar); });
    trace::value("bar still the owner's", "%d", GetMenu(owner) == bar ? 1 : 0);
    DestroyWindow(other);
    DestroyWindow(owner);
    DestroyMenu(popup);
}

}  // namespace

int main() {
    const int normal[] = {SW_SHOWNORMAL};
    const int minimised[] = {SW_SHOWNORMAL, SW_MINIMIZE};
    const int maximised[] = {SW_SHOWNORMAL, SW_SHOWMAXIMIZED};
    const int hidden[] = {SW_SHOWNORMAL, SW_HIDE};
    show("normal SW_MINIMIZE", normal, 1, SW_MINIMIZE);
    show("normal SW_SHOWMINNOACTIVE", normal, 1, SW_SHOWMINNOACTIVE);
    show("normal SW_SHOWMAXIMIZED", normal, 1, SW_SHOWMAXIMIZED);
    show("normal SW_RESTORE", normal, 1, SW_RESTORE);
    show("normal SW_HIDE", normal, 1, SW_HIDE);
    show("minimised SW_RESTORE", minimised, 2, SW_RESTORE);
    show("minimised SW_SHOWNORMAL", minimised, 2, SW_SHOWNORMAL);
    show("minimised SW_SHOW", minimised, 2, SW_SHOW);
    show("minimised SW_SHOWMAXIMIZED", minimised, 2, SW_SHOWMAXIMIZED);
    show("minimised SW_SHOWNOACTIVATE", minimised, 2, SW_SHOWNOACTIVATE);
    show("minimised SW_SHOWNA", minimised, 2, SW_SHOWNA);
    show("minimised SW_SHOWMINNOACTIVE", minimised, 2, SW_SHOWMINNOACTIVE);
    show("minimised SW_MINIMIZE", minimised, 2, SW_MINIMIZE);
    show("maximised SW_SHOWNOACTIVATE", maximised, 2, SW_SHOWNOACTIVATE);
    show("hidden again SW_SHOWNOACTIVATE", hidden, 2, SW_SHOWNOACTIVATE);
    show("normal SW_SHOWNA", normal, 1, SW_SHOWNA);
    show("normal SW_SHOWNOACTIVATE", normal, 1, SW_SHOWNOACTIVATE);
    show("maximised SW_SHOWNA", maximised, 2, SW_SHOWNA);
    show("hidden again SW_SHOWNA", hidden, 2, SW_SHOWNA);
    show("maximised SW_RESTORE", maximised, 2, SW_RESTORE);
    show("maximised SW_MINIMIZE", maximised, 2, SW_MINIMIZE);
    show("maximised SW_SHOWMAXIMIZED", maximised, 2, SW_SHOWMAXIMIZED);
    show("hidden again SW_SHOW", hidden, 2, SW_SHOW);
    set_pos("hidden again SWP_SHOWWINDOW", hidden, 2, SWP_SHOWWINDOW);
    set_pos("normal SWP_HIDEWINDOW", normal, 1, SWP_HIDEWINDOW);

    sys_command("normal SC_MINIMIZE", normal, 1, SC_MINIMIZE);
    sys_command("normal SC_MAXIMIZE", normal, 1, SC_MAXIMIZE);
    sys_command("maximised SC_RESTORE", maximised, 2, SC_RESTORE);
    sys_command("minimised SC_RESTORE", minimised, 2, SC_RESTORE);
    focus("SetFocus on an inactive window", true);
    focus("SetFocus on a hidden window", false);
    restore_behind("behind SW_SHOWNOACTIVATE", SW_SHOWNOACTIVATE);
    restore_behind("behind SW_SHOWNA", SW_SHOWNA);
    restore_behind("behind SW_RESTORE", SW_RESTORE);
    click("click on an inactive window", -1, false);
    click("click on an inactive window answered MA_NOACTIVATE", MA_NOACTIVATE, false);
    click("click on an inactive window answered MA_ACTIVATEANDEAT", MA_ACTIVATEANDEAT, false);
    click("click on an inactive window answered MA_NOACTIVATEANDEAT", MA_NOACTIVATEANDEAT, false);
    click("click on the active window", -1, true);
    set_menu("SetMenu adds a bar", false, true);
    set_menu("SetMenu removes the bar", true, false);
    set_menu("SetMenu swaps the bar", true, true);

    trace::section("bad show commands and handles");
    HWND window = make_window();
    for (int command : {-1, 12, 99}) {
        char key[32];
        SetLastError(0);
        const BOOL result = ShowWindow(window, command);
        const DWORD error = GetLastError();
        std::snprintf(key, sizeof key, "command %d", command);
        trace::value(key, "%d error %lu", result ? 1 : 0, static_cast<unsigned long>(error));
    }
    report(window);
    DestroyWindow(window);
    const HWND bad[] = {window, nullptr};
    const char *names[] = {"destroyed", "null"};
    for (int i = 0; i < 2; ++i) {
        SetLastError(0);
        const BOOL result = ShowWindow(bad[i], SW_SHOW);
        const DWORD error = GetLastError();
        trace::value(names[i], "%d error %lu", result ? 1 : 0, static_cast<unsigned long>(error));
    }
    trace::value("IsIconic destroyed", "%d", IsIconic(window) ? 1 : 0);
    trace::value("IsZoomed null", "%d", IsZoomed(nullptr) ? 1 : 0);
    bad_menu_and_show_handles();
    return 0;
}
