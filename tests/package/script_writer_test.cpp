// script_writer_test.cpp: what recording puts into the script file: the three line forms, runs of
// periodic events, what the quit and the record switch write, that a script is never truncated
// or damaged when nothing is to be written, that every event is on the file as soon as it is
// recorded, and what a failed write and a script another program records into do.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>

#include <csignal>
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

// Files in the working directory besides the script (a new file left behind would be one).
int other_files(void) {
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(".")) {
        count += entry.path().filename() != SCRIPT ? 1 : 0;
    }
    return count;
}

// The largest file this process may write, for the life of one object: a write beyond it fails
// as on a full disk (EFBIG, with SIGXFSZ ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_handler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*previous_handler_)(int) = nullptr;
};

// A program that was killed after any of these events finds them all in the file: each line is
// on the file when the event is recorded, and the older script stays whole until the first one.
TEST_F(ScriptWriter, EveryRecordedEventIsOnTheFileAtOnceAndAnOlderScriptUntilTheFirst) {
    const std::string older = "VORBL_KBD(49);\n";
    write_file(SCRIPT, older);
    script_switch_record();
    EXPECT_EQ(file_bytes(SCRIPT), older);
    struct Step {
        int kind;
        int x, y;
        unsigned char key;
        const char *file_after;
    };
    const Step steps[] = {
        {EVENT_PERIODIC, 0, 0, 0, "VORBL_PERIODIC(1);\n"},
        {EVENT_PERIODIC, 0, 0, 0, "VORBL_PERIODIC(2);\n"},
        {EVENT_KBD, 0, 0, 'n', "VORBL_PERIODIC(2);\nVORBL_KBD(110);\n"},
        {EVENT_MOUSE, 3, -4, 0, "VORBL_PERIODIC(2);\nVORBL_KBD(110);\nVORBL_MOUSE(3, -4);\n"},
        {EVENT_QUIT, 0, 0, 0, "VORBL_PERIODIC(2);\nVORBL_KBD(110);\nVORBL_MOUSE(3, -4);\n"},
        {EVENT_PERIODIC, 0, 0, 0,
         "VORBL_PERIODIC(2);\nVORBL_KBD(110);\nVORBL_MOUSE(3, -4);\nVORBL_PERIODIC(1);\n"},
    };
    for (const Step &step : steps) {
        record(step.kind, step.x, step.y, step.key);
        EXPECT_EQ(file_bytes(SCRIPT), step.file_after) << "after an event of kind " << step.kind;
    }
    record_ticks(9);  // the run's line grows by a digit at the end of the file
    EXPECT_EQ(file_bytes(SCRIPT),
              "VORBL_PERIODIC(2);\nVORBL_KBD(110);\nVORBL_MOUSE(3, -4);\nVORBL_PERIODIC(10);\n");
    EXPECT_EQ(other_files(), 0);
}

// A write that fails keeps every whole line, says so once and stops the recording; a first line
// that cannot be written leaves the older script as it was.
TEST_F(ScriptWriter, AFailedWriteKeepsTheWholeLinesSaysSoOnceAndStopsRecording) {
    const std::string older = "VORBL_KBD(49);\n";
    const std::string key_line = "VORBL_KBD(97);\n";  // 15 bytes
    struct Case {
        rlim_t limit;
        int ticks;  // recorded first, then keys
        std::string file_after;
    };
    const Case cases[] = {
        {100, 0, key_line + key_line + key_line + key_line + key_line + key_line},
        {10, 0, older},
        {19, 12, "VORBL_PERIODIC(9);\n"},  // the tenth tick's line would be 20 bytes
        {19 + 45, 9, "VORBL_PERIODIC(9);\n" + key_line + key_line + key_line},
    };
    int failures = 0;
    for (const Case &c : cases) {
        write_file(SCRIPT, older);
        {
            FileSizeLimit limit(c.limit);
            script_switch_record();
            for (int i = 0; i < c.ticks && script_recording; ++i) {
                record(EVENT_PERIODIC);
            }
            for (int i = 0; i < 10 && script_recording; ++i) {
                record(EVENT_KBD, 0, 0, 'a');
            }
        }
        EXPECT_EQ(file_bytes(SCRIPT), c.file_after) << "limit " << c.limit;
        EXPECT_EQ(messages_containing("Cannot write script file VORBL.SCR, recording stopped"),
                  ++failures);
        EXPECT_EQ(script_recording, 0);
        EXPECT_EQ(script_file, nullptr);
        EXPECT_EQ(other_files(), 0);
    }
}

// Another program recording into the script holds a lock on it: this one is refused, once, and
// leaves the other's file alone.
TEST_F(ScriptWriter, AScriptAnotherProgramRecordsIntoIsRefusedOnceAndLeftAlone) {
    const std::string theirs = "VORBL_KBD(49);\n";
    write_file(SCRIPT, theirs);
    const int other = open(SCRIPT, O_RDONLY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    script_switch_record();
    record(EVENT_KBD, 0, 0, 'a');
    EXPECT_EQ(messages_containing("Cannot open script file VORBL.SCR for writing: another "
                                  "program is recording into it, recording stopped"),
              1);
    EXPECT_EQ(script_recording, 0);
    EXPECT_EQ(file_bytes(SCRIPT), theirs);
    EXPECT_EQ(other_files(), 0);
    close(other);
}

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
