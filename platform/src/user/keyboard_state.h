// keyboard_state.h: the two key states Windows keeps and the key messages built from them.
//
// The *input* state follows the keyboard as the host reports it; it decides which key message a
// key makes (WM_KEYDOWN or WM_SYSKEYDOWN, the auto-repeat bit). The *thread* state follows the
// key messages the program has retrieved; GetKeyState and TranslateMessage read it, so a key
// message forwarded with PostMessageA translates exactly like the original.
//
// Also kept here: characters a non-US host layout gave for a scan code (TranslateMessage
// prefers them), and whether Alt or F10 was pressed alone (the keyboard entry to the menu bar).
#pragma once

#include <windows.h>

namespace platform {

struct KeyMessage {
    UINT message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

// A key went down or up: update the input state and build its message.
KeyMessage keyboard_input_event(int vk, int scan, bool extended, bool down);
// True while the input state has the key down.
bool keyboard_input_key_down(int vk);

// A message was retrieved from the input queue: keep the thread state in step.
void keyboard_note_retrieved(const MSG &msg);
// DefWindowProcA's view of Alt or F10 pressed and released alone: returns true (once) when the
// key-up `vk` ends such a press.
bool keyboard_take_menu_key_release(int vk);
// The open menu took a key-down: the release of Alt or F10 that follows is no longer alone.
void keyboard_forget_menu_key();

// The host's CapsLock light: keeps both states' toggle in step with the desktop.
void keyboard_sync_caps_lock(bool on);

// Remember the character the host's layout gives for a scan code with the Shift and Alt keys as
// the input state has them (so an AltGr character never replaces the plain one).
void keyboard_remember_char(int scan, unsigned char code);
// The host's layout typed `code` with the key-down `vk` / `scan`: remember it when the US table
// gives another character for that key with the modifiers the input state has now.
void keyboard_note_host_char(int vk, int scan, unsigned char code);
// The character a key-down message gives with the current thread state, or -1 for none.
int keyboard_char_for_key_message(WPARAM vk, LPARAM lparam);

}  // namespace platform
