// script_open_posix.cpp: opening the script file on POSIX hosts, safely against what a shared
// working directory can hold under the script's name and against a second program recording.
//
// Depends on open, fstat, lstat, fcntl, flock, rename, ftruncate, fdatasync and fdopen. Every
// open uses O_NONBLOCK, so a FIFO with no writer or no reader, or a device, never stops the
// program in the open; fstat on the descriptor just opened then refuses anything but a regular
// file, with no gap between the check and the open for another process to swap the file in.
// After the checks the descriptor goes back to blocking mode (regular files never block anyway)
// and becomes a stdio stream; on this host text mode and binary mode are the same, so "r" and
// "w" are what "rt" and "wt" mean.
//
// Recording writes through no link: the name is opened with O_NOFOLLOW, so the kernel refuses a
// symbolic link in the open itself, whoever made it and wherever it points. An existing file is
// then replaced only if the user (or root) owns it and it has no other names: a file another user
// prepared, or a hard link to somebody's file, is refused before anything changes.
//
// The recording's first line goes into "<name>.<process id>.new", which is written, synced and
// then renamed over the script: a crash or a full disk before that leaves the older script whole.
// The new file is locked (flock) before the rename and stays locked while it is recorded into;
// another program locks the present script before it replaces it, and checks afterwards that the
// name still leads to the file it locked, so two recordings never share one script. Reading
// follows links: playing a script back reads, never changes, what the link points to.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

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

// The present script (created empty when there is none), checked and locked; -1 and the reason
// when it must not be replaced.
int lock_present_script(const char *name, ScriptOpenFailure *failure) {
    const int descriptor =
        open(name, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        *failure = failure_of_open(name);
        return -1;
    }
    struct stat info;
    struct stat named;
    *failure = SCRIPT_OPEN_FAILED;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        // a FIFO, a device...: SCRIPT_OPEN_FAILED
    } else if (!owned_by_user_or_root(info)) {
        *failure = SCRIPT_OPEN_NOT_OWN;
    } else if (info.st_nlink > 1) {
        *failure = SCRIPT_OPEN_OTHER_NAMES;
    } else if (flock(descriptor, LOCK_EX | LOCK_NB) != 0 || lstat(name, &named) != 0 ||
               named.st_ino != info.st_ino || named.st_dev != info.st_dev) {
        // Locked by a recording, or replaced by one between the open and the lock.
        *failure = SCRIPT_OPEN_BUSY;
    } else {
        return descriptor;
    }
    close(descriptor);
    return -1;
}

// Writes all of `text`; false on a short or failed write.
bool write_all(int descriptor, const std::string &text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(descriptor, text.data() + done, text.size() - done);
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The new file beside the script, locked, holding `first_line` on the disk; -1 on failure.
int new_script_file(const std::string &new_name, const char *first_line,
                    ScriptOpenFailure *failure) {
    unlink(new_name.c_str());  // left by a crashed run of a program with this process id
    const int descriptor =
        open(new_name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        *failure = SCRIPT_OPEN_FAILED;
        return -1;
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0 || !write_all(descriptor, first_line) ||
        fdatasync(descriptor) != 0) {
        *failure = SCRIPT_OPEN_WRITE_FAILED;
        close(descriptor);
        unlink(new_name.c_str());
        return -1;
    }
    return descriptor;
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

ScriptOpening open_script_for_writing(const char *name, const char *first_line) {
    ScriptOpenFailure failure = SCRIPT_OPEN_FAILED;
    const int present = lock_present_script(name, &failure);
    if (present < 0) {
        return {nullptr, failure};
    }
    const std::string new_name = std::string(name) + "." + std::to_string(getpid()) + ".new";
    const int descriptor = new_script_file(new_name, first_line, &failure);
    if (descriptor < 0) {
        return refused(present, failure);
    }
    if (rename(new_name.c_str(), name) != 0) {
        unlink(new_name.c_str());
        close(descriptor);
        return refused(present, SCRIPT_OPEN_FAILED);
    }
    close(present);  // the older script, now without a name; its lock goes with it
    std::FILE *stream = fdopen(descriptor, "w");
    if (stream == nullptr) {
        close(descriptor);
        return {nullptr, SCRIPT_OPEN_FAILED};
    }
    // Unbuffered: each line is one write, and a write that failed leaves nothing behind in a
    // buffer to come out later, after the file was cut back to its last whole line.
    std::setvbuf(stream, nullptr, _IONBF, 0);
    std::fseek(stream, 0, SEEK_END);
    return {stream, SCRIPT_OPEN_FAILED};
}

void cut_script(std::FILE *file, long length) {
    std::fflush(file);
    if (ftruncate(fileno(file), length) == 0) {
        std::fseek(file, length, SEEK_SET);
    }
}

void sync_script(std::FILE *file) {
    if (std::fflush(file) == 0) {
        fdatasync(fileno(file));
    }
}

}  // namespace vorbl
