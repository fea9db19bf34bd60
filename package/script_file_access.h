// script_file_access.h: state shared by the script writer, the script reader and the switches
// that open and close the one script file handle.
//
// The handle itself (script_file) and the flags the event wait reads are declared in
// vorbl_internal.h. This header adds what only the script modules need: the file name, which
// direction opened the handle, and the playback's own count of periodic events still owed. The
// recording keeps its pending run in periodic_run_count; the playback keeps its count apart, so
// that with both switched on a replayed periodic event that is recorded never feeds the run the
// playback is still drawing from.
#pragma once

#include <cstdint>

namespace vorbl {

// Relative on purpose: the script lives in the process's working directory.
extern const char SCRIPT_FILE_NAME[];

// Set while script_file is open for writing ("wt"); clear while it is open for reading or closed.
extern unsigned char script_file_for_writing;

// Periodic events that the last periodic line read still owes; 0 or less means none.
extern std::int32_t playback_periodic_owed;

// Where the line of the periodic run being recorded starts in the file; -1 when it has none.
extern long periodic_line_start;

// Ends the periodic run being recorded; its line is already on the file (or was given up).
void script_end_periodic_run(void);

// A recording that cannot go on (a failed write, a script another program records into): stops
// it, clears its check mark and closes the file.
void script_stop_recording_on_failure(void);

// A write refused because the handle is open for reading has been reported for this handle.
extern unsigned char refused_write_reported;

}  // namespace vorbl
