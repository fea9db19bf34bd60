// menu_modal_loop.cpp: the modal menu loop run inside the dispatch that opened a menu.
//
// Depends on the window system's queue (GetMessageA, TranslateMessage, DispatchMessageA,
// PostMessageA, PostQuitMessage) and its presentation (user/window_surface.h). The loop handles
// mouse and keyboard messages itself and dispatches everything else, so timers and painting go on
// while a menu is open and the program sees no input until it closes. A chosen command is posted as
// WM_COMMAND after the loop has ended. One menu is tracked at a time; a request to open another
// while one is open is ignored.
#include "user/menu/menu_modal_loop.h"

#include "user/menu/menu_font.h"
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

TrackStep handle_mouse(MenuStateMachine &tracker, const MSG &msg) {
    const int x = signed_low(msg.lParam);
    const int y = signed_high(msg.lParam);
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
            // Keys that are not menu keys come back as characters, which choose by mnemonic.
            if (!tracker.key_down(static_cast<int>(msg.wParam), step)) TranslateMessage(&msg);
            return step;
        case WM_CHAR:
        case WM_SYSCHAR: return tracker.character(static_cast<unsigned char>(msg.wParam));
        default:
            if (tracker.key_up(static_cast<int>(msg.wParam), step)) return step;
            // Other releases still reach the window, so a program tracking Ctrl does not see it
            // stuck; WM_SYSKEYUP is the release of a key that drove the menu and goes nowhere.
            if (msg.message == WM_KEYUP) DispatchMessageA(&msg);
            return step;
    }
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

void notify_popup_opened(const MenuStateMachine &tracker) {
    SendMessageA(tracker.owner(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tracker.open_popup()),
                 MAKELPARAM(tracker.bar_selection(), FALSE));
}

// Present and notify when the menu's look changed since the last look.
void follow_changes(const MenuStateMachine &tracker, unsigned &revision, unsigned &popups) {
    if (tracker.popups_opened() != popups && tracker.open_popup() != nullptr) {
        popups = tracker.popups_opened();
        notify_popup_opened(tracker);
    }
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

LoopEnd pump_until_closed(MenuStateMachine &tracker) {
    LoopEnd end;
    unsigned revision = tracker.revision() + 1;  // present once at the start
    unsigned popups = 0;
    follow_changes(tracker, revision, popups);
    while (!tracker.finished()) {
        MSG msg{};
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            end.quit = true;
            end.quit_code = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) break;  // nothing was retrieved, so nothing is dispatched
        const TrackStep step = handle_message(tracker, msg);
        if (step.leave_click) PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        if (step.finished) {
            end.step = step;
            break;
        }
        if (!tracker.finished()) follow_changes(tracker, revision, popups);
    }
    return end;
}

// Run the loop for a tracker that has already taken its first input.
void run_menu_loop(MenuStateMachine &tracker, TrackStep first) {
    const HWND owner = tracker.owner();
    active_tracker = &tracker;
    SendMessageA(owner, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(owner, WM_INITMENU, reinterpret_cast<WPARAM>(tracker.bar()), 0);
    LoopEnd end;
    if (first.finished) {
        end.step = first;
    } else if (!tracker.finished()) {
        end = pump_until_closed(tracker);
    }
    active_tracker = nullptr;
    if (IsWindow(owner)) {
        SendMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
        window_request_present(owner);
        if (end.step.has_command) {
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
    if (active_tracker->bar() == menu || active_tracker->open_popup() == menu) {
        active_tracker->cancel();
    }
}

void menu_track_mouse(HWND owner, int x, int y) {
    const HMENU bar = window_attached_menu(owner);
    if (active_tracker != nullptr || menu_object(bar) == nullptr) return;
    MenuFontDC font;
    MenuStateMachine tracker(owner, bar, client_width(owner), font.measure());
    if (!tracker.start_with_press(x, y)) return;
    run_menu_loop(tracker, TrackStep{});
}

void menu_track_keyboard(HWND owner, int key) {
    const HMENU bar = window_attached_menu(owner);
    if (active_tracker != nullptr || menu_object(bar) == nullptr) return;
    MenuFontDC font;
    MenuStateMachine tracker(owner, bar, client_width(owner), font.measure());
    const TrackStep first = tracker.start_with_key(key);
    // Alt with a letter that no title has opens nothing and sends nothing.
    if (first.finished && !first.has_command) return;
    run_menu_loop(tracker, first);
}

void menu_window_destroyed(HWND owner) {
    if (active_tracker != nullptr && active_tracker->owner() == owner) active_tracker->cancel();
    menus_window_destroyed(owner);
}

}  // namespace platform
