// us_keyboard_layout.h: the US keyboard layout as Windows describes it: virtual-key codes, set-1
// scan codes and the character each key gives for a state of the modifier keys.
//
// Pure functions over fixed tables; no state. Used by the keyboard state (translation), by the
// hosts (building key messages) and by the headless host (finding the keys that type a byte).
#pragma once

namespace platform {

// A virtual key that no US key has, used to type a Windows-1252 byte above 127.
constexpr int kVirtualKeyForeignChar = 0xDF;  // VK_OEM_8

struct ScanCode {
    int code = 0;           // set-1 make code, 0 when the key has none
    bool extended = false;  // the E0-prefixed (right-hand or grey) key
};

// The scan code of a virtual key on a US keyboard (the extended navigation keys for VK_HOME and
// friends, the numpad keys for VK_NUMPAD0..9).
ScanCode scan_code_for_virtual_key(int vk);

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool caps_lock = false;
};

// The character the US layout gives for `vk` with these modifiers, or -1 for none.
int us_layout_char(int vk, const Modifiers &mods);

struct KeyStroke {
    int vk = 0;
    bool shift = false;
    bool ctrl = false;
};

// The key and modifiers that type `byte` on a US keyboard (CapsLock off, Alt up); false for a
// byte no US key gives (everything above 127).
bool us_layout_key_for_char(unsigned char byte, KeyStroke *stroke);

}  // namespace platform
