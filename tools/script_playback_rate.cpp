// script_playback_rate.cpp: measures how fast playback delivers a long run of periodic events
// through VORBL_wait_event on the real (SDL2) host, with no other input.
//
// Usage: script_playback_rate [events]   (default 1000; needs a display, e.g. under xvfb-run)
// Writes "VORBL_PERIODIC(<events>);" into VORBL.SCR in a fresh temporary directory, starts the
// package, switches playback on as Ctrl+P does, and times the waits until all events arrived.
// A scripted event is taken once per window message the wait handles, so with nothing but the
// animation timer in the queue the run is paced by that timer, not by the reader.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

// A directory of its own, so the script written here never lands in the caller's directory.
bool enter_temporary_directory(std::filesystem::path *directory) {
    char pattern[] = "/tmp/vorbl-playback-rate-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return false;
    }
    *directory = pattern;
    std::filesystem::current_path(*directory);
    return true;
}

bool write_run(int events) {
    std::FILE *script = std::fopen("VORBL.SCR", "wt");
    if (script == nullptr) {
        return false;
    }
    std::fprintf(script, "VORBL_PERIODIC(%d);\n", events);
    return std::fclose(script) == 0;
}

// Waits for `events` events; returns how many of them were periodic.
int deliver(int events) {
    int periodic = 0;
    for (int i = 0; i < events; ++i) {
        int x = 0;
        int y = 0;
        unsigned char key = 0;
        if (VORBL_wait_event(&x, &y, &key) == EVENT_PERIODIC) {
            ++periodic;
        }
    }
    return periodic;
}

}  // namespace

int main(int argc, char **argv) {
    const int events = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::filesystem::path directory;
    if (events < 1 || !enter_temporary_directory(&directory) || !write_run(events)) {
        std::fprintf(stderr, "usage: script_playback_rate [events >= 1]; needs /tmp\n");
        return 2;
    }
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    script_switch_playback();
    const auto start = std::chrono::steady_clock::now();
    const int periodic = deliver(events);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    VORBL_shutdown();
    std::filesystem::remove_all(directory);
    std::printf("%d of %d scripted periodic events in %.3f s: %.1f events/s, %.2f ms each\n",
                periodic, events, elapsed.count(), events / elapsed.count(),
                1000.0 * elapsed.count() / events);
    return periodic == events ? 0 : 1;
}
