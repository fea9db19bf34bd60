// unattended_run.cpp: runs that the environment directs (see unattended_run.h for the settings).
//
// Depends on the headless host's calls (selecting it, the virtual clock, scheduled actions), on
// the script switches of the "&Run" menu (script_files.cpp: the package's own playback and
// recording), on the canvas's memory DC and on libpng's simplified writer. Everything runs on the
// program's one thread; the state below lives from start-up to the end of the process, because
// the outputs are completed at exit when a program never shuts the package down.
//
// Limits: the script is VORBL.SCR in the working directory, as for Ctrl+P and Ctrl+R. Reading the
// canvas pixel by pixel costs a few milliseconds per picture.
#include "unattended_run.h"

#include <headless_host.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vorbl_internal.h"

namespace vorbl {

namespace {

constexpr int LIMIT_STATUS = 124;                 // a limit ended the run
constexpr int KEPT_WAITING_STATUS = 125;          // the program went on waiting after its quit
constexpr int BAD_SETTINGS_STATUS = 126;          // the settings cannot be used
constexpr long DEFAULT_HEADLESS_MAX_MS = 600000;  // ten virtual minutes: every run ends
constexpr long WAITS_AFTER_QUIT_ALLOWED = 1000;   // nested loops may wait a few more times
constexpr long LARGEST_SETTING = 1000000000L;

enum class Ending { running, script, events, time, program, kept_waiting };

const char *ending_name(Ending ending) {
    switch (ending) {
        case Ending::running: return "running";
        case Ending::script: return "script";
        case Ending::events: return "events";
        case Ending::time: return "time";
        case Ending::program: return "program";
        case Ending::kept_waiting: return "kept-waiting";
    }
    return "running";
}

struct Settings {
    bool active = false;  // any setting given: the rest of this module has work to do
    bool headless = false;
    bool play = false;
    bool record = false;
    long max_events = 0;  // 0: no limit
    long max_ms = 0;
    std::string png_path;
    std::vector<long> png_after;
    std::string messages_path;
    std::string report_path;
};

struct RunState {
    bool configured = false;
    bool started = false;
    bool first_wait_done = false;
    bool finished = false;
    long events = 0;
    long pictured_after = -1;  // the event count of the last picture taken after an event
    long waits_after_end = 0;
    int client_width = CANVAS_WIDTH;  // the visible part of the canvas
    int client_height = CANVAS_HEIGHT;
    Ending ending = Ending::running;
    std::FILE *messages = nullptr;
};

Settings settings;
RunState state;

[[noreturn]] void refuse_settings(const std::string &why) {
    std::fprintf(stderr, "VORBL: %s\n", why.c_str());
    std::fflush(nullptr);
    _exit(BAD_SETTINGS_STATUS);
}

std::string setting(const char *name) {
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A switch is on when its variable is "1".
bool switch_on(const char *name) {
    const std::string value = setting(name);
    if (value.empty() || value == "0") return false;
    if (value != "1") refuse_settings(std::string(name) + " must be 0 or 1, not '" + value + "'");
    return true;
}

// A whole number from 0 to LARGEST_SETTING, digits only.
long whole_number(const char *name, const std::string &text) {
    const bool digits =
        !text.empty() && text.size() <= 10 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const long value = digits ? std::strtol(text.c_str(), nullptr, 10) : -1;
    if (value < 0 || value > LARGEST_SETTING) {
        refuse_settings(std::string(name) + " must be a whole number from 0 to 1000000000, not '" +
                        text + "'");
    }
    return value;
}

long number_setting(const char *name, long fallback) {
    const std::string value = setting(name);
    return value.empty() ? fallback : whole_number(name, value);
}

std::vector<long> number_list(const char *name) {
    std::vector<long> numbers;
    const std::string value = setting(name);
    std::size_t from = 0;
    while (from < value.size()) {
        std::size_t comma = value.find(',', from);
        if (comma == std::string::npos) comma = value.size();
        numbers.push_back(whole_number(name, value.substr(from, comma - from)));
        from = comma + 1;
    }
    return numbers;
}

// The folder a file would be made in must let us write there; said now, not after the run.
void require_writable_place(const char *name, const std::string &path) {
    if (path.empty() || path == "-") return;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    if (access(folder.c_str(), W_OK) != 0) {
        refuse_settings(std::string(name) + ": cannot write '" + path +
                        "': " + std::strerror(errno));
    }
}

void open_messages(void) {
    if (settings.messages_path.empty()) return;
    if (settings.messages_path == "-") {
        state.messages = stdout;
        return;
    }
    state.messages = std::fopen(settings.messages_path.c_str(), "wb");
    if (state.messages == nullptr) {
        refuse_settings("VORBL_MESSAGES: cannot write '" + settings.messages_path +
                        "': " + std::strerror(errno));
    }
}

void read_settings(void) {
    settings.headless = switch_on("VORBL_HEADLESS");
    settings.play = switch_on("VORBL_PLAY_SCRIPT");
    settings.record = switch_on("VORBL_RECORD_SCRIPT");
    if (settings.play && settings.record) {
        refuse_settings("VORBL_PLAY_SCRIPT and VORBL_RECORD_SCRIPT cannot both be 1");
    }
    settings.max_events = number_setting("VORBL_MAX_EVENTS", 0);
    settings.max_ms =
        number_setting("VORBL_MAX_MS", settings.headless ? DEFAULT_HEADLESS_MAX_MS : 0);
    settings.png_path = setting("VORBL_CANVAS_PNG");
    settings.png_after = number_list("VORBL_CANVAS_PNG_AFTER");
    if (!settings.png_after.empty() && settings.png_path.empty()) {
        refuse_settings("VORBL_CANVAS_PNG_AFTER needs VORBL_CANVAS_PNG to name the pictures");
    }
    settings.messages_path = setting("VORBL_MESSAGES");
    settings.report_path = setting("VORBL_RUN_REPORT");
    require_writable_place("VORBL_CANVAS_PNG", settings.png_path);
    require_writable_place("VORBL_RUN_REPORT", settings.report_path);
    settings.active = settings.headless || settings.play || settings.record ||
                      settings.max_events > 0 || settings.max_ms > 0 ||
                      !settings.png_path.empty() || !settings.messages_path.empty() ||
                      !settings.report_path.empty();
}

// ---- Outputs ----------------------------------------------------------------------------------

// The graphics window's client area as last seen; a window the user closed has none any more,
// while the canvas stays until shutdown.
void note_client_size(void) {
    RECT client{};
    if (graphics_hwnd != nullptr && IsWindow(graphics_hwnd) &&
        GetClientRect(graphics_hwnd, &client) && client.right > 0 && client.bottom > 0) {
        state.client_width = std::min(static_cast<int>(client.right), CANVAS_WIDTH);
        state.client_height = std::min(static_cast<int>(client.bottom), CANVAS_HEIGHT);
    }
}

// The part of the canvas the user sees: its top-left corner, as large as the client area.
bool write_canvas_png(const std::string &path) {
    if (canvas_dc == nullptr) return false;
    note_client_size();
    const int width = state.client_width;
    const int height = state.client_height;
    std::vector<png_byte> rgb(static_cast<std::size_t>(width) * height * 3);
    png_byte *out = rgb.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, out += 3) {
            const COLORREF color = GetPixel(canvas_dc, x, y);
            out[0] = GetRValue(color);
            out[1] = GetGValue(color);
            out[2] = GetBValue(color);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr) == 0) {
        std::fprintf(stderr, "VORBL: cannot write the canvas to '%s': %s\n", path.c_str(),
                     image.message);
        png_image_free(&image);
        return false;
    }
    return true;
}

// "pictures/final.png" after event 5 is "pictures/final-after-5.png".
std::string picture_after_path(long event) {
    std::string stem = settings.png_path;
    const std::size_t slash = stem.rfind('/');
    const std::size_t dot = stem.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) stem.resize(dot);
    return stem + "-after-" + std::to_string(event) + ".png";
}

void write_report(void) {
    if (settings.report_path.empty()) return;
    std::FILE *report = std::fopen(settings.report_path.c_str(), "wb");
    if (report == nullptr) return;  // its folder was writable at start-up; nothing else to do
    std::fprintf(report, "started %s\nevents %ld\nvirtual-ms %u\nended-by %s\n",
                 state.started ? "yes" : "no", state.events,
                 settings.headless ? headless_host_now_ms() : 0u, ending_name(state.ending));
    std::fclose(report);
}

// ---- Ending the run ---------------------------------------------------------------------------

void end_run(Ending why) {
    if (state.ending == Ending::running) state.ending = why;
}

bool ended_by_limit(void) { return state.ending == Ending::events || state.ending == Ending::time; }

// Scheduled on the virtual clock: the wait in progress ends with EVENT_QUIT.
void time_limit_reached(void *) {
    end_run(Ending::time);
    if (graphics_hwnd != nullptr) PostMessageA(graphics_hwnd, WM_NULL, 0, 0);
}

void finish_outputs(void) {
    if (state.finished) return;
    state.finished = true;
    if (state.ending == Ending::running) state.ending = Ending::program;
    if (!settings.png_path.empty()) write_canvas_png(settings.png_path);
    if (state.messages != nullptr) {
        std::fflush(state.messages);
        if (state.messages != stdout) std::fclose(state.messages);
        state.messages = nullptr;
    }
    write_report();
}

// At exit: the outputs of a program that never shut the package down, and the status that says
// a limit ended the run. _exit skips what the program registered with atexit before start-up.
void at_exit(void) {
    finish_outputs();
    if (ended_by_limit()) {
        std::fflush(nullptr);
        _exit(LIMIT_STATUS);
    }
}

[[noreturn]] void end_program_that_keeps_waiting(void) {
    std::fprintf(stderr, "VORBL: the program went on waiting after its EVENT_QUIT; ended\n");
    state.ending = Ending::kept_waiting;
    finish_outputs();
    std::fflush(nullptr);
    _exit(KEPT_WAITING_STATUS);
}

void start_script_switches(void) {
    if (settings.play) script_switch_playback();
    if (settings.record) script_switch_record();
}

}  // namespace

void unattended_run_configure(void) {
    if (state.configured) return;
    state.configured = true;
    read_settings();
    if (!settings.active) return;
    if (settings.headless) headless_host_use();
    open_messages();
    std::atexit(at_exit);
}

void unattended_run_started(bool started) {
    if (!settings.active) return;
    state.started = started;
    if (started && settings.headless && settings.max_ms > 0) {
        const unsigned now = headless_host_now_ms();
        const long left = std::max(0L, settings.max_ms - static_cast<long>(now));
        headless_host_after(static_cast<unsigned>(left), time_limit_reached, nullptr);
    }
    write_report();  // "started yes, running": a crash later still shows the start
}

bool unattended_run_before_wait(void) {
    if (!settings.active || state.finished) return false;
    note_client_size();
    if (state.pictured_after != state.events &&
        std::find(settings.png_after.begin(), settings.png_after.end(), state.events) !=
            settings.png_after.end()) {
        state.pictured_after = state.events;
        write_canvas_png(picture_after_path(state.events));
    }
    if (state.ending != Ending::running) {
        if (++state.waits_after_end > WAITS_AFTER_QUIT_ALLOWED) end_program_that_keeps_waiting();
        return true;
    }
    if (!state.first_wait_done) {
        state.first_wait_done = true;
        start_script_switches();
    }
    return false;
}

bool unattended_run_ends_wait(void) {
    if (!settings.active) return false;
    if (settings.play && state.first_wait_done && !script_playback && !script_play_one) {
        end_run(Ending::script);
    }
    return state.ending != Ending::running;
}

void unattended_run_after_event(int kind) {
    if (!settings.active || state.ending != Ending::running || kind == EVENT_QUIT) return;
    ++state.events;
    if (settings.max_events > 0 && state.events >= settings.max_events) end_run(Ending::events);
}

void unattended_run_message(const char *text, std::size_t length) {
    unattended_run_configure();  // a message can come before start-up
    if (state.messages == nullptr) return;
    std::fwrite(text, 1, length, state.messages);
    if (length == 0 || text[length - 1] != '\n') std::fputc('\n', state.messages);
    std::fflush(state.messages);  // what came before a crash is kept
}

void unattended_run_finish(void) {
    if (settings.active) finish_outputs();
}

}  // namespace vorbl
