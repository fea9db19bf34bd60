// The event wait's state machine in virtual time: pacing of periodic events, clicks and
// characters replacing a decided tick, single frames, halts and the quit request.
#include <vector>

#include "event_fixture.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

int move_count = 0;
void keep_moving_mouse(void *) {
    headless_host_move(graphics_hwnd, 10 + (move_count++ % 2), 10);
    after(20, keep_moving_mouse);
}

// Gaps between the return times of `count` consecutive waits, all of which must be periodic.
std::vector<unsigned> periodic_gaps(int count) {
    std::vector<unsigned> gaps;
    unsigned previous = wait_for_event().at_ms;
    for (int i = 0; i < count; ++i) {
        const WaitResult event = wait_for_event();
        EXPECT_EQ(event.kind, EVENT_PERIODIC);
        EXPECT_EQ(event.x, 0);
        EXPECT_EQ(event.y, 0);
        EXPECT_EQ(event.key, 0);
        gaps.push_back(event.at_ms - previous);
        previous = event.at_ms;
    }
    return gaps;
}

}  // namespace

TEST_F(StartedPackage, RunningAnimationGivesOnePeriodicEventPerTwoTimerMessages) {
    VORBL_set_animation(ANIMATE_RUN);
    EXPECT_EQ(periodic_gaps(5), std::vector<unsigned>(5, 100u));
}

TEST_F(StartedPackage, OtherMessagesLetEveryTimerMessageDeliverATick) {
    VORBL_set_animation(ANIMATE_RUN);
    after(1, keep_moving_mouse);
    EXPECT_EQ(periodic_gaps(5), std::vector<unsigned>(5, 50u));
}

TEST_F(StartedPackage, ClicksReplaceADecidedTickAndMapToLogicalCoordinates) {
    VORBL_set_animation(ANIMATE_RUN);
    wait_for_event();
    after(70, click_centre);
    const WaitResult centre = wait_for_event();
    EXPECT_EQ(centre.kind, EVENT_MOUSE);
    EXPECT_EQ(centre.x, 0);
    EXPECT_EQ(centre.y, 0);
    EXPECT_EQ(centre.key, 0);
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);

    after(10, [](void *) { click_graphics_at(client_centre().x + 10, client_centre().y - 20); });
    const WaitResult offset = wait_for_event();
    EXPECT_EQ(offset.kind, EVENT_MOUSE);
    EXPECT_EQ(offset.x, 10);
    EXPECT_EQ(offset.y, 20);
}

TEST_F(StartedPackage, ProgramsSingleFrameWhileHaltedGivesOneTickThenBlocks) {
    EXPECT_EQ(VORBL_set_animation(ANIMATE_ONE_FRAME), 1);
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);
    const unsigned before_click = headless_host_now_ms();
    after(300, click_centre);
    const WaitResult next = wait_for_event();
    EXPECT_EQ(next.kind, EVENT_MOUSE);
    EXPECT_EQ(next.at_ms, before_click + 300);
}

TEST_F(StartedPackage, ProgramsSingleFrameLeavesARunningAnimationRunning) {
    VORBL_set_animation(ANIMATE_RUN);
    VORBL_set_animation(ANIMATE_ONE_FRAME);
    EXPECT_EQ(periodic_gaps(3).size(), 3u);
    EXPECT_EQ(animating, 1);
}

TEST_F(StartedPackage, CtrlFWhileRunningGivesExactlyOneMoreTickThenHalts) {
    VORBL_set_animation(ANIMATE_RUN);
    after(20, [](void *) { headless_host_key(VK_CONTROL, 1); });
    wait_for_event();  // Ctrl is held from here on
    after(10, [](void *) { headless_host_key('F', 1); });
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);
    after(400, click_centre);
    EXPECT_EQ(wait_for_event().kind, EVENT_MOUSE);
}

TEST_F(StartedPackage, CtrlHDoesNotCancelATickAlreadyDecided) {
    VORBL_set_animation(ANIMATE_RUN);
    const unsigned first = wait_for_event().at_ms;
    after(70, [](void *) { press_ctrl_letter('H'); });  // after the next wait has decided
    const WaitResult held = wait_for_event();
    EXPECT_EQ(held.kind, EVENT_PERIODIC);
    EXPECT_EQ(held.at_ms, first + 100);
    EXPECT_EQ(animating, 0);
    after(500, click_centre);
    EXPECT_EQ(wait_for_event().at_ms, held.at_ms + 500);
}

TEST_F(StartedPackage, QuitRequestReportsTheClickAndEndsEveryLaterWait) {
    EXPECT_EQ(VORBL_set_animation(ANIMATE_QUIT), 1);
    after(200, [](void *) { click_graphics_at(client_centre().x + 5, client_centre().y + 7); });
    const WaitResult click = wait_for_event();
    EXPECT_EQ(click.kind, EVENT_QUIT);
    EXPECT_EQ(click.x, 5);
    EXPECT_EQ(click.y, -7);
    EXPECT_EQ(click.at_ms, 200u);
    after(10, [](void *) { headless_host_char('k'); });
    const WaitResult typed = wait_for_event();
    EXPECT_EQ(typed.kind, EVENT_QUIT);
    EXPECT_EQ(typed.key, 'k');
}

TEST_F(StartedPackage, ActionCodesWithoutAnActionChangeNothing) {
    VORBL_set_animation(ANIMATE_ONE_FRAME);
    for (int code : {3, 4, -1, 6, 1000}) {
        EXPECT_EQ(VORBL_set_animation(code), 1);
    }
    EXPECT_EQ(animating, 0);
    EXPECT_EQ(one_frame_pending, 1);
    EXPECT_EQ(quit_requested, 0);
}

TEST_F(StartedPackage, CharacterAbove127ArrivesAsTheSameByte) {
    after(10, [](void *) { headless_host_char(0xE9); });
    const WaitResult typed = wait_for_event();
    EXPECT_EQ(typed.kind, EVENT_KBD);
    EXPECT_EQ(typed.key, 0xE9);
}

TEST(EventWaitBeforeStartup, ReturnsQuitAtOnceAndRefusesAnimationChanges) {
    EXPECT_EQ(VORBL_set_animation(ANIMATE_RUN), 0);
    EXPECT_EQ(animating, 0);
    int x = 5, y = 5;
    unsigned char key = 5;
    EXPECT_EQ(VORBL_wait_event(&x, &y, &key), EVENT_QUIT);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(key, 0);
}

TEST_F(StartedPackage, DrawingBetweenWaitsReachesTheWindowAfterTheNextMessage) {
    after(10, click_centre);
    wait_for_event();  // startup's paint messages are behind us
    VORBL_draw_rectangle(RED, -5, 5, 5, -5, 0);
    ASSERT_EQ(canvas_dirty, 1);
    const COLORREF shown_before = GetPixel(window_dc, origin_x, origin_y);
    EXPECT_NE(shown_before, RGB(255, 0, 0));
    after(10, click_centre);
    wait_for_event();
    EXPECT_EQ(canvas_dirty, 0);
    EXPECT_EQ(GetPixel(window_dc, origin_x, origin_y), RGB(255, 0, 0));
}
