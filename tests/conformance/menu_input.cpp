// menu_input.cpp: the menu bar driven by real key presses and clicks: Alt and F10 alone, Alt with
// a letter that names a title or none, arrows, Enter and Escape, a title clicked open and closed,
// and Alt+F4.
// Each section sends one sequence and lists, in order, every message the window received that a
// menu or the keys and button produce, and which keys are still held afterwards.
//
// Depends on: trace.h, input.h. Prints a trace on standard output.
// Limits: a menu left open by a sequence is closed by a watchdog after 1.5 s of quiet, which the
// trace reports ("watchdog"), so a stuck menu loop shows as a difference instead of a hang.
#include <cstring>

#include "input.h"
#include "trace.h"

namespace {

constexpr UINT kAnimate = 101, kHalt = 102, kQuit = 103, kNew = 201, kSpeed = 202;
constexpr UINT_PTR kWatchdog = 7;

HMENU bar = nullptr;
HMENU run_menu = nullptr;
HMENU game_menu = nullptr;
int line = 0;
bool in_menu_loop = false;

const char *menu_name(HMENU menu) {
    if (menu == nullptr) return "NULL";
    if (menu == bar) return "bar";
    if (menu == run_menu) return "run";
    if (menu == game_menu) return "game";
    return "other";
}

void log(const char *format, ...) {
    char key[16];
    std::snprintf(key, sizeof key, "m%02d", ++line);
    char text[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    trace::value(key, "%s", text);
}

const char *key_message_name(UINT message) {
    switch (message) {
        case WM_KEYDOWN: return "WM_KEYDOWN";
        case WM_KEYUP: return "WM_KEYUP";
        case WM_CHAR: return "WM_CHAR";
        case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
        case WM_SYSKEYUP: return "WM_SYSKEYUP";
        case WM_SYSCHAR: return "WM_SYSCHAR";
        default: return nullptr;
    }
}

const char *mouse_message_name(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP: return "WM_LBUTTONUP";
        case WM_NCLBUTTONUP: return "WM_NCLBUTTONUP";
        default: return nullptr;
    }
}

// The menu messages, with their parameters as names where they are handles.
bool log_menu_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ENTERMENULOOP: log("WM_ENTERMENULOOP %d", static_cast<int>(wparam)); return true;
        case WM_EXITMENULOOP: log("WM_EXITMENULOOP %d", static_cast<int>(wparam)); return true;
        case WM_INITMENU:
            log("WM_INITMENU %s", menu_name(reinterpret_cast<HMENU>(wparam)));
            return true;
        case WM_INITMENUPOPUP:
            log("WM_INITMENUPOPUP %s pos %d sys %d", menu_name(reinterpret_cast<HMENU>(wparam)),
                static_cast<int>(LOWORD(lparam)), static_cast<int>(HIWORD(lparam)));
            return true;
        case WM_UNINITMENUPOPUP:
            log("WM_UNINITMENUPOPUP %s", menu_name(reinterpret_cast<HMENU>(wparam)));
            return true;
        case WM_MENUSELECT:
            log("WM_MENUSELECT item %u flags %04x %s", static_cast<unsigned>(LOWORD(wparam)),
                static_cast<unsigned>(HIWORD(wparam)), menu_name(reinterpret_cast<HMENU>(lparam)));
            return true;
        case WM_MENUCHAR:
            log("WM_MENUCHAR char %02x flags %04x %s", static_cast<unsigned>(LOWORD(wparam)),
                static_cast<unsigned>(HIWORD(wparam)), menu_name(reinterpret_cast<HMENU>(lparam)));
            return true;
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == SC_KEYMENU) {
                log("WM_SYSCOMMAND %04x char %02x", static_cast<unsigned>(wparam),
                    static_cast<unsigned>(lparam));
            } else {
                log("WM_SYSCOMMAND %04x", static_cast<unsigned>(wparam));
            }
            return true;
        case WM_CLOSE: log("WM_CLOSE"); return true;
        case WM_COMMAND:
            log("WM_COMMAND id %u from %u", static_cast<unsigned>(LOWORD(wparam)),
                static_cast<unsigned>(HIWORD(wparam)));
            return true;
        default: return false;
    }
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (const char *name = key_message_name(message)) {
        log("%s %02x %08lx", name, static_cast<unsigned>(wparam),
            static_cast<unsigned long>(static_cast<DWORD>(lparam)));
    } else if (const char *mouse = mouse_message_name(message)) {
        log("%s", mouse);
    } else if (message == WM_NCLBUTTONDOWN) {
        log("WM_NCLBUTTONDOWN hit %d", static_cast<int>(wparam));
    } else if (message == WM_TIMER && wparam == kWatchdog) {
        KillTimer(window, kWatchdog);
        if (in_menu_loop) {
            log("watchdog: the menu is still open");
            for (int i = 0; i < 3; ++i) input::tap(VK_ESCAPE);
        }
        return 0;
    } else {
        log_menu_message(message, wparam, lparam);
    }
    if (message == WM_ENTERMENULOOP) in_menu_loop = true;
    if (message == WM_EXITMENULOOP) in_menu_loop = false;
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND make_window() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "MenuInput";
    RegisterClassA(&wc);
    bar = CreateMenu();
    run_menu = CreatePopupMenu();
    game_menu = CreatePopupMenu();
    AppendMenuA(run_menu, MF_STRING | MF_CHECKED, kAnimate, "&Animate\tCtrl+A");
    AppendMenuA(run_menu, MF_STRING, kHalt, "&Halt\tCtrl+H");
    AppendMenuA(run_menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(run_menu, MF_STRING | MF_GRAYED, kQuit, "&Quit");
    AppendMenuA(game_menu, MF_STRING, kNew, "&New");
    AppendMenuA(game_menu, MF_STRING, kSpeed, "&Speed");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run_menu), "&Run");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(game_menu), "&Game");
    HWND window = CreateWindowExA(0, "MenuInput", "menu input", WS_OVERLAPPEDWINDOW, 100, 100, 320,
                                  240, nullptr, bar, wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
#ifdef _WIN32
    SetForegroundWindow(window);
    SetFocus(window);
#endif
    input::settle();
    return window;
}

void report_held_keys() {
    const int keys[] = {VK_MENU, VK_F10,    VK_ESCAPE, VK_LEFT, VK_RIGHT, VK_DOWN,
                        VK_UP,   VK_RETURN, 'R',       'G',     'Q',      VK_LBUTTON};
    char held[64] = "";
    for (int vk : keys) {
        if ((GetKeyState(vk) & 0x8000) != 0) {
            char one[8];
            std::snprintf(one, sizeof one, " %02x", static_cast<unsigned>(vk));
            std::strncat(held, one, sizeof held - std::strlen(held) - 1);
        }
    }
    trace::value("held", "%s", held[0] != '\0' ? held + 1 : "none");
    trace::value("menu loop open", "%d", in_menu_loop ? 1 : 0);
}

// One section: `send` produces the input, then everything it caused is traced.
template <typename Send>
void scenario(HWND window, const char *name, Send send) {
    trace::section(name);
    line = 0;
    SetTimer(window, kWatchdog, 1500, nullptr);
    send();
    input::settle();
    KillTimer(window, kWatchdog);
    report_held_keys();
}

void alt(int vk) { input::chord(VK_MENU, vk); }

}  // namespace

int main() {
    HWND w = make_window();
    scenario(w, "Alt tapped, Escape", [] {
        input::tap(VK_MENU);
        input::tap(VK_ESCAPE);
    });
    scenario(w, "F10, Escape", [] {
        input::tap(VK_F10);
        input::tap(VK_ESCAPE);
    });
    scenario(w, "Alt+R, Escape, Escape", [] {
        alt('R');
        input::tap(VK_ESCAPE);
        input::tap(VK_ESCAPE);
    });
    scenario(w, "Alt+R, Down, Down, Enter", [] {
        alt('R');
        input::tap(VK_DOWN);
        input::tap(VK_DOWN);
        input::tap(VK_RETURN);
    });
    scenario(w, "Alt tapped, Right, Down, Enter", [] {
        input::tap(VK_MENU);
        input::tap(VK_RIGHT);
        input::tap(VK_DOWN);
        input::tap(VK_RETURN);
    });
    scenario(w, "Alt+G, Left, Escape, Escape", [] {
        alt('G');
        input::tap(VK_LEFT);
        input::tap(VK_ESCAPE);
        input::tap(VK_ESCAPE);
    });
    scenario(w, "Alt+R, mnemonic H", [] {
        alt('R');
        input::tap('H');
    });
    scenario(w, "Alt+Q matches no title", [] { alt('Q'); });
    scenario(w, "Alt tapped, Alt tapped", [] {
        input::tap(VK_MENU);
        input::tap(VK_MENU);
    });
    scenario(w, "title clicked open and closed", [w] {
        input::click(w, 15, -8);
        input::click(w, 15, -8);
    });
    scenario(w, "title clicked, item clicked", [w] {
        input::click(w, 15, -8);
        input::click(w, 30, 28);
    });
    // Last, as it closes the window: DefWindowProc turns Alt+F4 into SC_CLOSE, then WM_CLOSE.
    scenario(w, "Alt+F4", [] { alt(VK_F4); });
    return 0;
}
