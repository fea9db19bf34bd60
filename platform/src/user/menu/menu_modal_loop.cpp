// menu_modal_loop.cpp: the modal menu loop run inside the dispatch that opened a menu.
//
// Depends on the window system's queue (GetMessageA, TranslateMessage, DispatchMessageA,
// PostMessageA, PostQuitMessage), the keyboard state and the presentation
// (user/window_surface.h). The loop eats every mouse and keyboard message it takes, key-ups
// included, and dispatches everything else, so timers and painting go on while a menu is open and
// the program sees no input until it closes. The owner hears WM_ENTERMENULOOP and WM_INITMENU,
// the highlight changes (menu_notifications.h), WM_MENUCHAR for a character no item has, and on
// close the final WM_MENUSELECT and WM_EXITMENULOOP; a chosen command is posted after that, as
// WM_COMMAND, or WM_SYSCOMMAND from the system menu. One menu is tracked at a time; a request to
// open another while one is open is ignored.
#include "user/menu/menu_modal_loop.h"

#include "user/keyboard_state.h"
#include "user/menu/menu_font.h"
#include "user/menu/menu_notifications.h"
#include "user/menu/system_menu.h"
#include "user/window_layout.h"
#include "user/window_surface.h"

namespace platform {
namespace {

MenuStateMachine *active_tracker = nullptr;

short signed_low(LPARAM value) { return static_cast<short>(LOWORD(value)); }
short signed_high(LPARAM value) { return static_cast<short>(HIWORD(value)); }

bool is_mouse_message(UINT message) {
    return message == WM_NCLBUTTONDOWN || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_MOUSEMOVE;
}

bool is_keyboard_message(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP ||
           message == WM_SYSKEYUP || message == WM_CHAR || message == WM_SYSCHAR;
}

int client_width(HWND owner) {
    RECT client{0, 0, 0, 0};
    GetClientRect(owner, &client);
    return static_cast<int>(client.right - client.left);
}

// The client point of a mouse message; WM_NCLBUTTONDOWN carries a screen point.
POINT client_point(const MSG &msg) {
    POINT at{signed_low(msg.lParam), signed_high(msg.lParam)};
    const Window *window = find_window(msg.hwnd);
    if (msg.message == WM_NCLBUTTONDOWN && window != nullptr) {
        const POINT origin = window_client_origin(*window);
        at.x -= origin.x;
        at.y -= origin.y;
    }
    return at;
}

TrackStep handle_mouse(MenuStateMachine &tracker, const MSG &msg) {
    const POINT at = client_point(msg);
    const int x = static_cast<int>(at.x);
    const int y = static_cast<int>(at.y);
    if (msg.hwnd != tracker.owner()) {
        // A press in another window ends the menu; that window still gets the press.
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN) {
            tracker.cancel();
            TrackStep step;
            step.finished = true;
            step.leave_click = true;
            return step;
        }
        return TrackStep{};
    }
    switch (msg.message) {
        case WM_NCLBUTTONDOWN:
        case WM_LBUTTONDOWN: return tracker.press(x, y);
        case WM_LBUTTONUP: return tracker.release(x, y);
        default: return tracker.move(x, y);
    }
}

TrackStep handle_keyboard(MenuStateMachine &tracker, const MSG &msg) {
    TrackStep step;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // The menu took this key: its release must not enter the menu again.
            keyboard_forget_menu_key();
            // Keys that are not menu keys come back as characters, which choose by mnemonic.
            if (!tracker.key_down(static_cast<int>(msg.wParam), step)) TranslateMessage(&msg);
            return step;
        case WM_CHAR:
        case WM_SYSCHAR: return tracker.character(static_cast<unsigned char>(msg.wParam));
        default:
            // Releases are eaten too; the key state already follows them, so none stays held.
            return step;
    }
}

// Ask the owner about a character no item has; an ignored one beeps.
TrackStep ask_menu_char(MenuStateMachine &tracker, const TrackStep &step) {
    const WORD flags = static_cast<WORD>((step.char_in_popup ? MF_POPUP : 0) |
                                         (step.char_in_system ? MF_SYSMENU : 0));
    const LRESULT answer = SendMessageA(tracker.owner(), WM_MENUCHAR, MAKEWPARAM(step.typed, flags),
                                        reinterpret_cast<LPARAM>(step.char_menu));
    const int action = HIWORD(answer);
    if (action == kMenuCharIgnore) MessageBeep(0);
    if (tracker.finished()) {
        TrackStep ended;
        ended.finished = true;
        return ended;
    }
    return tracker.menu_char_answer(action, LOWORD(answer));
}

// One retrieved message; returns what it did to the menu.
TrackStep handle_message(MenuStateMachine &tracker, const MSG &msg) {
    if (is_mouse_message(msg.message)) return handle_mouse(tracker, msg);
    if (is_keyboard_message(msg.message)) return handle_keyboard(tracker, msg);
    if (msg.message == WM_CANCELMODE) {
        tracker.cancel();
        TrackStep step;
        step.finished = true;
        return step;
    }
    DispatchMessageA(&msg);
    return TrackStep{};
}

// Present and notify when the menu's look changed since the last look.
void follow_changes(const MenuStateMachine &tracker, MenuNotifications &notes, unsigned &revision) {
    notes.follow(tracker);
    if (tracker.revision() != revision) {
        revision = tracker.revision();
        window_request_present(tracker.owner());
    }
}

struct LoopEnd {
    TrackStep step;
    bool quit = false;
    int quit_code = 0;
};

LoopEnd pump_until_closed(MenuStateMachine &tracker, MenuNotifications &notes) {
    LoopEnd end;
    unsigned revision = tracker.revision() + 1;  // present once at the start
    follow_changes(tracker, notes, revision);
    while (!tracker.finished()) {
        MSG msg{};
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            end.quit = true;
            end.quit_code = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) break;  // nothing was retrieved, so nothing is dispatched
        TrackStep step = handle_message(tracker, msg);
        if (step.unmatched_char) step = ask_menu_char(tracker, step);
        if (step.leave_click) PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        if (step.finished) {
            end.step = step;
            break;
        }
        if (!tracker.finished()) follow_changes(tracker, notes, revision);
    }
    return end;
}

// Run the loop for a tracker that has already taken its first input.
void run_menu_loop(MenuStateMachine &tracker, TrackStep first) {
    const HWND owner = tracker.owner();
    active_tracker = &tracker;
    MenuNotifications notes(owner);
    SendMessageA(owner, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(owner, WM_INITMENU, reinterpret_cast<WPARAM>(tracker.row()), 0);
    if (first.unmatched_char && !tracker.finished()) first = ask_menu_char(tracker, first);
    LoopEnd end;
    if (first.finished) {
        end.step = first;
        if (!tracker.finished()) tracker.cancel();
    } else if (!tracker.finished()) {
        end = pump_until_closed(tracker, notes);
    }
    active_tracker = nullptr;
    if (IsWindow(owner)) {
        notes.follow(tracker);  // the highlight the last key made, before the menu goes
        notes.close();
        SendMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
        window_request_present(owner);
        if (end.step.has_command && end.step.system_command) {
            PostMessageA(owner, WM_SYSCOMMAND, end.step.command, 0);
        } else if (end.step.has_command) {
            PostMessageA(owner, WM_COMMAND, MAKEWPARAM(end.step.command, 0), 0);
        }
    }
    // The quit message belongs to the loop outside this one.
    if (end.quit) PostQuitMessage(end.quit_code);
}

}  // namespace

const MenuStateMachine *menu_state_of(HWND owner) {
    return active_tracker != nullptr && active_tracker->owner() == owner &&
                   !active_tracker->finished()
               ? active_tracker
               : nullptr;
}

void menu_tracking_forget_menu(HMENU menu) {
    if (active_tracker == nullptr) return;
    if (active_tracker->bar() == menu || active_tracker->row() == menu ||
        active_tracker->open_popup() == menu) {
        active_tracker->cancel();
    }
}

void menu_track_mouse(HWND owner, int x, int y) {
    const HMENU bar = window_attached_menu(owner);
    if (active_tracker != nullptr || menu_object(bar) == nullptr) return;
    MenuFontDC font;
    MenuStateMachine tracker(owner, bar, system_menu_row(owner), client_width(owner),
                             font.measure());
    if (!tracker.start_with_press(x, y)) return;
    run_menu_loop(tracker, TrackStep{});
}

void menu_track_keyboard(HWND owner, int key) {
    const HMENU bar =
        menu_object(window_attached_menu(owner)) != nullptr ? window_attached_menu(owner) : nullptr;
    const HMENU system = system_menu_row(owner);
    if (active_tracker != nullptr || (bar == nullptr && system == nullptr)) return;
    MenuFontDC font;
    MenuStateMachine tracker(owner, bar, system, client_width(owner), font.measure());
    const TrackStep first = tracker.start_with_key(key);
    if (first.finished && !first.has_command) return;  // no menu to enter
    run_menu_loop(tracker, first);
}

void menu_window_destroyed(HWND owner) {
    if (active_tracker != nullptr && active_tracker->owner() == owner) active_tracker->cancel();
    menus_window_destroyed(owner);
    system_menu_window_destroyed(owner);
}

}  // namespace platform
