// script_file_kinds_test.cpp: what recording and playback do when "VORBL.SCR" is not a plain
// file of the user's own: a FIFO, a device, a directory, a symbolic or hard link, a file of
// another user. Nothing may block, nothing outside the script may be written, and each refusal
// is said in the text window while the program goes on.
//
// Every test arms an alarm first: an open or a read that blocks ends the test as a failure
// instead of hanging it. The tests that need root (a device node, another user's file) skip
// themselves otherwise.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>

#include "script_test_support.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

constexpr unsigned BLOCKING_LIMIT_SECONDS = 10;
const std::string OTHER_DATA = "somebody else's data\n";
const char *const CANNOT_READ = "Cannot open script file VORBL.SCR for reading";
const char *const CANNOT_WRITE = "Cannot open script file VORBL.SCR for writing";

void record(int kind, int x = 0, int y = 0, unsigned char key = 0) {
    event_kind = kind;
    event_x = x;
    event_y = y;
    event_key = key;
    script_record_event();
}

class ScriptFileKinds : public ScriptDirectoryTest {
protected:
    void SetUp() override {
        ScriptDirectoryTest::SetUp();
        alarm(BLOCKING_LIMIT_SECONDS);
    }
    void TearDown() override {
        alarm(0);
        ScriptDirectoryTest::TearDown();
    }

    // One playback read: true when it produced an event.
    static bool play_one() {
        script_playback = 1;
        return read_scripted_event().kind != 0;
    }

    // A click recorded into a fresh recording; true when a file was opened for it.
    static bool record_click() {
        script_recording = 1;
        record(EVENT_MOUSE, 3, 4);
        return script_file != nullptr;
    }
};

TEST_F(ScriptFileKinds, AFifoIsNeitherPlayedBackNorRecordedIntoAndNothingBlocks) {
    ASSERT_EQ(mkfifo(SCRIPT, 0600), 0);
    EXPECT_FALSE(play_one());  // no writer: a blocking open would wait for one for ever
    EXPECT_EQ(messages_containing(CANNOT_READ), 1);
    EXPECT_EQ(script_playback, 0);

    EXPECT_FALSE(record_click());  // no reader: the open fails at once
    // With a reader waiting, the FIFO opens, and is refused all the same: nothing reaches it.
    const int reader = open(SCRIPT, O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(record_click());
    char byte = 0;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
    EXPECT_EQ(messages_containing(CANNOT_WRITE), 2);
    EXPECT_EQ(script_recording, 1);  // recording stays on and tries again at the next line
}

TEST_F(ScriptFileKinds, ALinkToAnEndlessDeviceIsRefusedAtOnce) {
    ASSERT_EQ(symlink("/dev/zero", SCRIPT), 0);
    EXPECT_FALSE(play_one());
    EXPECT_EQ(messages_containing(CANNOT_READ), 1);
}

TEST_F(ScriptFileKinds, ADeviceNodeIsRefusedBothWays) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "making a device node needs root";
    }
    ASSERT_EQ(mknod(SCRIPT, S_IFCHR | 0666, makedev(1, 5)), 0);  // the zero device
    EXPECT_FALSE(play_one());
    EXPECT_FALSE(record_click());
    EXPECT_EQ(messages_containing(CANNOT_READ), 1);
    EXPECT_EQ(messages_containing(CANNOT_WRITE), 1);
}

// Whoever made the link and wherever it points, recording does not write through it; the
// target keeps its data and the refusal names its reason.
TEST_F(ScriptFileKinds, RecordingNeverWritesThroughASymbolicLink) {
    write_file("target", OTHER_DATA);
    ASSERT_EQ(symlink("target", SCRIPT), 0);
    EXPECT_FALSE(record_click());
    EXPECT_FALSE(record_click());
    EXPECT_EQ(
        messages_containing("Cannot open script file VORBL.SCR for writing: it is a symbolic link"),
        2);
    EXPECT_EQ(file_bytes("target"), OTHER_DATA);

    // A link that points nowhere is not followed to create its target either.
    std::filesystem::remove(SCRIPT);
    ASSERT_EQ(symlink("missing", SCRIPT), 0);
    EXPECT_FALSE(record_click());
    EXPECT_FALSE(std::filesystem::exists("missing"));
}

TEST_F(ScriptFileKinds, PlaybackFollowsALinkToARegularScript) {
    write_file("kept.scr", "VORBL_KBD(65);\n");
    ASSERT_EQ(symlink("kept.scr", SCRIPT), 0);
    script_playback = 1;
    EXPECT_EQ(read_scripted_event(), (ScriptedEvent{EVENT_KBD, 0, 0, 65}));
}

// Emptying a file with two names empties both: a hard link to another file is refused before
// anything is emptied.
TEST_F(ScriptFileKinds, RecordingRefusesAFileWithOtherNames) {
    write_file("original", OTHER_DATA);
    ASSERT_EQ(link("original", SCRIPT), 0);
    EXPECT_FALSE(record_click());
    EXPECT_EQ(
        messages_containing("Cannot open script file VORBL.SCR for writing: it has other names"),
        1);
    EXPECT_EQ(file_bytes("original"), OTHER_DATA);
}

TEST_F(ScriptFileKinds, RecordingRefusesAFileAnotherUserOwns) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another user needs root";
    }
    write_file(SCRIPT, OTHER_DATA);
    ASSERT_EQ(chown(SCRIPT, 65534, 65534), 0);
    EXPECT_FALSE(record_click());
    EXPECT_EQ(
        messages_containing("Cannot open script file VORBL.SCR for writing: another user owns it"),
        1);
    EXPECT_EQ(file_bytes(SCRIPT), OTHER_DATA);
}

TEST_F(ScriptFileKinds, TheUsersOwnRegularFileIsEmptiedAndWritten) {
    write_file(SCRIPT, "VORBL_KBD(1);\nVORBL_KBD(2);\nVORBL_KBD(3);\n");
    EXPECT_TRUE(record_click());
    script_close();
    EXPECT_EQ(file_bytes(SCRIPT), "VORBL_MOUSE(3, 4);\n");
}

}  // namespace
