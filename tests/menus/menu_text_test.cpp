// menu_text_test.cpp: how item text is shown: '&' marks, "&&", the '\t' label, mnemonics.
#include <gtest/gtest.h>

#include "menus.h"

namespace {

using platform::split_menu_text;

TEST(MenuText, MnemonicIsTheCharacterAfterTheFirstSingleAmpersand) {
    const platform::MenuItemText shown = split_menu_text("Advance one &frame\tCtrl+F");
    EXPECT_EQ(shown.text, "Advance one frame");
    EXPECT_EQ(shown.label, "Ctrl+F");
    EXPECT_EQ(shown.mnemonic_index, 12);
    EXPECT_EQ(shown.mnemonic, 'f');

    const platform::MenuItemText upper = split_menu_text("Play &One Script\tCtrl+O");
    EXPECT_EQ(upper.mnemonic, 'o');  // folded, so 'O' and 'o' both choose it
    EXPECT_EQ(upper.text[static_cast<std::size_t>(upper.mnemonic_index)], 'O');
}

TEST(MenuText, DoubleAmpersandShowsOneAndIsNoMnemonic) {
    const platform::MenuItemText shown = split_menu_text("Salt && &Pepper");
    EXPECT_EQ(shown.text, "Salt & Pepper");
    EXPECT_EQ(shown.mnemonic, 'p');
    EXPECT_EQ(shown.mnemonic_index, 7);

    const platform::MenuItemText none = split_menu_text("R&&D");
    EXPECT_EQ(none.text, "R&D");
    EXPECT_EQ(none.mnemonic_index, -1);
    EXPECT_EQ(none.mnemonic, 0);
}

TEST(MenuText, OddAmpersandsAndTabsNeverReachPastTheText) {
    EXPECT_EQ(split_menu_text("End&").text, "End");
    EXPECT_EQ(split_menu_text("End&").mnemonic_index, -1);
    EXPECT_EQ(split_menu_text("&\tlabel").mnemonic_index, -1);  // '&' right before the tab
    EXPECT_EQ(split_menu_text("&A&B").mnemonic, 'a');          // the first one counts
    EXPECT_EQ(split_menu_text("&A&B").text, "AB");
    const platform::MenuItemText two_tabs = split_menu_text("a\tb\tc");
    EXPECT_EQ(two_tabs.text, "a");
    EXPECT_EQ(two_tabs.label, "b\tc");  // only the first tab splits
    EXPECT_EQ(split_menu_text("").text, "");
    // Windows-1252 capitals fold like ASCII ones: 'É' (0xC9) matches 'é' (0xE9).
    EXPECT_EQ(split_menu_text("\x26\xC9t\xE9").mnemonic, 0xE9);
    EXPECT_EQ(platform::fold_menu_char(0xD7), 0xD7);  // the multiplication sign has no case
}

}  // namespace
