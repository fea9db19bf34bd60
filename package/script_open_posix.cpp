// script_open_posix.cpp: opening the script file on POSIX hosts, safely against what a shared
// working directory can hold under the script's name.
//
// Depends on open, fstat, lstat, fcntl, ftruncate and fdopen. Every open uses O_NONBLOCK, so a
// FIFO with no writer or no reader, or a device, never stops the program in the open; fstat on
// the descriptor just opened then refuses anything but a regular file, with no gap between the
// check and the open for another process to swap the file in. After the checks the descriptor
// goes back to blocking mode (regular files never block anyway) and becomes a stdio stream; on
// this host text mode and binary mode are the same, so "r" and "w" are what "rt" and "wt" mean.
//
// Recording writes through no link: the name is opened with O_NOFOLLOW, so the kernel refuses a
// symbolic link in the open itself, whoever made it and wherever it points. An existing file is
// then written only if the user (or root) owns it and it has no other names: a file another user
// prepared, or a hard link to somebody's file, is refused before anything is emptied. Reading
// follows links: playing a script back reads, never changes, what the link points to.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "script_open.h"

namespace vorbl {

namespace {

// The descriptor back in blocking mode, as a stdio stream; closed on failure.
std::FILE *stream_of(int descriptor, const char *mode) {
    const int flags = fcntl(descriptor, F_GETFL);
    if (flags < 0 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) < 0) {
        close(descriptor);
        return nullptr;
    }
    std::FILE *stream = fdopen(descriptor, mode);
    if (stream == nullptr) {
        close(descriptor);
    }
    return stream;
}

ScriptOpening refused(int descriptor, ScriptOpenFailure failure) {
    close(descriptor);
    return {nullptr, failure};
}

// Says why an open with O_NOFOLLOW failed. Only the message depends on it, so a file changed
// between the failed open and this look can do no harm.
ScriptOpenFailure failure_of_open(const char *name) {
    struct stat info;
    if (lstat(name, &info) == 0 && S_ISLNK(info.st_mode)) {
        return SCRIPT_OPEN_LINK;
    }
    return SCRIPT_OPEN_FAILED;
}

bool owned_by_user_or_root(const struct stat &info) {
    return info.st_uid == geteuid() || info.st_uid == 0;
}

}  // namespace

ScriptOpening open_script_for_reading(const char *name) {
    const int descriptor = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return {nullptr, SCRIPT_OPEN_FAILED};
    }
    struct stat info;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        return refused(descriptor, SCRIPT_OPEN_FAILED);
    }
    std::FILE *stream = stream_of(descriptor, "r");
    return {stream, SCRIPT_OPEN_FAILED};
}

ScriptOpening open_script_for_writing(const char *name) {
    // No O_TRUNC: the file is emptied only once it has passed every check.
    const int descriptor =
        open(name, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return {nullptr, failure_of_open(name)};
    }
    struct stat info;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        return refused(descriptor, SCRIPT_OPEN_FAILED);
    }
    if (!owned_by_user_or_root(info)) {
        return refused(descriptor, SCRIPT_OPEN_NOT_OWN);
    }
    if (info.st_nlink > 1) {
        return refused(descriptor, SCRIPT_OPEN_OTHER_NAMES);
    }
    if (ftruncate(descriptor, 0) != 0) {
        return refused(descriptor, SCRIPT_OPEN_FAILED);
    }
    std::FILE *stream = stream_of(descriptor, "w");
    return {stream, SCRIPT_OPEN_FAILED};
}

}  // namespace vorbl
