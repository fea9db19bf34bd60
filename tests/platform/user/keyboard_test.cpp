// Tests of key messages and TranslateMessage with the US layout: which message a key makes, the
// lParam bits, the character for each modifier state, forwarded and repeated keys, bytes above
// 127, and the Windows-1252 conversion the hosts use.
#include <gtest/gtest.h>

#include "core/codepage_1252.h"
#include "core/us_keyboard_layout.h"
#include "host/host_input.h"
#include "recording_window.h"

namespace {

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        recording::register_class();
        window = recording::make_window("Keys");
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
        recording::drain();
    }

    // Press `vk` with the given modifiers held and return the characters translated from it.
    std::vector<WPARAM> chars_for(int vk, std::initializer_list<int> modifiers = {}) {
        for (int m : modifiers) headless_host_key(m, 1);
        headless_host_key(vk, 1);
        headless_host_key(vk, 0);
        for (int m : modifiers) headless_host_key(m, 0);
        std::vector<MSG> got = recording::drain();
        std::vector<WPARAM> chars = recording::params_of(got, WM_CHAR);
        for (WPARAM c : recording::params_of(got, WM_SYSCHAR)) chars.push_back(c);
        return chars;
    }

    HWND window = nullptr;
};

using Chars = std::vector<WPARAM>;

TEST_F(Keyboard, LettersFollowShiftAndCapsLockAndCtrlGivesControlCodes) {
    EXPECT_EQ(chars_for('A'), Chars{'a'});
    EXPECT_EQ(chars_for('A', {VK_SHIFT}), Chars{'A'});
    EXPECT_EQ(chars_for('Z', {VK_CONTROL}), Chars{0x1A});
    EXPECT_EQ(chars_for('A', {VK_CONTROL, VK_SHIFT}), Chars{0x01}) << "Shift makes no difference";
    EXPECT_EQ(chars_for('A', {VK_CONTROL, VK_MENU}), Chars{}) << "Ctrl+Alt gives nothing";
    chars_for(VK_CAPITAL);
    EXPECT_EQ(chars_for('Q'), Chars{'Q'});
    EXPECT_EQ(chars_for('Q', {VK_SHIFT}), Chars{'q'}) << "CapsLock toggles Shift";
    EXPECT_EQ(chars_for('1'), Chars{'1'}) << "CapsLock leaves digits alone";
}

TEST_F(Keyboard, DigitsPunctuationAndSpecialKeysFollowTheUsTable) {
    EXPECT_EQ(chars_for('2', {VK_SHIFT}), Chars{'@'});
    EXPECT_EQ(chars_for('0', {VK_SHIFT}), Chars{')'});
    EXPECT_EQ(chars_for('1', {VK_CONTROL}), Chars{});
    EXPECT_EQ(chars_for('2', {VK_CONTROL, VK_SHIFT}), Chars{0x00});
    EXPECT_EQ(chars_for('6', {VK_CONTROL, VK_SHIFT}), Chars{0x1E});
    EXPECT_EQ(chars_for(VK_OEM_4, {VK_CONTROL}), Chars{0x1B});
    EXPECT_EQ(chars_for(VK_OEM_5, {VK_CONTROL}), Chars{0x1C});
    EXPECT_EQ(chars_for(VK_OEM_MINUS, {VK_CONTROL}), Chars{});
    EXPECT_EQ(chars_for(VK_OEM_MINUS, {VK_CONTROL, VK_SHIFT}), Chars{0x1F});
    EXPECT_EQ(chars_for(VK_OEM_7, {VK_SHIFT}), Chars{'"'});
    EXPECT_EQ(chars_for(VK_BACK), Chars{0x08});
    EXPECT_EQ(chars_for(VK_BACK, {VK_CONTROL}), Chars{0x7F});
    EXPECT_EQ(chars_for(VK_RETURN), Chars{0x0D});
    EXPECT_EQ(chars_for(VK_RETURN, {VK_CONTROL}), Chars{0x0A});
    EXPECT_EQ(chars_for(VK_ESCAPE, {VK_SHIFT}), Chars{0x1B});
    EXPECT_EQ(chars_for(VK_SPACE, {VK_CONTROL}), Chars{0x20});
    EXPECT_EQ(chars_for(VK_NUMPAD8), Chars{'8'});
    EXPECT_EQ(chars_for(VK_ADD), Chars{'+'});
    EXPECT_EQ(chars_for(VK_UP), Chars{});
    EXPECT_EQ(chars_for(VK_F1), Chars{});
    EXPECT_EQ(chars_for(VK_SHIFT), Chars{});
}

TEST_F(Keyboard, AltMakesSystemKeysAndF10IsAlwaysASystemKey) {
    headless_host_key(VK_MENU, 1);
    headless_host_key('A', 1);
    headless_host_key('A', 0);
    headless_host_key(VK_MENU, 0);
    headless_host_key(VK_F10, 1);
    headless_host_key(VK_F10, 0);
    std::vector<MSG> got = recording::drain();
    ASSERT_EQ(got.size(), 7u);
    EXPECT_EQ(got[0].message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(got[0].wParam, static_cast<WPARAM>(VK_MENU));
    EXPECT_EQ(got[1].message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_NE(got[1].lParam & (1L << 29), 0) << "context bit: Alt is held";
    EXPECT_EQ(got[2].message, static_cast<UINT>(WM_SYSCHAR));
    EXPECT_EQ(got[2].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(got[2].lParam, got[1].lParam) << "the character carries the key's lParam";
    EXPECT_EQ(got[3].message, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_EQ(got[4].message, static_cast<UINT>(WM_KEYUP)) << "Alt was not pressed alone";
    EXPECT_EQ(got[5].message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(got[6].message, static_cast<UINT>(WM_SYSKEYUP));
}

TEST_F(Keyboard, KeyLParamCarriesScanCodeRepeatAndTransitionBits) {
    headless_host_key('A', 1);
    headless_host_key('A', 1);  // auto-repeat
    headless_host_key('A', 0);
    headless_host_key(VK_UP, 1);
    std::vector<MSG> got = recording::drain();
    ASSERT_EQ(got.size(), 6u);  // down, char, down, char, up, up-arrow
    EXPECT_EQ(got[0].lParam, 0x001E0001);
    EXPECT_EQ(got[1].message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(got[2].lParam, 0x401E0001) << "a repeat sets bit 30";
    EXPECT_EQ(got[3].message, static_cast<UINT>(WM_CHAR)) << "each repeat gives its character";
    EXPECT_EQ(static_cast<std::uint32_t>(got[4].lParam), 0xC01E0001u);
    EXPECT_EQ(got[5].lParam, 0x01480001) << "the arrow is an extended key";
}

TEST_F(Keyboard, AForwardedKeyDownTranslatesLikeTheOriginal) {
    HWND other = recording::make_window("Forwarded");
    headless_host_key(VK_SHIFT, 1);
    headless_host_key('K', 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // Shift
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // K, not translated here
    ASSERT_EQ(msg.wParam, static_cast<WPARAM>('K'));
    PostMessageA(other, msg.message, msg.wParam, msg.lParam);
    std::vector<MSG> got = recording::drain();
    Chars chars = recording::params_of(got, WM_CHAR);
    EXPECT_EQ(chars, Chars{'K'});
    EXPECT_EQ(got.back().hwnd, other);
}

// TranslateMessage says nonzero for every keyboard message, a character message included (which
// it leaves alone), and zero for anything else.
TEST_F(Keyboard, TranslateMessageAnswersForEveryKeyboardMessage) {
    MSG msg{window, WM_CHAR, 'a', 1, 0, {0, 0}};
    EXPECT_TRUE(TranslateMessage(&msg));
    msg.message = WM_KEYUP;
    EXPECT_TRUE(TranslateMessage(&msg));
    msg.message = WM_USER;
    EXPECT_FALSE(TranslateMessage(&msg));
    msg.message = WM_MOUSEMOVE;
    EXPECT_FALSE(TranslateMessage(&msg));
    EXPECT_FALSE(TranslateMessage(nullptr));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // nothing was posted
}

TEST_F(Keyboard, KeyStateFollowsRetrievedMessagesWithToggles) {
    headless_host_key(VK_CONTROL, 1);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0) << "not yet retrieved";
    recording::drain();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    headless_host_key(VK_CONTROL, 0);
    recording::drain();
    EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL) & 1, 1) << "toggled by one press";
    EXPECT_EQ(GetKeyState(-5), 0);
    EXPECT_EQ(GetKeyState(4000), 0);
}

TEST_F(Keyboard, TypingAByteGivesExactlyThatCharacter) {
    for (int code : {0x4E, 0x6E, 0x7E, 0x01, 0x0D, 0x7F, 0x80, 0xE9, 0xFF}) {
        headless_host_char(static_cast<unsigned char>(code));
        std::vector<MSG> got = recording::drain();
        EXPECT_EQ(recording::params_of(got, WM_CHAR), Chars{static_cast<WPARAM>(code)})
            << "byte " << code;
    }
}

TEST_F(Keyboard, AHostLayoutCharacterIsRememberedForItsScanCode) {
    platform::ScanCode two = platform::scan_code_for_virtual_key('2');
    platform::host_input_text('2', two.code, 0xE9);  // the key gives é on this layout
    EXPECT_EQ(chars_for('2'), Chars{0xE9});
    EXPECT_EQ(chars_for('2', {VK_SHIFT}), Chars{'@'}) << "only the unshifted state was learnt";
    EXPECT_EQ(chars_for('2', {VK_CONTROL}), Chars{}) << "Ctrl keys keep the US rules";

    platform::ScanCode q = platform::scan_code_for_virtual_key('Q');
    headless_host_key(VK_MENU, 1);
    platform::host_input_text('Q', q.code, '@');  // AltGr+Q on a German layout
    headless_host_key(VK_MENU, 0);
    EXPECT_EQ(chars_for('Q'), Chars{'q'}) << "an AltGr character leaves the plain key alone";
    EXPECT_EQ(chars_for('Q', {VK_MENU}), Chars{'@'});
}

TEST(Codepage1252, ConvertsBothWaysAndMarksTheUnknown) {
    EXPECT_EQ(platform::cp1252_from_unicode(0xE9), 0xE9);
    EXPECT_EQ(platform::cp1252_from_unicode(0x20AC), 0x80);
    EXPECT_EQ(platform::cp1252_from_unicode(0x03A9), '?');
    EXPECT_EQ(platform::cp1252_from_unicode(0x81), '?') << "an undefined slot is not a match";
    EXPECT_EQ(platform::cp1252_to_unicode(0x9C), 0x0153u);
    EXPECT_EQ(platform::utf8_first_code_point("\xE2\x82\xAC"), 0x20ACu);
    EXPECT_EQ(platform::utf8_first_code_point("\xE2\x82"), 0xFFFDu) << "truncated";
    EXPECT_EQ(platform::utf8_first_code_point(""), 0xFFFDu);
    EXPECT_EQ(platform::cp1252_to_utf8("a\x80"), "a\xE2\x82\xAC");
}

}  // namespace
