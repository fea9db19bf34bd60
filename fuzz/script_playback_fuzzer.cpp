// script_playback_fuzzer.cpp: any bytes as "VORBL.SCR", played back through VORBL_wait_event on
// the headless host, against the reading rules of script_model.cpp.
//
// Each input is written to the script file in a directory of the run's own, playback is switched
// on as Ctrl+P does and the animation left running, so that once the script has nothing more the
// same wait goes on to a live periodic event instead of blocking. Checked for every input:
// - each wait delivers exactly the event the model reads, and playback stays on while it does;
// - the wait after the last event ends playback, with the model's message or none, and delivers
//   the live periodic event: the number of waits an input takes is bounded by the model's count
//   plus one (and by kMaxEventsPerInput, after which playback is switched off);
// - the package gives back every object and block a wait made.
// Depends on the package's internal state (vorbl_internal.h), the headless host and the model.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz_support.h"
#include "script_file_access.h"
#include "script_model.h"
#include "vorbl_internal.h"

namespace {

constexpr std::size_t kMaxEventsPerInput = 1024;
constexpr const char *kMarker = "-- fuzz input ends --";

struct Delivered {
    int kind;
    int x;
    int y;
    int key;
};

Delivered wait_once() {
    Delivered d{0, -1, -1, -1};
    unsigned char key = 0;
    d.kind = VORBL_wait_event(&d.x, &d.y, &key);
    d.key = key;
    return d;
}

// The run's own directory, so the script never lands where the fuzzer was started. The fuzzer
// is in it only while an input runs: libFuzzer writes its corpus and findings relative to the
// directory it was started in.
class ScratchDirectory {
public:
    ScratchDirectory() {
        char pattern[] = "/tmp/vorbl-fuzz-script-XXXXXX";
        FUZZ_CHECK(mkdtemp(pattern) != nullptr);
        path_ = pattern;
        started_in_ = std::filesystem::current_path();
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    void enter() const { std::filesystem::current_path(path_); }
    void leave() const { std::filesystem::current_path(started_in_); }

private:
    std::filesystem::path path_;
    std::filesystem::path started_in_;
};

const ScratchDirectory &scratch() {
    static const ScratchDirectory directory;
    return directory;
}

void write_script(const std::uint8_t *data, std::size_t size) {
    std::FILE *file = std::fopen(vorbl::SCRIPT_FILE_NAME, "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
}

// Without its line feed, which the text window's paint takes off the stored line.
std::string newest_ring_line() {
    const int slot = (vorbl::text_next + vorbl::TEXT_LINE_COUNT - 1) % vorbl::TEXT_LINE_COUNT;
    const char *text = static_cast<const char *>(GlobalLock(vorbl::text_lines[slot]));
    std::string line = text != nullptr ? text : "";
    GlobalUnlock(vorbl::text_lines[slot]);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    return line;
}

std::string ending_message(fuzz::ModelEnding ending) {
    switch (ending) {
        case fuzz::ModelEnding::end_of_file: return "EOF encountered in script file VORBL.SCR";
        case fuzz::ModelEnding::too_many_empty_lines:
            return "Script file VORBL.SCR has too many empty lines in a row";
        case fuzz::ModelEnding::unknown_line:
            return "Script file VORBL.SCR has a line that is not an event";
        case fuzz::ModelEnding::limit_reached: break;
    }
    return kMarker;
}

void check_event(const Delivered &delivered, const fuzz::ModelEvent &expected) {
    FUZZ_CHECK(delivered.kind == expected.kind);
    FUZZ_CHECK(delivered.x == expected.x);
    FUZZ_CHECK(delivered.y == expected.y);
    FUZZ_CHECK(delivered.key == expected.key);
    FUZZ_CHECK(vorbl::script_playback == 1);
}

// The wait after the last scripted event: playback ends and the animation supplies the event.
void check_ending(fuzz::ModelEnding ending) {
    VORBL_text_printf("%s\n", kMarker);
    const Delivered live = wait_once();
    FUZZ_CHECK(live.kind == EVENT_PERIODIC);
    FUZZ_CHECK(live.x == 0 && live.y == 0 && live.key == 0);
    FUZZ_CHECK(vorbl::script_playback == 0);
    FUZZ_CHECK(newest_ring_line() == ending_message(ending));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    scratch();
    fuzz::start_package_once();
    VORBL_set_logging(0);
    // Lines are still stored while the text window is hidden; only its paints are saved.
    VORBL_show_text_window(0);
    // A full ring, so every further line frees one block as it takes one.
    for (int i = 0; i < vorbl::TEXT_LINE_COUNT; ++i) VORBL_text_printf("filler %d\n", i);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    scratch().enter();
    write_script(data, size);
    const fuzz::ModelPlayback expected = fuzz::model_playback(
        std::string(reinterpret_cast<const char *>(data), size), kMaxEventsPerInput);
    const auto objects_before = fuzz::drawing_objects();

    vorbl::script_switch_playback();  // on: halts the animation, the first read opens the file
    VORBL_set_animation(ANIMATE_RUN);
    for (const fuzz::ModelEvent &event : expected.events) check_event(wait_once(), event);
    if (expected.ending == fuzz::ModelEnding::limit_reached) {
        vorbl::script_switch_playback();  // off, and the file closed
    } else {
        check_ending(expected.ending);
    }
    VORBL_set_animation(ANIMATE_HALT);
    vorbl::script_close();

    FUZZ_CHECK(fuzz::drawing_objects() == objects_before);
    scratch().leave();
    return 0;
}
