// script_reader_test.cpp: what playback makes of hand-made and broken script files: the lenient
// rules, the limits of its buffers, the end of the file, read failures, and a handle that a
// recording holds. The writer's own lines are replayed in script_playback_test.cpp.
#include <string>
#include <vector>

#include "script_file_access.h"
#include "script_test_support.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

const ScriptedEvent NONE{0, 0, 0, 0};
const ScriptedEvent TICK{EVENT_PERIODIC, 0, 0, 0};
ScriptedEvent click(int x, int y) { return {EVENT_MOUSE, x, y, 0}; }
ScriptedEvent key(int code) { return {EVENT_KBD, 0, 0, code}; }

std::vector<ScriptedEvent> read_events(int count) {
    std::vector<ScriptedEvent> events;
    for (int i = 0; i < count; ++i) {
        events.push_back(read_scripted_event());
    }
    return events;
}

using ScriptReader = ScriptDirectoryTest;

TEST_F(ScriptReader, ReadsOnlyTheKindLetterAndTheNumbers) {
    write_file(SCRIPT,
               "xxxxxxM 5 -7\n"
               "\n\r\n\n"  // empty lines, one made on Windows
               "VORBL_MOUSE(-300, -200);\r\n"
               "VORBL_MOUSE(1-2, -);\n"  // a run stops at its first non-digit; a lone sign is 0
               "VORBL_KBD(-23);\n"       // a signed byte: 233
               "VORBL_KBD(-128);\n"
               "VORBL_KBD(300);\n"     // low 8 bits
               "VORBL_PERIODIC(0);\n"  // one event, as 1 gives
               "VORBL_KBD(1);\n");
    EXPECT_EQ(read_events(9),
              (std::vector<ScriptedEvent>{click(5, -7), click(-300, -200), click(1, 0), key(233),
                                          key(128), key(44), TICK, key(1), NONE}));
}

TEST_F(ScriptReader, LinesTheFormatDoesNotCoverAreBoundedAndHarmless) {
    const std::string long_run = "VORBL_MOUSE(123456789012345, 6);\n";  // cut to 11 characters
    write_file(SCRIPT, std::string("VORBL_K\n") +                       // no number: key 0
                           "VORBL_M(7)\n" +                             // one number: y is 0
                           "VORBL_PERIODIC();\n" +                      // no number: one event
                           long_run + "VORBL_MOUSE(-99999999999, 1);\n" +
                           "VORBL_KBD(0000000000000300);\n" +  // the first 11 digits are zeros
                           "VORB\n" +  // no kind letter: like an unknown kind
                           "VORBL_QUIT();\n" + "VORBL_KBD(" + std::string(1, '\0') + "5);\n" +
                           "VORBL_KBD(6);");
    script_playback = 1;
    EXPECT_EQ(read_events(6),
              (std::vector<ScriptedEvent>{key(0), click(7, 0), TICK, click(INT32_MAX, 6),
                                          click(INT32_MIN, 1), key(0)}));
    // A line that is not an event ends playback, says so and leaves the next one for later.
    EXPECT_EQ(read_scripted_event(), NONE);  // the short line
    EXPECT_EQ(script_playback, 0);
    EXPECT_EQ(messages_containing("Script file VORBL.SCR has a line that is not an event"), 1);
    EXPECT_EQ(read_scripted_event(), NONE);  // Q
    EXPECT_EQ(messages_containing("Script file VORBL.SCR has a line that is not an event"), 2);
    EXPECT_EQ(read_scripted_event(), key(5));  // a NUL inside a line is just another non-digit
    EXPECT_EQ(read_scripted_event(), key(6));  // a last line without a line end is played
    EXPECT_EQ(read_scripted_event(), NONE);
    EXPECT_EQ(messages_containing("EOF encountered in script file VORBL.SCR"), 1);
}

// A line is read 511 characters at a time and each piece is a line of its own, so a file that
// never ends its line costs one bounded read per event instead of a read to its end.
TEST_F(ScriptReader, AnOverlongLineIsRead511CharactersAtATime) {
    const auto padded = [](const std::string &text) {
        return text + std::string(511 - text.size(), ' ');
    };
    write_file(SCRIPT, padded("VORBL_KBD(5);") + padded("VORBL_MOUSE(1, 2);") +
                           "VORBL_KBD(9);\r\n" + "VORBL_KBD(7);\n");
    EXPECT_EQ(read_events(5),
              (std::vector<ScriptedEvent>{key(5), click(1, 2), key(9), key(7), NONE}));
}

// Passing over empty lines is bounded too: 4096 in a row are passed over, the 4097th ends
// playback with a message, and the next playback goes on after it.
TEST_F(ScriptReader, AtMost4096EmptyLinesArePassedOverInOneRead) {
    write_file(SCRIPT, std::string(4096, '\n') + "VORBL_KBD(1);\n" + std::string(4097, '\n') +
                           "VORBL_KBD(2);\n");
    script_playback = 1;
    EXPECT_EQ(read_scripted_event(), key(1));
    EXPECT_EQ(read_scripted_event(), NONE);
    EXPECT_EQ(messages_containing("Script file VORBL.SCR has too many empty lines in a row"), 1);
    EXPECT_EQ(script_playback, 0);
    EXPECT_EQ(read_events(2), (std::vector<ScriptedEvent>{key(2), NONE}));
}

TEST_F(ScriptReader, MissingOrUnreadableFilesEndPlaybackWithTheirMessage) {
    script_playback = 1;
    EXPECT_EQ(read_scripted_event(), NONE);
    EXPECT_EQ(messages_containing("Cannot open script file VORBL.SCR for reading"), 1);
    EXPECT_EQ(script_playback, 0);

    // Only a regular file is opened: a directory is refused like a missing file.
    std::filesystem::create_directory(SCRIPT);
    script_playback = 1;
    EXPECT_EQ(read_scripted_event(), NONE);
    EXPECT_EQ(messages_containing("Cannot open script file VORBL.SCR for reading"), 2);
    EXPECT_EQ(script_playback, 0);
}

TEST_F(ScriptReader, AHandleOpenForWritingIsNeverReadAndTheScriptStaysWhole) {
    write_file(SCRIPT, "VORBL_KBD(1);\n");
    event_kind = EVENT_KBD;
    event_key = 'z';
    script_record_event();  // the recording opens the handle for writing
    script_playback = 1;
    EXPECT_EQ(read_scripted_event(), NONE);
    EXPECT_EQ(messages_containing("is being recorded"), 1);
    EXPECT_EQ(script_playback, 0);
    script_close();
    EXPECT_EQ(file_bytes(SCRIPT), "VORBL_KBD(122);\n");
}

TEST_F(ScriptReader, StoppingPlaybackDropsTheRestOfARunAndRestartsAtTheFirstLine) {
    write_file(SCRIPT, "VORBL_PERIODIC(3);\nVORBL_KBD(1);\n");
    script_switch_playback();
    EXPECT_EQ(read_scripted_event(), TICK);
    script_switch_playback();  // off, in the middle of the run
    script_switch_playback();  // on again
    EXPECT_EQ(read_events(5), (std::vector<ScriptedEvent>{TICK, TICK, TICK, key(1), NONE}));
}

}  // namespace
