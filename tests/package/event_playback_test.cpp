// The event wait during script playback: scripted events come one per handled message without
// waiting for the timer, replace live input, and give way to live input when the script ends.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "event_fixture.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

// Each test plays from VORBL.SCR in a working directory of its own, removed afterwards.
class PlaybackWait : public StartedPackage {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        directory_ = std::filesystem::temp_directory_path() /
                     ("vorbl_event_playback_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(directory_);
        std::filesystem::current_path(directory_);
        StartedPackage::SetUp();
    }
    void TearDown() override {
        StartedPackage::TearDown();  // closes the script file
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(directory_);
    }
    static void use_script(const char *lines) { std::ofstream("VORBL.SCR") << lines; }

private:
    std::filesystem::path previous_;
    std::filesystem::path directory_;
};

}  // namespace

TEST_F(PlaybackWait, PlaybackDeliversAPeriodicRunWithoutWaitingForTheTimer) {
    use_script("VORBL_PERIODIC(100);\nVORBL_KBD(66);\n");
    after(10, [](void *) { press_ctrl_letter('P'); });
    unsigned previous = 0;
    for (int i = 0; i < 100; ++i) {
        const WaitResult event = wait_for_event();
        ASSERT_EQ(event.kind, EVENT_PERIODIC) << i;
        EXPECT_LE(event.at_ms - previous, 50u) << i;  // never held back for a tick
        previous = event.at_ms;
    }
    EXPECT_LE(previous, 10u + 100u * 50u);  // live, 100 ticks would take twice as long
    EXPECT_EQ(wait_for_event().key, 66);
    // The script's end switches playback off and the wait goes on with live input.
    after(1000, click_centre);
    const WaitResult live = wait_for_event();
    EXPECT_EQ(live.kind, EVENT_MOUSE);
    EXPECT_EQ(script_playback, 0);
}

TEST_F(PlaybackWait, PlayOneHaltsAndDeliversExactlyOneScriptedEvent) {
    use_script("VORBL_MOUSE(7, -8);\nVORBL_KBD(67);\n");
    VORBL_set_animation(ANIMATE_RUN);
    after(20, [](void *) { headless_host_key(VK_CONTROL, 1); });
    wait_for_event();
    after(10, [](void *) { headless_host_key('O', 1); });
    const WaitResult scripted = wait_for_event();
    EXPECT_EQ(scripted.kind, EVENT_MOUSE);
    EXPECT_EQ(scripted.x, 7);
    EXPECT_EQ(scripted.y, -8);
    after(300, [](void *) {
        headless_host_key(VK_CONTROL, 0);
        headless_host_char('z');
    });
    const WaitResult live = wait_for_event();
    EXPECT_EQ(live.key, 'z');
    EXPECT_EQ(animating, 0);
}

TEST_F(PlaybackWait, QuitDuringPlaybackTakesNoScriptedEvent) {
    use_script("VORBL_KBD(1);\nVORBL_KBD(2);\nVORBL_KBD(3);\n");
    PostMessageA(graphics_hwnd, WM_COMMAND, CMD_PLAYBACK, 0);
    EXPECT_EQ(wait_for_event().key, 1);
    PostQuitMessage(0);
    EXPECT_EQ(wait_for_event().kind, EVENT_QUIT);
    EXPECT_EQ(wait_for_event().key, 2);  // the line after the quit is still the next one
}
