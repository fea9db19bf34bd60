// script_open.h: opening the script file for reading or for recording, with the checks the
// host's file system allows, and the calls that keep a recording safe on disk.
//
// One implementation per host family, chosen by CMake: script_open_posix.cpp opens only regular
// files, never blocks on a FIFO or a device, never records through a link or into a file that is
// not the user's own, and locks the script it records into; script_open_windows.cpp uses the C
// library's text mode and the file sharing modes. Both give stdio streams that behave as ones
// opened with "rt" or "wt".
//
// A recording never empties an older script before it has a line to put in its place: the first
// line goes into a new file beside the script, which then replaces the script in one rename.
#pragma once

#include <cstdio>

namespace vorbl {

// Why a script file was not opened; each has its own message.
enum ScriptOpenFailure {
    SCRIPT_OPEN_FAILED,        // missing, unreadable, a directory, a FIFO, a device...
    SCRIPT_OPEN_LINK,          // a symbolic link, which recording never writes through
    SCRIPT_OPEN_NOT_OWN,       // a file another user owns
    SCRIPT_OPEN_OTHER_NAMES,   // a file with hard links: replacing it would part them
    SCRIPT_OPEN_BUSY,          // another program is recording into it
    SCRIPT_OPEN_WRITE_FAILED,  // the first line could not be written (a full disk...)
};

struct ScriptOpening {
    std::FILE *file;            // the open stream, or nullptr
    ScriptOpenFailure failure;  // why not, when file is nullptr
};

// Opens `name` for reading from its first line.
ScriptOpening open_script_for_reading(const char *name);

// Makes `name` a new script holding `first_line` and returns a stream that writes after it.
// Nothing under `name` changes unless the line has reached the file system. While the stream is
// open, another program's attempt to record into `name` fails with SCRIPT_OPEN_BUSY.
ScriptOpening open_script_for_writing(const char *name, const char *first_line);

// Cuts a script being recorded back to `length` bytes, the end of its last whole line.
void cut_script(std::FILE *file, long length);

// Asks the file system to put what was written on the disk itself (a power cut keeps it).
void sync_script(std::FILE *file);

}  // namespace vorbl
