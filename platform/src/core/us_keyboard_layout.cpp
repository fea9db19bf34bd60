// us_keyboard_layout.cpp: tables of the US layout: scan codes and characters per modifier state.
//
// The rules are Windows' (letters follow Shift XOR CapsLock; Ctrl+letter gives 1..26 whatever
// Shift says; Ctrl+Alt gives nothing, since the US layout has no AltGr). Numpad digit keys give
// digits (the host picks VK_NUMPADn only when NumLock is on).
#include "core/us_keyboard_layout.h"

#include <windows.h>

#include <array>

namespace platform {

namespace {

struct ScanEntry {
    int vk;
    int code;
    bool extended;
};

constexpr std::array<ScanEntry, 62> kScanTable = {{
    {VK_ESCAPE, 0x01, false},   {VK_BACK, 0x0E, false},      {VK_TAB, 0x0F, false},
    {VK_RETURN, 0x1C, false},   {VK_CONTROL, 0x1D, false},   {VK_SHIFT, 0x2A, false},
    {VK_MENU, 0x38, false},     {VK_SPACE, 0x39, false},     {VK_CAPITAL, 0x3A, false},
    {VK_NUMLOCK, 0x45, false},  {VK_PAUSE, 0x45, true},      {VK_OEM_MINUS, 0x0C, false},
    {VK_OEM_PLUS, 0x0D, false}, {VK_OEM_4, 0x1A, false},     {VK_OEM_6, 0x1B, false},
    {VK_OEM_1, 0x27, false},    {VK_OEM_7, 0x28, false},     {VK_OEM_3, 0x29, false},
    {VK_OEM_5, 0x2B, false},    {VK_OEM_COMMA, 0x33, false}, {VK_OEM_PERIOD, 0x34, false},
    {VK_OEM_2, 0x35, false},    {VK_MULTIPLY, 0x37, false},  {VK_SUBTRACT, 0x4A, false},
    {VK_ADD, 0x4E, false},      {VK_DECIMAL, 0x53, false},   {VK_DIVIDE, 0x35, true},
    {VK_NUMPAD7, 0x47, false},  {VK_NUMPAD8, 0x48, false},   {VK_NUMPAD9, 0x49, false},
    {VK_NUMPAD4, 0x4B, false},  {VK_NUMPAD5, 0x4C, false},   {VK_NUMPAD6, 0x4D, false},
    {VK_NUMPAD1, 0x4F, false},  {VK_NUMPAD2, 0x50, false},   {VK_NUMPAD3, 0x51, false},
    {VK_NUMPAD0, 0x52, false},  {VK_CLEAR, 0x4C, false},     {VK_HOME, 0x47, true},
    {VK_UP, 0x48, true},        {VK_PRIOR, 0x49, true},      {VK_LEFT, 0x4B, true},
    {VK_RIGHT, 0x4D, true},     {VK_END, 0x4F, true},        {VK_DOWN, 0x50, true},
    {VK_NEXT, 0x51, true},      {VK_INSERT, 0x52, true},     {VK_DELETE, 0x53, true},
    {VK_F1, 0x3B, false},       {VK_F1 + 1, 0x3C, false},    {VK_F1 + 2, 0x3D, false},
    {VK_F1 + 3, 0x3E, false},   {VK_F1 + 4, 0x3F, false},    {VK_F1 + 5, 0x40, false},
    {VK_F1 + 6, 0x41, false},   {VK_F1 + 7, 0x42, false},    {VK_F1 + 8, 0x43, false},
    {VK_F1 + 9, 0x44, false},   {VK_F1 + 10, 0x57, false},   {VK_F1 + 11, 0x58, false},
    {0x5B, 0x5B, true},         {0x5D, 0x5D, true},
}};

// Scan codes of the letters A..Z and the digits 0..9.
constexpr std::array<int, 26> kLetterScan = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                             0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                             0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
constexpr std::array<int, 10> kDigitScan = {0x0B, 0x02, 0x03, 0x04, 0x05,
                                            0x06, 0x07, 0x08, 0x09, 0x0A};

struct PunctuationEntry {
    int vk;
    char plain;
    char shifted;
    int ctrl;        // with Ctrl alone, -1 for none
    int ctrl_shift;  // with Ctrl and Shift, -1 for none
};

constexpr std::array<PunctuationEntry, 11> kPunctuation = {{
    {VK_OEM_1, ';', ':', -1, -1},
    {VK_OEM_PLUS, '=', '+', -1, -1},
    {VK_OEM_COMMA, ',', '<', -1, -1},
    {VK_OEM_MINUS, '-', '_', -1, 0x1F},
    {VK_OEM_PERIOD, '.', '>', -1, -1},
    {VK_OEM_2, '/', '?', -1, -1},
    {VK_OEM_3, '`', '~', -1, -1},
    {VK_OEM_4, '[', '{', 0x1B, -1},
    {VK_OEM_5, '\\', '|', 0x1C, -1},
    {VK_OEM_6, ']', '}', 0x1D, -1},
    {VK_OEM_7, '\'', '"', -1, -1},
}};

constexpr char kShiftedDigits[] = ")!@#$%^&*(";

int letter_char(int vk, const Modifiers &mods) {
    if (mods.ctrl) return vk - 'A' + 1;
    bool upper = mods.shift != mods.caps_lock;
    return upper ? vk : vk - 'A' + 'a';
}

int digit_char(int vk, const Modifiers &mods) {
    if (mods.ctrl) {
        if (mods.shift && vk == '2') return 0x00;
        if (mods.shift && vk == '6') return 0x1E;
        return -1;
    }
    return mods.shift ? kShiftedDigits[vk - '0'] : vk;
}

int punctuation_char(const PunctuationEntry &entry, const Modifiers &mods) {
    if (mods.ctrl) return mods.shift ? entry.ctrl_shift : entry.ctrl;
    return mods.shift ? entry.shifted : entry.plain;
}

// Keys whose character does not depend on letters or punctuation tables.
int special_key_char(int vk, const Modifiers &mods) {
    switch (vk) {
        case VK_BACK: return mods.ctrl ? 0x7F : 0x08;
        case VK_RETURN: return mods.ctrl ? 0x0A : 0x0D;
        case VK_ESCAPE: return 0x1B;
        case VK_TAB: return mods.ctrl ? -1 : 0x09;
        case VK_SPACE: return 0x20;
        case VK_DECIMAL: return mods.ctrl ? -1 : '.';
        case VK_MULTIPLY: return mods.ctrl ? -1 : '*';
        case VK_ADD: return mods.ctrl ? -1 : '+';
        case VK_SUBTRACT: return mods.ctrl ? -1 : '-';
        case VK_DIVIDE: return mods.ctrl ? -1 : '/';
        default: break;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return mods.ctrl ? -1 : '0' + (vk - VK_NUMPAD0);
    return -1;
}

}  // namespace

ScanCode scan_code_for_virtual_key(int vk) {
    if (vk >= 'A' && vk <= 'Z') return {kLetterScan[vk - 'A'], false};
    if (vk >= '0' && vk <= '9') return {kDigitScan[vk - '0'], false};
    for (const ScanEntry &entry : kScanTable) {
        if (entry.vk == vk) return {entry.code, entry.extended};
    }
    return {};
}

int us_layout_char(int vk, const Modifiers &mods) {
    if (mods.ctrl && mods.alt) return -1;
    if (vk >= 'A' && vk <= 'Z') return letter_char(vk, mods);
    if (vk >= '0' && vk <= '9') return digit_char(vk, mods);
    for (const PunctuationEntry &entry : kPunctuation) {
        if (entry.vk == vk) return punctuation_char(entry, mods);
    }
    return special_key_char(vk, mods);
}

bool us_layout_key_for_char(unsigned char byte, KeyStroke *stroke) {
    // Plain keys first, then Shift, then Ctrl, so the simplest stroke wins ('\r' is Enter, not
    // Ctrl+M; '0' is the main row, not the numpad).
    static constexpr std::array<std::array<bool, 2>, 4> kOrder = {
        {{false, false}, {true, false}, {false, true}, {true, true}}};
    for (const auto &shift_ctrl : kOrder) {
        Modifiers mods;
        mods.shift = shift_ctrl[0];
        mods.ctrl = shift_ctrl[1];
        for (int vk = 1; vk < 0xFF; ++vk) {
            if (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) continue;  // prefer the main keyboard
            if (us_layout_char(vk, mods) == byte) {
                *stroke = {vk, mods.shift, mods.ctrl};
                return true;
            }
        }
    }
    return false;
}

}  // namespace platform
