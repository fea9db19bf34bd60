// script_open.h: opening the script file for reading or for writing, with the checks the host's
// file system allows.
//
// One function per direction, each with one implementation per host family, chosen by CMake:
// script_open_posix.cpp opens only regular files, never blocks on a FIFO or a device, and never
// records through a link or into a file that is not the user's own; script_open_windows.cpp
// keeps the plain C stdio open in text mode. Both give a stdio stream that behaves as one opened
// with "rt" or "wt": reading from the start, or writing into a file that was created or emptied.
#pragma once

#include <cstdio>

namespace vorbl {

// Why a script file was not opened; each has its own message.
enum ScriptOpenFailure {
    SCRIPT_OPEN_FAILED,       // missing, unreadable, a directory, a FIFO, a device...
    SCRIPT_OPEN_LINK,         // a symbolic link, which recording never writes through
    SCRIPT_OPEN_NOT_OWN,      // a file another user owns
    SCRIPT_OPEN_OTHER_NAMES,  // a file with hard links: emptying it would empty them too
};

struct ScriptOpening {
    std::FILE *file;            // the open stream, or nullptr
    ScriptOpenFailure failure;  // why not, when file is nullptr
};

// Opens `name` for reading from its first line.
ScriptOpening open_script_for_reading(const char *name);

// Opens `name` for writing, created or emptied. Nothing is emptied unless it is then opened.
ScriptOpening open_script_for_writing(const char *name);

}  // namespace vorbl
