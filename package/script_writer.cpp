// script_writer.cpp: recording events into the script file, one formatted line per event and
// one counted line per run of periodic events.
//
// Depends on the shared event variables of the event wait, the script state (script_files.cpp)
// and VORBL_text_printf for the messages. Write errors on an open file are not detected: lines go
// through the standard library's buffer and reach the disk when the file is closed.
#include <cstdio>

#include "script_file_access.h"
#include "vorbl_internal.h"

namespace vorbl {

// Only these kinds have a line; anything else must not even open (and so truncate) the file.
static bool kind_has_line(int kind) {
    return kind == EVENT_MOUSE || kind == EVENT_KBD || kind == EVENT_PERIODIC;
}

// Creates or truncates the script. On failure recording stays on and the next line tries again.
static bool open_for_writing(void) {
    script_file = std::fopen(SCRIPT_FILE_NAME, "wt");
    if (script_file == nullptr) {
        VORBL_text_printf("Cannot open script file %s for writing\n", SCRIPT_FILE_NAME);
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
