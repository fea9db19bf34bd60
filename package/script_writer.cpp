// script_writer.cpp: recording events into the script file, one formatted line per event and
// one counted line per run of periodic events.
//
// Depends on the shared event variables of the event wait, the script state (script_files.cpp),
// script_open.h for opening the file (which refuses links and files that are not the user's own)
// and VORBL_text_printf for the messages. Write errors on an open file are not detected: lines go
// through the standard library's buffer and reach the disk when the file is closed.
#include <cstdio>

#include "script_file_access.h"
#include "script_open.h"
#include "vorbl_internal.h"

namespace vorbl {

// Only these kinds have a line; anything else must not even open (and so truncate) the file.
static bool kind_has_line(int kind) {
    return kind == EVENT_MOUSE || kind == EVENT_KBD || kind == EVENT_PERIODIC;
}

// The message for a script that cannot be opened for writing, by the reason.
static const char *write_refusal_message(ScriptOpenFailure failure) {
    switch (failure) {
        case SCRIPT_OPEN_LINK:
            return "Cannot open script file %s for writing: it is a symbolic link\n";
        case SCRIPT_OPEN_NOT_OWN:
            return "Cannot open script file %s for writing: another user owns it\n";
        case SCRIPT_OPEN_OTHER_NAMES:
            return "Cannot open script file %s for writing: it has other names\n";
        case SCRIPT_OPEN_FAILED: break;
    }
    return "Cannot open script file %s for writing\n";
}

// Creates or truncates the script. On failure recording stays on and the next line tries again.
static bool open_for_writing(void) {
    const ScriptOpening opening = open_script_for_writing(SCRIPT_FILE_NAME);
    script_file = opening.file;
    if (script_file == nullptr) {
        VORBL_text_printf(write_refusal_message(opening.failure), SCRIPT_FILE_NAME);
        return false;
    }
    script_file_for_writing = 1;
    return true;
}

// The handle is open for reading (a playback opened it first): writing would fail or damage the
// script being played, so the line is dropped, and said once for this handle.
static void refuse_write_while_reading(void) {
    if (!refused_write_reported) {
        VORBL_text_printf("Script file %s is being played back, events are not recorded\n",
                          SCRIPT_FILE_NAME);
        refused_write_reported = 1;
    }
}

void script_write_event(int kind, int x, int y, unsigned char key) {
    if (!kind_has_line(kind)) {
        return;
    }
    if (script_file == nullptr && !open_for_writing()) {
        return;
    }
    if (!script_file_for_writing) {
        refuse_write_while_reading();
        return;
    }
    if (kind == EVENT_MOUSE) {
        std::fprintf(script_file, "VORBL_MOUSE(%d, %d);\n", x, y);
    } else if (kind == EVENT_KBD) {
        // Keys are written as signed bytes; the reader's rules depend on it.
        std::fprintf(script_file, "VORBL_KBD(%d);\n",
                     static_cast<int>(static_cast<signed char>(key)));
    } else {
        std::fprintf(script_file, "VORBL_PERIODIC(%d);\n", static_cast<int>(periodic_run_count));
    }
}

void script_record_event(void) {
    if (event_kind == EVENT_PERIODIC) {
        ++periodic_run_count;
        return;
    }
    if (periodic_run_count > 0) {
        script_write_event(EVENT_PERIODIC, 0, 0, 0);
        periodic_run_count = 0;  // also when the file could not be opened: the run is given up
    }
    script_write_event(event_kind, event_x, event_y, event_key);
}

}  // namespace vorbl
