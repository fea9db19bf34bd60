// script_writer_test.cpp: what recording puts into the script file: the three line forms, runs of
// periodic events, what the quit and the record switch write, and that a script is never
// truncated or damaged when nothing is to be written.
#include <string>

#include "script_file_access.h"
#include "script_test_support.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

void record(int kind, int x = 0, int y = 0, unsigned char key = 0) {
    event_kind = kind;
    event_x = x;
    event_y = y;
    event_key = key;
    script_record_event();
}

void record_ticks(int count) {
    for (int i = 0; i < count; ++i) {
        record(EVENT_PERIODIC);
    }
}

using ScriptWriter = ScriptDirectoryTest;

TEST_F(ScriptWriter, KeysAreWrittenSignedAndEachRecordingCountsItsRunFromZero) {
    script_switch_record();
    record_ticks(2);
    record(EVENT_KBD, 0, 0, 233);
    record(EVENT_KBD, 0, 0, 128);
    record_ticks(1);
    script_switch_record();  // stopping writes the pending run and closes the file
    EXPECT_EQ(file_bytes(SCRIPT),
              "VORBL_PERIODIC(2);\nVORBL_KBD(-23);\nVORBL_KBD(-128);\nVORBL_PERIODIC(1);\n");
    script_switch_record();
    record_ticks(1);
    script_switch_record();
    EXPECT_EQ(file_bytes(SCRIPT), "VORBL_PERIODIC(1);\n");
}

TEST_F(ScriptWriter, NothingToWriteNeverTruncatesAnOlderScript) {
    const std::string older = "VORBL_KBD(1);\n";
    write_file(SCRIPT, older);
    script_switch_record();
    script_switch_record();  // started and stopped with no event
    EXPECT_EQ(file_bytes(SCRIPT), older);

    script_switch_record();
    record(EVENT_QUIT);  // nothing pending: no line, so the older script must survive
    script_close();
    EXPECT_EQ(file_bytes(SCRIPT), older);
}

TEST_F(ScriptWriter, AnUncreatableFileIsReportedOncePerLineAndRecordingGoesOn) {
    std::filesystem::create_directory(SCRIPT);
    script_switch_record();
    record_ticks(2);
    record(EVENT_MOUSE, 1, 1);  // the run's line and the click's line: two attempts
    record(EVENT_KBD, 0, 0, 'b');
    record(EVENT_QUIT);  // no run pending: no attempt
    EXPECT_EQ(messages_containing("Cannot open script file VORBL.SCR for writing"), 3);
    EXPECT_EQ(script_recording, 1);
    EXPECT_EQ(periodic_run_count, 0);
}

TEST_F(ScriptWriter, AHandleOpenForReadingIsNeverWrittenAndThatIsSaidOnce) {
    const std::string played = "VORBL_PERIODIC(3);\nVORBL_KBD(97);\n";
    write_file(SCRIPT, played);
    script_recording = 1;
    script_playback = 1;
    // Both on, as the event wait runs them: every replayed event is recorded too. The replayed
    // ticks feed the recording's run, never the run the playback is counting down.
    int ticks = 0;
    ScriptedEvent last{};
    for (int guard = 0; guard < 10; ++guard) {
        last = read_scripted_event();
        if (last.kind != EVENT_PERIODIC) {
            break;
        }
        ++ticks;
        script_record_event();
    }
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(last, (ScriptedEvent{EVENT_KBD, 0, 0, 97}));
    script_record_event();
    record(EVENT_MOUSE, 2, 2);
    EXPECT_EQ(messages_containing("is being played back"), 1);
    script_close();
    EXPECT_EQ(file_bytes(SCRIPT), played);
}

}  // namespace
