// script_playback_test.cpp: recording and playback through the real event wait on the headless
// host, switched with Ctrl+R, Ctrl+P and Ctrl+O as a user does: the written file byte for byte,
// the replayed events, the check marks, and how playback ends.
#include <headless_host.h>

#include <string>

#include "script_test_support.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

struct Delivered {
    int kind;
    int x;
    int y;
    int key;
    bool operator==(const Delivered &) const = default;
};

class ScriptPlayback : public ScriptDirectoryTest {
protected:
    void SetUp() override {
        ScriptDirectoryTest::SetUp();
        headless_host_use();
        VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
        ASSERT_NE(graphics_hwnd, nullptr);
    }
    void TearDown() override {
        VORBL_shutdown();
        ScriptDirectoryTest::TearDown();
    }

    static void ctrl(int letter) {
        headless_host_key(VK_CONTROL, 1);
        headless_host_key(letter, 1);
        headless_host_key(letter, 0);
        headless_host_key(VK_CONTROL, 0);
    }
    static void click_at(int x, int y) {
        headless_host_click(graphics_hwnd, origin_x + x, origin_y - y);
    }
    static bool checked(UINT command) {
        return (GetMenuState(run_menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    static Delivered wait() {
        int x = 0;
        int y = 0;
        unsigned char key = 0;
        int kind = VORBL_wait_event(&x, &y, &key);
        return {kind, x, y, key};
    }
};

const Delivered TICK{EVENT_PERIODIC, 0, 0, 0};
Delivered key(int code) { return {EVENT_KBD, 0, 0, code}; }

TEST_F(ScriptPlayback, ARecordingReplaysAsTheSameEventsAndThenEnds) {
    VORBL_set_animation(ANIMATE_RUN);
    ctrl('R');
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(wait(), TICK);
    }
    EXPECT_TRUE(checked(CMD_RECORD));
    VORBL_set_animation(ANIMATE_HALT);
    click_at(-12, 34);
    ASSERT_EQ(wait(), (Delivered{EVENT_MOUSE, -12, 34, 0}));
    headless_host_char('a');
    ASSERT_EQ(wait(), key('a'));
    VORBL_set_animation(ANIMATE_RUN);
    ASSERT_EQ(wait(), TICK);
    ASSERT_EQ(wait(), TICK);
    VORBL_set_animation(ANIMATE_HALT);
    ctrl('R');  // stopped inside the next wait, before its event: 'z' is not recorded
    headless_host_char('z');
    ASSERT_EQ(wait(), key('z'));
    EXPECT_FALSE(checked(CMD_RECORD));
    EXPECT_EQ(file_bytes(SCRIPT),
              "VORBL_PERIODIC(3);\nVORBL_MOUSE(-12, 34);\nVORBL_KBD(97);\nVORBL_PERIODIC(2);\n");

    ctrl('P');  // opens the file anew and starts at its first line
    const Delivered replay[] = {TICK, TICK, TICK, {EVENT_MOUSE, -12, 34, 0}, key('a'), TICK, TICK};
    for (const Delivered &expected : replay) {
        EXPECT_EQ(wait(), expected);
    }
    EXPECT_TRUE(checked(CMD_PLAYBACK));
    headless_host_char('q');  // live input once the script has nothing more
    EXPECT_EQ(wait(), key('q'));
    EXPECT_EQ(messages_containing("EOF encountered in script file VORBL.SCR"), 1);
    EXPECT_EQ(script_playback, 0);
    EXPECT_FALSE(checked(CMD_PLAYBACK));

    ctrl('O');  // the file stays open at its end: the end is met again at once
    headless_host_char('w');
    EXPECT_EQ(wait(), key('w'));
    EXPECT_EQ(messages_containing("EOF encountered in script file VORBL.SCR"), 2);
}

TEST_F(ScriptPlayback, QuittingWhileRecordingWritesOnlyThePendingRun) {
    VORBL_set_animation(ANIMATE_RUN);
    ctrl('R');
    ASSERT_EQ(wait(), TICK);
    ASSERT_EQ(wait(), TICK);
    ctrl('Q');
    ASSERT_EQ(wait().kind, EVENT_QUIT);
    VORBL_shutdown();
    EXPECT_EQ(file_bytes(SCRIPT), "VORBL_PERIODIC(2);\n");
}

// Shutdown ends a recording as Ctrl+R does; a wait after it finds no recording to feed, so it
// can neither reopen nor empty the script.
TEST_F(ScriptPlayback, ShutdownEndsARecordingAndLaterWaitsLeaveTheScriptAlone) {
    ctrl('R');
    click_at(5, 6);
    ASSERT_EQ(wait().kind, EVENT_MOUSE);
    VORBL_set_animation(ANIMATE_RUN);
    ASSERT_EQ(wait(), TICK);
    ASSERT_EQ(wait(), TICK);
    VORBL_shutdown();
    const std::string recorded = "VORBL_MOUSE(5, 6);\nVORBL_PERIODIC(2);\n";
    EXPECT_EQ(file_bytes(SCRIPT), recorded);
    EXPECT_EQ(wait().kind, EVENT_QUIT);
    EXPECT_EQ(file_bytes(SCRIPT), recorded);
    EXPECT_EQ(script_recording, 0);
}

// A line the reader cannot take (a kind it does not know, a UTF-16 file, a NUL where the kind
// letter goes) ends playback with one message and the check mark off; the next Ctrl+P goes on
// after that line.
TEST_F(ScriptPlayback, ALineThatIsNotAnEventEndsPlaybackSayingSoAndTheNextPlaybackGoesOnAfterIt) {
    const std::string utf16_kbd = std::string("V\0O\0R\0B\0L\0_\0K\0(\0") + "5\0)\0;\0\n\0";
    const struct {
        std::string file;
        Delivered first;  // the event before the line, if any
        Delivered after;  // what the next Ctrl+P plays; kind 0: not looked at
    } cases[] = {
        {"VORBL_KBD(49);\nVORBL_QUIT();\nVORBL_KBD(50);\n", key('1'), key('2')},
        {std::string("VORBL_KBD(49);\nVORBL_") + '\0' + "KBD(5);\nVORBL_KBD(50);\n", key('1'),
         key('2')},
        {"VORBL_KBD(49);\n" + utf16_kbd, key('1'), {0, 0, 0, 0}},
    };
    int said = 0;
    for (const auto &c : cases) {
        script_stop_playback();
        script_close();
        write_file(SCRIPT, c.file);
        ctrl('P');
        EXPECT_EQ(wait(), c.first);
        EXPECT_TRUE(checked(CMD_PLAYBACK));
        headless_host_char('x');
        EXPECT_EQ(wait(), key('x'));  // the line gave nothing; live input goes on
        EXPECT_EQ(script_playback, 0);
        EXPECT_FALSE(checked(CMD_PLAYBACK));
        EXPECT_EQ(messages_containing("Script file VORBL.SCR has a line that is not an event"),
                  ++said);
        if (c.after.kind != 0) {
            ctrl('P');
            EXPECT_EQ(wait(), c.after);
        }
    }
}

}  // namespace
