// script_writer.cpp: recording events into the script file, one formatted line per event and
// one counted line per run of periodic events.
//
// Depends on the shared event variables of the event wait, the script state (script_files.cpp),
// script_open.h for opening the file (which refuses links and files that are not the user's own,
// and replaces an older script only once the first line is written) and VORBL_text_printf for
// the messages.
//
// Every line reaches the file system as soon as the event is recorded, so a program that is
// killed loses nothing it returned: a run of periodic events has its line written when the run
// starts and rewritten in place, with the new count, at each further event of the run. The disk
// itself is asked to keep it at most once a second (and when the file is closed). A write that
// fails (a full disk, a quota, an I/O error) cuts the file back to its last whole line, says so
// once and stops the recording.
#include <cstdio>

#include "package_windows.h"
#include "script_file_access.h"
#include "script_open.h"
#include "vorbl_internal.h"

namespace vorbl {

namespace {

constexpr int LINE_CAPACITY = 48;         // "VORBL_MOUSE(-2147483648, -2147483648);\n" and more
constexpr DWORD SYNC_INTERVAL_MS = 1000;  // the longest a written line waits for the disk
DWORD last_sync_ms = 0;

// Only these kinds have a line; anything else must not even open (and so replace) the file.
bool kind_has_line(int kind) {
    return kind == EVENT_MOUSE || kind == EVENT_KBD || kind == EVENT_PERIODIC;
}

void format_line(char *line, int kind, int x, int y, unsigned char key) {
    if (kind == EVENT_MOUSE) {
        std::snprintf(line, LINE_CAPACITY, "VORBL_MOUSE(%d, %d);\n", x, y);
    } else if (kind == EVENT_KBD) {
        // Keys are written as signed bytes; the reader takes both signs back to the same byte.
        std::snprintf(line, LINE_CAPACITY, "VORBL_KBD(%d);\n",
                      static_cast<int>(static_cast<signed char>(key)));
    } else {
        std::snprintf(line, LINE_CAPACITY, "VORBL_PERIODIC(%d);\n",
                      static_cast<int>(periodic_run_count));
    }
}

// The message for a script that cannot be opened for writing, by the reason.
const char *write_refusal_message(ScriptOpenFailure failure) {
    switch (failure) {
        case SCRIPT_OPEN_LINK:
            return "Cannot open script file %s for writing: it is a symbolic link\n";
        case SCRIPT_OPEN_NOT_OWN:
            return "Cannot open script file %s for writing: another user owns it\n";
        case SCRIPT_OPEN_OTHER_NAMES:
            return "Cannot open script file %s for writing: it has other names\n";
        case SCRIPT_OPEN_BUSY:
            return "Cannot open script file %s for writing: another program is recording "
                   "into it, recording stopped\n";
        case SCRIPT_OPEN_WRITE_FAILED: return "Cannot write script file %s, recording stopped\n";
        case SCRIPT_OPEN_FAILED: break;
    }
    return "Cannot open script file %s for writing\n";
}

// A busy script or a failed write will not mend itself line by line: recording stops. The other
// refusals leave recording on, and the next line tries again.
bool refusal_stops_recording(ScriptOpenFailure failure) {
    return failure == SCRIPT_OPEN_BUSY || failure == SCRIPT_OPEN_WRITE_FAILED;
}

// Makes the script with `first_line` as its first line.
bool open_for_writing(const char *first_line) {
    const ScriptOpening opening = open_script_for_writing(SCRIPT_FILE_NAME, first_line);
    if (opening.file == nullptr) {
        VORBL_text_printf(write_refusal_message(opening.failure), SCRIPT_FILE_NAME);
        if (refusal_stops_recording(opening.failure)) {
            script_stop_recording_on_failure();
        }
        return false;
    }
    script_file = opening.file;
    script_file_for_writing = 1;
    last_sync_ms = GetTickCount();
    return true;
}

// The handle is open for reading (a playback opened it first): writing would fail or damage the
// script being played, so the line is dropped, and said once for this handle.
void refuse_write_while_reading(void) {
    if (!refused_write_reported) {
        VORBL_text_printf("Script file %s is being played back, events are not recorded\n",
                          SCRIPT_FILE_NAME);
        refused_write_reported = 1;
    }
}

// What was written so far goes to the disk, if the last time was a second ago or more.
void sync_now_and_then(void) {
    const DWORD now = GetTickCount();
    if (now - last_sync_ms >= SYNC_INTERVAL_MS) {
        sync_script(script_file);
        last_sync_ms = now;
    }
}

// Puts `line` at byte `start` of the open script and hands it to the file system. A failure cuts
// the file back to `start`, puts `previous` back there (the shorter line that the new one was to
// replace, which fitted), says so and stops the recording.
bool put_line_at(const char *line, long start, const char *previous = "") {
    if (std::fseek(script_file, start, SEEK_SET) == 0 && std::fputs(line, script_file) >= 0 &&
        std::fflush(script_file) == 0) {
        sync_now_and_then();
        return true;
    }
    std::clearerr(script_file);
    cut_script(script_file, start);
    if (std::fputs(previous, script_file) < 0 || std::fflush(script_file) != 0) {
        cut_script(script_file, start);
    }
    VORBL_text_printf(write_refusal_message(SCRIPT_OPEN_WRITE_FAILED), SCRIPT_FILE_NAME);
    script_stop_recording_on_failure();
    return false;
}

// Writes `line` after the last one, opening the file first if need be. Returns where the line
// starts, or -1 when it was not written.
long append_line(const char *line) {
    if (script_file == nullptr) {
        return open_for_writing(line) ? 0 : -1;
    }
    if (!script_file_for_writing) {
        refuse_write_while_reading();
        return -1;
    }
    std::fseek(script_file, 0, SEEK_END);
    const long start = std::ftell(script_file);
    return start >= 0 && put_line_at(line, start) ? start : -1;
}

// One more periodic event: the run's line is written when the run starts, and rewritten in
// place with the new count while it goes on (the line grows only at the end of the file).
void record_periodic(void) {
    char previous[LINE_CAPACITY];
    format_line(previous, EVENT_PERIODIC, 0, 0, 0);
    ++periodic_run_count;
    char line[LINE_CAPACITY];
    format_line(line, EVENT_PERIODIC, 0, 0, 0);
    if (periodic_run_count == 1) {
        periodic_line_start = append_line(line);
    } else if (periodic_line_start >= 0 && script_file != nullptr) {
        put_line_at(line, periodic_line_start, previous);
    }
}

}  // namespace

void script_write_event(int kind, int x, int y, unsigned char key) {
    if (!kind_has_line(kind)) {
        return;
    }
    char line[LINE_CAPACITY];
    format_line(line, kind, x, y, key);
    append_line(line);
}

void script_end_periodic_run(void) {
    periodic_run_count = 0;  // its line is already on the file, or it was given up
    periodic_line_start = -1;
}

void script_record_event(void) {
    if (event_kind == EVENT_PERIODIC) {
        record_periodic();
        return;
    }
    script_end_periodic_run();  // the next periodic event starts a new run (after a quit too)
    script_write_event(event_kind, event_x, event_y, event_key);
}

}  // namespace vorbl
