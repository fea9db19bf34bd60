// script_open_windows.cpp: opening the script file on Windows, with the C library's text mode.
//
// Depends on <windows.h> (MoveFileExA, GetCurrentProcessId) and the C library's _fsopen, _chsize
// and _commit. "rt" reads with CR LF line ends turned into line feeds; a recording writes CR LF
// line ends. The POSIX hosts' checks against FIFOs, devices and planted links live in
// script_open_posix.cpp.
//
// The recording's first line goes into "<name>.<process id>.new", which is closed and moved over
// the script (MOVEFILE_REPLACE_EXISTING, MOVEFILE_WRITE_THROUGH): a crash or a full disk before
// that leaves the older script whole. The script is then opened again to go on writing, sharing
// reading only: while it is open, another program's move over it fails with a sharing violation
// or a denied access, which is how a second recording in the same folder is refused.
#include <windows.h>

#include <io.h>
#include <share.h>

#include <string>

#include "script_open.h"

namespace vorbl {

namespace {

// Writes the first line into a new file; false (and no file) when it could not.
bool write_new_file(const std::string &new_name, const char *first_line) {
    std::FILE *file = _fsopen(new_name.c_str(), "wt", _SH_DENYRW);
    if (file == nullptr) {
        return false;
    }
    const bool written =
        std::fputs(first_line, file) >= 0 && std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
    if (std::fclose(file) != 0 || !written) {
        std::remove(new_name.c_str());
        return false;
    }
    return true;
}

bool held_by_another_program(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

}  // namespace

ScriptOpening open_script_for_reading(const char *name) {
    return {std::fopen(name, "rt"), SCRIPT_OPEN_FAILED};
}

ScriptOpening open_script_for_writing(const char *name, const char *first_line) {
    const std::string new_name =
        std::string(name) + "." + std::to_string(GetCurrentProcessId()) + ".new";
    if (!write_new_file(new_name, first_line)) {
        return {nullptr, SCRIPT_OPEN_WRITE_FAILED};
    }
    if (!MoveFileExA(new_name.c_str(), name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        std::remove(new_name.c_str());
        return {nullptr, held_by_another_program(error) ? SCRIPT_OPEN_BUSY : SCRIPT_OPEN_FAILED};
    }
    std::FILE *stream = _fsopen(name, "r+t", _SH_DENYWR);
    if (stream == nullptr) {
        return {nullptr, SCRIPT_OPEN_BUSY};
    }
    // Unbuffered: each line is one write, and a write that failed leaves nothing behind in a
    // buffer to come out later, after the file was cut back to its last whole line.
    std::setvbuf(stream, nullptr, _IONBF, 0);
    std::fseek(stream, 0, SEEK_END);
    return {stream, SCRIPT_OPEN_FAILED};
}

void cut_script(std::FILE *file, long length) {
    std::fflush(file);
    if (_chsize(_fileno(file), length) == 0) {
        std::fseek(file, length, SEEK_SET);
    }
}

void sync_script(std::FILE *file) {
    if (std::fflush(file) == 0) {
        _commit(_fileno(file));
    }
}

}  // namespace vorbl
