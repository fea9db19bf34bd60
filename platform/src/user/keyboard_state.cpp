// keyboard_state.cpp: key states, key-message building, GetKeyState and TranslateMessage.
//
// Depends on keyboard_layout (the US tables) and the message queue (PostMessageA). One thread.
// Sided modifier keys are tracked separately (VK_LSHIFT..VK_RMENU) so that releasing one of two
// held Shift keys leaves VK_SHIFT down, as on Windows.
#include "user/keyboard_state.h"
#include "core/memory_exhaustion.h"

#include <array>
#include <cstdint>

#include "core/us_keyboard_layout.h"

namespace platform {

namespace {

constexpr int kLeftShift = 0xA0, kRightShift = 0xA1, kLeftControl = 0xA2, kRightControl = 0xA3,
              kLeftMenu = 0xA4, kRightMenu = 0xA5;
constexpr int kRightShiftScan = 0x36;
constexpr std::uint8_t kDown = 0x80, kToggled = 0x01;

using KeyTable = std::array<std::uint8_t, 256>;

KeyTable input_state{};
KeyTable thread_state{};
// Characters of a non-US host layout, by scan code and modifier slot (Shift 1, Alt 2).
std::array<std::array<short, 4>, 256> remembered{};
bool remembered_initialised = false;
// The input side: Alt went down and no other key since, so its release is WM_SYSKEYUP.
bool alt_alone_input = false;
// The thread side: VK_MENU or VK_F10 pressed with nothing else since (0 for none).
int menu_key_armed = 0;

bool is_down(const KeyTable &table, int vk) { return (table[vk & 0xFF] & kDown) != 0; }

// The sided key that a generic modifier stands for, judged by scan code and extended bit.
int sided_key(int vk, int scan, bool extended) {
    switch (vk) {
        case VK_SHIFT: return scan == kRightShiftScan ? kRightShift : kLeftShift;
        case VK_CONTROL: return extended ? kRightControl : kLeftControl;
        case VK_MENU: return extended ? kRightMenu : kLeftMenu;
        default: return 0;
    }
}

void refresh_generic(KeyTable &table, int generic, int left, int right) {
    bool down = is_down(table, left) || is_down(table, right);
    table[generic] = static_cast<std::uint8_t>((table[generic] & kToggled) | (down ? kDown : 0));
}

// Apply a key transition to a table: the toggle bit flips on each fresh press.
void apply_transition(KeyTable &table, int vk, int scan, bool extended, bool down) {
    vk &= 0xFF;
    int sided = sided_key(vk, scan, extended);
    int target = sided != 0 ? sided : vk;
    bool was_down = is_down(table, target);
    std::uint8_t toggle = table[target] & kToggled;
    if (down && !was_down) toggle ^= kToggled;
    table[target] = static_cast<std::uint8_t>(toggle | (down ? kDown : 0));
    if (sided != 0) {
        if (down && !was_down) table[vk] ^= kToggled;
        refresh_generic(table, VK_SHIFT, kLeftShift, kRightShift);
        refresh_generic(table, VK_CONTROL, kLeftControl, kRightControl);
        refresh_generic(table, VK_MENU, kLeftMenu, kRightMenu);
    }
}

UINT key_message_kind(int vk, bool down, bool alt, bool ctrl) {
    bool sys = vk == VK_F10 || (alt && !ctrl);
    if (!down && vk == VK_MENU) sys = alt_alone_input && !ctrl;
    if (down) return sys ? WM_SYSKEYDOWN : WM_KEYDOWN;
    return sys ? WM_SYSKEYUP : WM_KEYUP;
}

LPARAM key_lparam(int scan, bool extended, bool alt_context, bool was_down, bool down) {
    std::uint32_t bits = 1u;  // repeat count
    bits |= static_cast<std::uint32_t>(scan & 0xFF) << 16;
    if (extended) bits |= 1u << 24;
    if (alt_context) bits |= 1u << 29;
    if (was_down || !down) bits |= 1u << 30;
    if (!down) bits |= 1u << 31;
    return static_cast<LPARAM>(bits);
}

void init_remembered() {
    if (remembered_initialised) return;
    for (auto &slots : remembered) slots = {-1, -1, -1, -1};
    remembered_initialised = true;
}

bool is_key_message(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP;
}

void note_menu_key(const MSG &msg) {
    bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    if (!down) return;
    int vk = static_cast<int>(msg.wParam);
    bool repeat = (msg.lParam & (1L << 30)) != 0;
    if (vk == VK_MENU || vk == VK_F10) {
        if (!repeat || menu_key_armed != vk) menu_key_armed = repeat ? 0 : vk;
    } else {
        menu_key_armed = 0;
    }
}

// The slot of the remembered characters for the Shift and Alt keys of a state.
int modifier_slot(const KeyTable &table) {
    return (is_down(table, VK_SHIFT) ? 1 : 0) | (is_down(table, VK_MENU) ? 2 : 0);
}

}  // namespace

KeyMessage keyboard_input_event(int vk, int scan, bool extended, bool down) {
    vk &= 0xFF;
    int sided = sided_key(vk, scan, extended);
    bool was_down = is_down(input_state, sided != 0 ? sided : vk);
    if (down && vk == VK_MENU && !was_down)
        alt_alone_input = true;
    else if (down && vk != VK_MENU)
        alt_alone_input = false;
    apply_transition(input_state, vk, scan, extended, down);
    bool alt = is_down(input_state, VK_MENU);
    bool ctrl = is_down(input_state, VK_CONTROL);
    KeyMessage out;
    out.message = key_message_kind(vk, down, alt, ctrl);
    out.wparam = static_cast<WPARAM>(vk);
    // The context bit says whether Alt is down as the key moves: after the move, so the release
    // of Alt itself has it clear.
    out.lparam = key_lparam(scan, extended, alt, was_down, down);
    if (!down && vk == VK_MENU) alt_alone_input = false;
    return out;
}

bool keyboard_input_key_down(int vk) { return is_down(input_state, vk); }

void keyboard_note_retrieved(const MSG &msg) {
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN) menu_key_armed = 0;
    if (!is_key_message(msg.message)) return;
    bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    int scan = static_cast<int>((msg.lParam >> 16) & 0xFF);
    bool extended = (msg.lParam & (1L << 24)) != 0;
    apply_transition(thread_state, static_cast<int>(msg.wParam), scan, extended, down);
    note_menu_key(msg);
}

bool keyboard_take_menu_key_release(int vk) {
    bool matches = menu_key_armed != 0 && menu_key_armed == vk;
    if (matches || vk == VK_MENU || vk == VK_F10) menu_key_armed = 0;
    return matches;
}

void keyboard_forget_menu_key() { menu_key_armed = 0; }

void keyboard_sync_caps_lock(bool on) {
    for (KeyTable *table : {&input_state, &thread_state}) {
        std::uint8_t &caps = (*table)[VK_CAPITAL];
        caps = static_cast<std::uint8_t>((caps & kDown) | (on ? kToggled : 0));
    }
}

void keyboard_remember_char(int scan, unsigned char code) {
    init_remembered();
    remembered[scan & 0xFF][modifier_slot(input_state)] = code;
}

void keyboard_note_host_char(int vk, int scan, unsigned char code) {
    Modifiers mods;
    mods.shift = is_down(input_state, VK_SHIFT);
    mods.ctrl = is_down(input_state, VK_CONTROL);
    mods.alt = is_down(input_state, VK_MENU);
    mods.caps_lock = (input_state[VK_CAPITAL] & kToggled) != 0;
    if (us_layout_char(vk & 0xFF, mods) != code) keyboard_remember_char(scan, code);
}

int keyboard_char_for_key_message(WPARAM vk, LPARAM lparam) {
    init_remembered();
    Modifiers mods;
    mods.shift = is_down(thread_state, VK_SHIFT);
    mods.ctrl = is_down(thread_state, VK_CONTROL);
    mods.alt = is_down(thread_state, VK_MENU);
    mods.caps_lock = (thread_state[VK_CAPITAL] & kToggled) != 0;
    int scan = static_cast<int>((lparam >> 16) & 0xFF);
    short known = remembered[scan][modifier_slot(thread_state)];
    if (known >= 0 && !mods.ctrl) return known;
    return us_layout_char(static_cast<int>(vk & 0xFF), mods);
}

}  // namespace platform

extern "C" short WINAPI GetKeyState(int virtual_key) {
    return platform::fail_when_memory_runs_out<short>(static_cast<short>(0), [&]() -> short {
        if (virtual_key < 0 || virtual_key > 0xFF) return 0;
        std::uint8_t state = platform::thread_state[static_cast<unsigned>(virtual_key)];
        short value = (state & platform::kDown) != 0 ? static_cast<short>(0xFF80) : 0;
        return static_cast<short>(value | (state & platform::kToggled));
    });
}

// Nonzero for every keyboard message (WM_KEYFIRST to WM_KEYLAST, characters included), whether
// or not it posted a character; zero for any other message.
extern "C" BOOL WINAPI TranslateMessage(const MSG *msg) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        if (msg == nullptr || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
        if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
            int ch = platform::keyboard_char_for_key_message(msg->wParam, msg->lParam);
            if (ch >= 0) {
                UINT kind = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
                PostMessageA(msg->hwnd, kind, static_cast<WPARAM>(ch), msg->lParam);
            }
        }
        return TRUE;
    });
}
