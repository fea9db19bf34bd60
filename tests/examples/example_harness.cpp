// example_harness.cpp: the headless run of one example and the picture comparisons.
//
// Depends on GoogleTest, the headless host, the package's internal state (the graphics window,
// the origin, the text ring) and the tools' PNG pictures. The example runs on this thread inside
// run_example; the wait and shutdown wrappers below are what its renamed calls reach.
#include "example_harness.h"

#include <gtest/gtest.h>
#include <headless_host.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "canvas_image.h"
#include "text_ring.h"
#include "vorbl_internal.h"

namespace fs = std::filesystem;

namespace example_test {

namespace {

constexpr unsigned TIME_LIMIT_MS = 10 * 60 * 1000;  // virtual time
constexpr int CHANNEL_TOLERANCE = 8;                // rounding differences in blended text

struct RunState {
    std::vector<Step> steps;
    int close_after = 0;
    bool guard_scheduled = false;
    Outcome *outcome = nullptr;
    RECT client = {0, 0, 0, 0};  // the graphics window's client area at the last wait
};

RunState run;

void run_action(void *argument) { (*static_cast<Action *>(argument))(); }

void close_graphics_window(void *) {
    if (vorbl::graphics_hwnd != nullptr) headless_host_close(vorbl::graphics_hwnd);
}

void time_limit_reached(void *) {
    run.outcome->timed_out = true;
    close_graphics_window(nullptr);
}

// Everything due after `delivered` events, in the order given; the close comes last.
void schedule_due_steps(int delivered) {
    if (!run.guard_scheduled) {
        headless_host_after(TIME_LIMIT_MS, time_limit_reached, nullptr);
        run.guard_scheduled = true;
    }
    for (Step &step : run.steps) {
        if (step.after_events == delivered) headless_host_after(0, run_action, &step.action);
    }
    if (delivered == run.close_after) headless_host_after(0, close_graphics_window, nullptr);
}

std::vector<std::string> file_lines(const fs::path &path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

fs::path fresh_directory(void) {
    std::string pattern = (fs::temp_directory_path() / "vorbl_example.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

fs::path output_folder(void) {
    const char *dir = std::getenv("VORBL_TEST_OUTPUT");
    fs::path folder = dir != nullptr ? dir : ".";
    std::error_code error;
    fs::create_directories(folder, error);
    return folder;
}

void write_or_report(const fs::path &path, const RgbImage &image) {
    std::string error;
    if (!vorbl_tools::write_png(path.string(), image, &error)) ADD_FAILURE() << error;
}

// Where the pictures differ: red; where they agree: the expected picture, faded.
RgbImage difference_of(const RgbImage &actual, const RgbImage &expected, int *differing) {
    RgbImage difference(expected.width, expected.height);
    *differing = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const std::uint8_t *a = actual.pixel(x, y);
            const std::uint8_t *e = expected.pixel(x, y);
            std::uint8_t *d = difference.pixel(x, y);
            bool same = true;
            for (int c = 0; c < 3; ++c) same = same && std::abs(a[c] - e[c]) <= CHANNEL_TOLERANCE;
            *differing += same ? 0 : 1;
            for (int c = 0; c < 3; ++c) {
                d[c] = same ? static_cast<std::uint8_t>(192 + e[c] / 4) : (c == 0 ? 255 : 0);
            }
        }
    }
    return difference;
}

}  // namespace

Outcome run_example(const std::vector<Step> &steps, int events) {
    Outcome outcome;
    run = RunState{steps, events, false, &outcome, {0, 0, 0, 0}};
    std::error_code error;
    const fs::path previous = fs::current_path(error);
    const fs::path directory = fresh_directory();
    if (!directory.empty()) fs::current_path(directory, error);
    if (directory.empty() || error) {
        ADD_FAILURE() << "no temporary working directory for the example";
        return outcome;
    }
    headless_host_use();
    outcome.exit_code = vorbl_example_main();
    outcome.script_lines = file_lines(directory / "VORBL.SCR");
    fs::current_path(previous, error);
    fs::remove_all(directory, error);
    return outcome;
}

Action click_at(int x, int y) {
    return [x, y] {
        headless_host_click(vorbl::graphics_hwnd, vorbl::origin_x + x, vorbl::origin_y - y);
    };
}

Action type_text(const std::string &bytes) {
    return [bytes] {
        for (unsigned char byte : bytes) headless_host_char(byte);
    };
}

Action ctrl_key(char letter) {
    return [letter] {
        headless_host_key(VK_CONTROL, 1);
        headless_host_key(letter, 1);
        headless_host_key(letter, 0);
        headless_host_key(VK_CONTROL, 0);
    };
}

Action capture_canvas(RgbImage *into) {
    return [into] { *into = vorbl_tools::visible_canvas(); };
}

unsigned pixel_at(const Outcome &outcome, int x, int y) {
    const int px = outcome.origin_x + x;
    const int py = outcome.origin_y - y;
    const RgbImage &canvas = outcome.final_canvas;
    if (px < 0 || py < 0 || px >= canvas.width || py >= canvas.height) return 0xFFFFFFFFu;
    const std::uint8_t *p = canvas.pixel(px, py);
    return (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2];
}

void expect_same_picture(const RgbImage &actual, const RgbImage &expected,
                         const std::string &name) {
    const fs::path folder = output_folder();
    if (actual.width != expected.width || actual.height != expected.height) {
        write_or_report(folder / (name + ".actual.png"), actual);
        ADD_FAILURE() << name << ": the picture is " << actual.width << " x " << actual.height
                      << ", expected " << expected.width << " x " << expected.height
                      << "; written to " << folder / (name + ".actual.png");
        return;
    }
    int differing = 0;
    const RgbImage difference = difference_of(actual, expected, &differing);
    if (differing == 0) return;
    write_or_report(folder / (name + ".actual.png"), actual);
    write_or_report(folder / (name + ".expected.png"), expected);
    write_or_report(folder / (name + ".difference.png"), difference);
    ADD_FAILURE() << name << ": " << differing << " pixels differ; actual, expected and "
                  << "difference written to " << folder / name << ".*.png";
}

void expect_matches_reference(const RgbImage &actual, const std::string &name) {
    const fs::path reference = fs::path(VORBL_REFERENCE_DIR) / (name + ".png");
    std::string error;
    const char *update = std::getenv("VORBL_UPDATE_REFERENCES");
    if (update != nullptr && std::string(update) == "1") {
        if (!vorbl_tools::write_png(reference.string(), actual, &error)) ADD_FAILURE() << error;
        std::printf("wrote %s\n", reference.c_str());
        return;
    }
    RgbImage expected;
    if (!vorbl_tools::read_png(reference.string(), &expected, &error)) {
        ADD_FAILURE() << error << " (VORBL_UPDATE_REFERENCES=1 writes it)";
        return;
    }
    expect_same_picture(actual, expected, name);
}

}  // namespace example_test

using example_test::run;

// The example's waits: steps and the close are scheduled before each wait, then counted. The
// client area is noted while the window is there: closing it destroys the window before the
// example shuts down, and the canvas stays.
extern "C" int vorbl_example_wait_event(int *x, int *y, unsigned char *key) {
    GetClientRect(vorbl::graphics_hwnd, &run.client);
    example_test::schedule_due_steps(static_cast<int>(run.outcome->kinds.size()));
    const int kind = VORBL_wait_event(x, y, key);
    run.outcome->kinds.push_back(kind);
    return kind;
}

// The example's shutdown: what it leaves on the canvas and in the text window, then the real one.
extern "C" int vorbl_example_shutdown(void) {
    run.outcome->final_canvas =
        vorbl_tools::canvas_block(0, 0, run.client.right, run.client.bottom);
    run.outcome->origin_x = vorbl::origin_x;
    run.outcome->origin_y = vorbl::origin_y;
    run.outcome->text_lines = test_support::newest_lines_without_line_feed(vorbl::TEXT_LINE_COUNT);
    return VORBL_shutdown();
}
