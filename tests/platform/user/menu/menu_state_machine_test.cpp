// menu_tracker_test.cpp: the rules of an open menu, input by input, with a fixed-width text
// measure (6 pixels a character, 13-pixel lines) so positions are known without fonts.
#include <gtest/gtest.h>
#include <windows.h>

#include "user/menu/menu_state_machine.h"

namespace {

using platform::kMenuCharExecute;
using platform::kMenuCharIgnore;
using platform::kMenuCharSelect;
using platform::MenuStateMachine;
using platform::TrackStep;

platform::TextMeasure fixed_measure() {
    return {[](std::string_view text) { return static_cast<int>(text.size()) * 6; }, 13, 10};
}

// Bar: "&Run" (popup) and "&View" (popup); "&Run" holds
//   0 "&Animate\tCtrl+A" (1)   1 "&Halt" (2)   2 separator   3 "&Info" grayed (9)
//   4 "&Logging" checked (4)   5 "L&ast" (5)
class Tracking : public ::testing::Test {
protected:
    void SetUp() override {
        bar = CreateMenu();
        run = CreatePopupMenu();
        view = CreatePopupMenu();
        AppendMenuA(run, MF_STRING, 1, "&Animate\tCtrl+A");
        AppendMenuA(run, MF_STRING, 2, "&Halt");
        AppendMenuA(run, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(run, MF_STRING | MF_GRAYED, 9, "&Info");
        AppendMenuA(run, MF_STRING | MF_CHECKED, 4, "&Logging");
        AppendMenuA(run, MF_STRING, 5, "L&ast");
        AppendMenuA(view, MF_STRING, 20, "&Zoom");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run), "&Run");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
        tracker = MenuStateMachine(nullptr, bar, nullptr, 595, fixed_measure());
    }
    void TearDown() override { DestroyMenu(bar); }

    // Centre of a title, client coordinates (the bar is above y = 0).
    POINT title_centre(int index) const {
        const RECT r = tracker.bar_layout().items.at(static_cast<std::size_t>(index));
        const int bar_height = tracker.bar_layout().height;
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2 - bar_height};
    }
    // Centre of an item of the open popup, client coordinates.
    POINT item_centre(int index) const {
        const RECT where = tracker.popup_rect();
        const RECT r = tracker.popup_layout().items.at(static_cast<std::size_t>(index));
        return {where.left + (r.left + r.right) / 2, where.top + (r.top + r.bottom) / 2};
    }
    TrackStep click_item(int index) {
        const POINT p = item_centre(index);
        EXPECT_FALSE(tracker.press(p.x, p.y).finished);
        return tracker.release(p.x, p.y);
    }
    void open_by_click(int title) {
        const POINT p = title_centre(title);
        ASSERT_TRUE(tracker.start_with_press(p.x, p.y));
        ASSERT_FALSE(tracker.release(p.x, p.y).finished);
    }
    TrackStep key(int vk) {
        TrackStep step;
        EXPECT_TRUE(tracker.key_down(vk, step)) << "key " << vk << " should be a menu key";
        return step;
    }

    HMENU bar = nullptr, run = nullptr, view = nullptr;
    MenuStateMachine tracker{nullptr, nullptr, nullptr, 0, fixed_measure()};
};

void expect_command(const TrackStep &step, UINT id) {
    EXPECT_TRUE(step.finished);
    EXPECT_TRUE(step.has_command);
    EXPECT_EQ(step.command, id);
    EXPECT_FALSE(step.leave_click);
}

void expect_closed_without_command(const TrackStep &step) {
    EXPECT_TRUE(step.finished);
    EXPECT_FALSE(step.has_command);
}

TEST_F(Tracking, TitlesFlowInRowsOfNineteenAndPopupsStayInsideTheWindow) {
    const platform::BarLayout layout = tracker.bar_layout();
    EXPECT_EQ(layout.height, 19);
    ASSERT_EQ(layout.items.size(), 2u);
    EXPECT_EQ(layout.items[0].right, 3 * 6 + 14);  // "Run" and its padding
    EXPECT_EQ(layout.items[1].left, layout.items[0].right);
    open_by_click(1);
    EXPECT_EQ(tracker.popup_rect().left, layout.items[1].left);
    EXPECT_EQ(tracker.popup_rect().top, 0);  // the client area's first row, below the bar
    // 40 wide: "&View" wraps to a second row and its popup opens below that row.
    tracker = MenuStateMachine(nullptr, bar, nullptr, 40, fixed_measure());
    EXPECT_EQ(tracker.bar_layout().height, 38);
    open_by_click(1);
    EXPECT_EQ(tracker.popup_rect().top, 0);
    // 80 wide: the 64-wide popup of "&View" (at 32) moves left to end at the window's edge.
    tracker = MenuStateMachine(nullptr, bar, nullptr, 80, fixed_measure());
    open_by_click(1);
    EXPECT_EQ(tracker.popup_rect().left, 16);
    EXPECT_EQ(tracker.popup_rect().right, 80);
}

TEST_F(Tracking, ClickOpensReleaseKeepsOpenPressAgainCloses) {
    EXPECT_FALSE(tracker.start_with_press(400, -5));  // empty part of the bar: nothing to track
    open_by_click(0);
    EXPECT_EQ(tracker.open_popup(), run);
    EXPECT_EQ(tracker.popup_selection(), -1);
    const POINT title = title_centre(0);
    // The menu closes as the button comes up, so the release is the menu's.
    EXPECT_FALSE(tracker.press(title.x, title.y).finished);
    expect_closed_without_command(tracker.release(title.x, title.y));
}

TEST_F(Tracking, PressDragReleaseRunsTheItemUnderTheMouse) {
    const POINT title = title_centre(0);
    ASSERT_TRUE(tracker.start_with_press(title.x, title.y));
    const POINT item = item_centre(1);
    tracker.move(item.x, item.y);
    expect_command(tracker.release(item.x, item.y), 2);
}

TEST_F(Tracking, MovingAcrossTitlesSwitchesPopups) {
    open_by_click(0);
    const POINT other = title_centre(1);
    tracker.move(other.x, other.y);
    EXPECT_EQ(tracker.bar_selection(), 1);
    EXPECT_EQ(tracker.open_popup(), view);
    EXPECT_EQ(tracker.popups_opened(), 2u);
    expect_command(click_item(0), 20);
}

TEST_F(Tracking, LeavingThePopupDropsTheMouseHighlightOnly) {
    open_by_click(0);
    const POINT item = item_centre(1);
    tracker.move(item.x, item.y);
    tracker.move(500, 300);
    EXPECT_EQ(tracker.popup_selection(), -1);
    // A keyboard highlight survives a stray move outside the popup.
    key(VK_DOWN);
    EXPECT_EQ(tracker.popup_selection(), 0);
    tracker.move(501, 300);
    EXPECT_EQ(tracker.popup_selection(), 0);
}

TEST_F(Tracking, AltAloneHighlightsTheFirstTitleAndArrowsOpenAndMove) {
    EXPECT_FALSE(tracker.start_with_key(0).finished);
    EXPECT_EQ(tracker.bar_selection(), 0);
    EXPECT_EQ(tracker.open_popup(), nullptr);
    key(VK_RIGHT);
    EXPECT_EQ(tracker.bar_selection(), 1);
    key(VK_RIGHT);
    EXPECT_EQ(tracker.bar_selection(), 0);  // wraps
    key(VK_DOWN);
    EXPECT_EQ(tracker.open_popup(), run);
    EXPECT_EQ(tracker.popup_selection(), 0);
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(tracker.popup_selection(), 3);  // stepped over the separator onto the grayed line
    key(VK_UP);
    EXPECT_EQ(tracker.popup_selection(), 1);
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(tracker.popup_selection(), 5);  // wrapped to the last item
    expect_command(key(VK_RETURN), 5);
}

TEST_F(Tracking, EscapeClosesOneLevelAndAltLeavesAsItGoesDown) {
    tracker.start_with_key('r');
    ASSERT_EQ(tracker.open_popup(), run);
    EXPECT_FALSE(key(VK_ESCAPE).finished);  // back to the highlighted title
    EXPECT_EQ(tracker.open_popup(), nullptr);
    EXPECT_EQ(tracker.bar_selection(), 0);
    expect_closed_without_command(key(VK_ESCAPE));
    for (int leave : {VK_MENU, VK_F10}) {
        tracker = MenuStateMachine(nullptr, bar, nullptr, 595, fixed_measure());
        tracker.start_with_key('r');
        expect_closed_without_command(key(leave));
    }
}

TEST_F(Tracking, AltLetterOpensThePopupAndLettersRunItemsCaseInsensitively) {
    EXPECT_FALSE(tracker.start_with_key('R').finished);
    EXPECT_EQ(tracker.open_popup(), run);
    EXPECT_EQ(tracker.popup_selection(), 0);
    // "&Logging" and "L&ast" share no mnemonic; 'a' is both "&Animate" and "L&ast": first wins.
    expect_command(tracker.character('A'), 1);
}

TEST_F(Tracking, EnterOnAGrayedItemClosesWithoutACommandUnknownLettersAskTheOwner) {
    // Alt+Q: no title has Q. The owner is asked; ignored, the menu Alt+Q opened ends.
    const TrackStep alt_q = tracker.start_with_key('q');
    EXPECT_TRUE(alt_q.unmatched_char);
    EXPECT_EQ(alt_q.char_menu, bar);
    EXPECT_FALSE(alt_q.char_in_popup);
    expect_closed_without_command(tracker.menu_char_answer(kMenuCharIgnore, 0));
    tracker = MenuStateMachine(nullptr, bar, nullptr, 595, fixed_measure());
    tracker.start_with_key('r');
    // Inside the menu an ignored letter leaves it as it was; the owner may run an item instead.
    const TrackStep q = tracker.character('q');
    EXPECT_TRUE(q.unmatched_char && q.char_in_popup && q.char_menu == run);
    EXPECT_FALSE(tracker.menu_char_answer(kMenuCharIgnore, 0).finished);
    EXPECT_FALSE(tracker.menu_char_answer(kMenuCharSelect, 1).finished);
    EXPECT_EQ(tracker.popup_selection(), 1);
    EXPECT_FALSE(tracker.menu_char_answer(kMenuCharExecute, 2).finished);  // the separator
    expect_command(tracker.menu_char_answer(kMenuCharExecute, 1), 2);
    tracker = MenuStateMachine(nullptr, bar, nullptr, 595, fixed_measure());
    tracker.start_with_key('r');
    EXPECT_FALSE(tracker.character(0x0C).finished);  // Ctrl+L is not "l"
    key(VK_UP);
    key(VK_UP);
    key(VK_UP);
    ASSERT_EQ(tracker.popup_selection(), 3);
    expect_closed_without_command(key(VK_RETURN));
}

// The system menu sits before the first title: Alt+Space opens it, the arrows pass over it
// without opening it, and its commands are system commands. Without a bar, Alt goes to it.
TEST_F(Tracking, TheSystemMenuIsATitleBeforeTheFirst) {
    HMENU row = CreateMenu();
    HMENU system = CreatePopupMenu();
    AppendMenuA(system, MF_STRING | MF_GRAYED, SC_RESTORE, "&Restore");
    AppendMenuA(system, MF_STRING, SC_CLOSE, "&Close");
    AppendMenuA(row, MF_POPUP, reinterpret_cast<UINT_PTR>(system), "");
    tracker = MenuStateMachine(nullptr, bar, row, 595, fixed_measure());
    tracker.start_with_key(' ');
    EXPECT_TRUE(tracker.on_system());
    EXPECT_EQ(tracker.row(), row);
    EXPECT_EQ(tracker.bar_selection(), -1);  // no title of the bar is drawn highlighted
    EXPECT_EQ(tracker.open_popup(), system);
    EXPECT_EQ(tracker.popup_selection(), 0);  // the first item, grayed or not
    key(VK_LEFT);                             // to the last title, still open
    EXPECT_EQ(tracker.open_popup(), view);
    key(VK_RIGHT);  // over the system menu: highlighted, not opened
    EXPECT_TRUE(tracker.on_system());
    EXPECT_EQ(tracker.open_popup(), nullptr);
    key(VK_RIGHT);  // the first title opens, as the popups were open
    EXPECT_EQ(tracker.open_popup(), run);
    key(VK_LEFT);
    key(VK_DOWN);
    EXPECT_EQ(tracker.open_popup(), system);
    TrackStep close = tracker.character('c');
    expect_command(close, SC_CLOSE);
    EXPECT_TRUE(close.system_command);

    tracker = MenuStateMachine(nullptr, nullptr, row, 595, fixed_measure());
    EXPECT_FALSE(tracker.start_with_key(0).finished);
    EXPECT_TRUE(tracker.on_system());
    EXPECT_EQ(tracker.row_selection(), 0);
    EXPECT_EQ(tracker.open_popup(), nullptr);
    key(VK_LEFT);  // nowhere else to go
    EXPECT_TRUE(tracker.on_system());
    tracker = MenuStateMachine(nullptr, nullptr, row, 595, fixed_measure());
    const TrackStep alt_c = tracker.start_with_key('c');  // the row has no mnemonics
    EXPECT_TRUE(alt_c.unmatched_char);
    EXPECT_TRUE(alt_c.char_in_system);
    EXPECT_EQ(alt_c.char_menu, row);
    DestroyMenu(row);
}

TEST_F(Tracking, DestroyingTheMenuWhileOpenEndsTracking) {
    open_by_click(0);
    const POINT item = item_centre(0);
    DestroyMenu(bar);
    bar = nullptr;
    EXPECT_TRUE(tracker.move(item.x, item.y).finished);
    EXPECT_EQ(tracker.open_popup(), nullptr);
    EXPECT_TRUE(tracker.release(item.x, item.y).finished);
    TrackStep step;
    EXPECT_TRUE(tracker.key_down(VK_RETURN, step));
    EXPECT_TRUE(step.finished);
    EXPECT_FALSE(step.has_command);
}

TEST(MenuStateMachineBarCommands, ACommandOnTheBarRunsFromMouseAndMnemonic) {
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 7, "&Go");
    AppendMenuA(bar, MF_STRING | MF_GRAYED, 8, "&Stop");
    MenuStateMachine tracker(nullptr, bar, nullptr, 595, fixed_measure());
    expect_command(tracker.start_with_key('g'), 7);
    tracker = MenuStateMachine(nullptr, bar, nullptr, 595, fixed_measure());
    const RECT go = tracker.bar_layout().items[0];
    ASSERT_TRUE(tracker.start_with_press(go.left + 2, -5));
    expect_command(tracker.release(go.left + 2, -5), 7);
    tracker = MenuStateMachine(nullptr, bar, nullptr, 595, fixed_measure());
    expect_closed_without_command(tracker.start_with_key('s'));
    DestroyMenu(bar);
}

}  // namespace
