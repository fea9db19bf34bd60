// menu_input.cpp: the menu bar and the system menu driven by real key presses, clicks and moves:
// Alt and F10 alone, Alt with a letter that names a title or none, arrows, Enter and Escape, a
// title clicked open and closed, the mouse leaving a popup, Alt+Space and the arrows into the
// system menu, its items greyed by the window's style and state, windows without a menu bar, and
// Alt+F4. Each section sends one sequence and lists, in order, every message the window received
// that a menu or the keys and button produce, and which keys are still held afterwards.
//
// Depends on: trace.h, input.h. Prints a trace on standard output.
// Limits: a menu left open by a sequence is closed by a watchdog after 1.5 s of quiet, which the
// trace reports ("watchdog"), so a stuck menu loop shows as a difference instead of a hang.
#include <cstring>
#include <functional>
#include <initializer_list>
#include <vector>

#include "input.h"
#include "trace.h"

namespace {

constexpr UINT kAnimate = 101, kHalt = 102, kQuit = 103, kNew = 201, kSpeed = 202;
constexpr UINT_PTR kWatchdog = 7, kStage = 8;
constexpr UINT kStageMs = 250;

HMENU bar = nullptr;
HMENU run_menu = nullptr;
HMENU game_menu = nullptr;
HMENU system_menu = nullptr;  // the system menu of the window the sections drive
int line = 0;
bool in_menu_loop = false;
// Input sent one step a timer tick, so each step meets the menu the one before opened (input sent
// at once is all queued before the menu exists).
std::vector<std::function<void()>> stages;
std::size_t next_stage = 0;

const char *menu_name(HMENU menu) {
    if (menu == nullptr) return "NULL";
    if (menu == bar) return "bar";
    if (menu == run_menu) return "run";
    if (menu == game_menu) return "game";
    if (menu == system_menu) return "system";
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

// Each item's identifier and its grayed, disabled and separator flags, as the menu shows them:
// the seven items Windows has, and apart from them how many there are in all.
void log_item_states(HMENU menu) {
    char text[160] = "";
    const int count = GetMenuItemCount(menu);
    trace::value("system menu items", "%d", count);
    for (int i = 0; i < count && i < 7; ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) &
                           (MF_GRAYED | MF_DISABLED | MF_SEPARATOR);
        char one[24];
        std::snprintf(one, sizeof one, " %04x:%x", static_cast<unsigned>(GetMenuItemID(menu, i)),
                      static_cast<unsigned>(state));
        std::strncat(text, one, sizeof text - std::strlen(text) - 1);
    }
    log("items%s", text);
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
            // The system menu's items as it showed them (their states are set as it opens).
            if (reinterpret_cast<HMENU>(wparam) == system_menu) log_item_states(system_menu);
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
    } else if (message == WM_TIMER && wparam == kStage) {
        if (next_stage < stages.size()) stages[next_stage++]();
        if (next_stage >= stages.size()) KillTimer(window, kStage);
        return 0;
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

HMENU make_bar() {
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
    return bar;
}

// A shown, active window of `style`, with the Run and Game menus when `with_bar`.
HWND make_window(DWORD style, bool with_bar) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "MenuInput";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "MenuInput", "menu input", style, 100, 100, 320, 240, nullptr,
                                  with_bar ? make_bar() : nullptr, wc.hInstance, nullptr);
    system_menu = GetSystemMenu(window, FALSE);
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

// Each key pressed and released in turn.
void taps(std::initializer_list<int> vks) {
    for (int vk : vks) input::tap(vk);
}

// A section whose steps are sent one timer tick apart; the watchdog starts after the last.
void staged_scenario(HWND window, const char *name, std::vector<std::function<void()>> steps) {
    trace::section(name);
    line = 0;
    stages = std::move(steps);
    next_stage = 0;
    SetTimer(window, kStage, kStageMs, nullptr);
    while (next_stage < stages.size()) {
        MSG msg;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    SetTimer(window, kWatchdog, 1500, nullptr);
    input::settle();
    KillTimer(window, kWatchdog);
    report_held_keys();
}

// The system menu: opened, left, its items chosen, and reached from the titles with the arrows.
void system_menu_sections(HWND w) {
    scenario(w, "Alt+Space, Escape", [] {
        alt(VK_SPACE);
        input::tap(VK_ESCAPE);
    });
    scenario(w, "Alt+Space, Escape, Escape", [] {
        alt(VK_SPACE);
        taps({VK_ESCAPE, VK_ESCAPE});
    });
    scenario(w, "Alt+Space, Down, Down, Up, Escape, Escape", [] {
        alt(VK_SPACE);
        taps({VK_DOWN, VK_DOWN, VK_UP, VK_ESCAPE, VK_ESCAPE});
    });
    scenario(w, "Alt+Space, mnemonic X maximises", [] {
        alt(VK_SPACE);
        input::tap('X');
    });
    scenario(w, "maximised: Alt+Space, mnemonic R restores", [] {
        alt(VK_SPACE);
        input::tap('R');
    });
    scenario(w, "Alt tapped, Left, Escape, Escape", [] {
        taps({VK_MENU, VK_LEFT, VK_ESCAPE, VK_ESCAPE});
    });
    scenario(w, "Alt tapped, Left, Right, Escape", [] {
        taps({VK_MENU, VK_LEFT, VK_RIGHT, VK_ESCAPE});
    });
    scenario(w, "Alt+G, Right, Right, Escape, Escape", [] {
        alt('G');
        taps({VK_RIGHT, VK_RIGHT, VK_ESCAPE, VK_ESCAPE});
    });
    scenario(w, "Alt+Space, Left, Escape, Escape", [] {
        alt(VK_SPACE);
        taps({VK_LEFT, VK_ESCAPE, VK_ESCAPE});
    });
}

// A window without a menu bar: Alt, F10 and Alt+letter go to the system menu.
void no_bar_sections(HWND w) {
    scenario(w, "no bar: Alt tapped, Escape, Escape", [] {
        taps({VK_MENU, VK_ESCAPE, VK_ESCAPE});
    });
    scenario(w, "no bar: F10, Down, Escape, Escape", [] {
        taps({VK_F10, VK_DOWN, VK_ESCAPE, VK_ESCAPE});
    });
    scenario(w, "no bar: Alt+C", [] { alt('C'); });
    scenario(w, "no bar: Alt+Q", [] {
        alt('Q');
        input::tap(VK_ESCAPE);
    });
    scenario(w, "no bar: Alt+Space, mnemonic N minimises", [] {
        alt(VK_SPACE);
        input::tap('N');
    });
    scenario(w, "minimised: Alt+Space, Escape, Escape", [] {
        alt(VK_SPACE);
        taps({VK_ESCAPE, VK_ESCAPE});
    });
}

}  // namespace

int main() {
    HWND w = make_window(WS_OVERLAPPEDWINDOW, true);
    scenario(w, "Alt tapped, Escape", [] { taps({VK_MENU, VK_ESCAPE}); });
    scenario(w, "F10, Escape", [] { taps({VK_F10, VK_ESCAPE}); });
    scenario(w, "Alt+R, Escape, Escape", [] {
        alt('R');
        taps({VK_ESCAPE, VK_ESCAPE});
    });
    scenario(w, "Alt+R, Down, Down, Enter", [] {
        alt('R');
        taps({VK_DOWN, VK_DOWN, VK_RETURN});
    });
    scenario(w, "Alt tapped, Right, Down, Enter", [] {
        taps({VK_MENU, VK_RIGHT, VK_DOWN, VK_RETURN});
    });
    scenario(w, "Alt+G, Left, Escape, Escape", [] {
        alt('G');
        taps({VK_LEFT, VK_ESCAPE, VK_ESCAPE});
    });
    scenario(w, "Alt+R, mnemonic H", [] {
        alt('R');
        input::tap('H');
    });
    scenario(w, "Alt+Q matches no title", [] { alt('Q'); });
    scenario(w, "Alt tapped, Alt tapped", [] { taps({VK_MENU, VK_MENU}); });
    scenario(w, "title clicked open and closed", [w] {
        input::click(w, 15, -8);
        input::click(w, 15, -8);
    });
    scenario(w, "title clicked, item clicked", [w] {
        input::click(w, 15, -8);
        input::click(w, 30, 28);
    });
    staged_scenario(w, "title clicked, mouse over an item, then out of the popup",
                    {[w] { input::click(w, 15, -8); }, [w] { input::move(w, 30, 12); },
                     [w] { input::move(w, 200, 150); }, [] { input::tap(VK_ESCAPE); },
                     [] { input::tap(VK_ESCAPE); }});
    system_menu_sections(w);
    // Last, as it closes the window: DefWindowProc turns Alt+F4 into SC_CLOSE, then WM_CLOSE.
    scenario(w, "Alt+F4", [] { alt(VK_F4); });
    w = make_window(WS_CAPTION | WS_SYSMENU, false);
    scenario(w, "fixed frame: Alt+Space, Escape", [] {
        alt(VK_SPACE);
        input::tap(VK_ESCAPE);
    });
    scenario(w, "fixed frame: Alt+F4", [] { alt(VK_F4); });
    w = make_window(WS_OVERLAPPEDWINDOW, false);
    no_bar_sections(w);
    DestroyWindow(w);
    return 0;
}
