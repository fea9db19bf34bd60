// example_harness.h: runs one example program headless, with input at chosen points, and
// compares its final canvas with a reference picture.
//
// Each example test program is linked with one example whose `main`, `VORBL_wait_event` and
// `VORBL_shutdown` were renamed when it was compiled for the test (vorbl_example_main and the two
// below), so the example's code is exactly what a newcomer reads. The harness selects the
// headless host, counts the events the example's waits return, runs the steps due after each
// count, closes the graphics window (as a user would) once the asked number of events has been
// delivered, and takes the canvas and the text window's lines when the example shuts down.
// Each run works in a fresh temporary directory (the script file lands there), removed after.
//
// Reference pictures live in docs/images (the programming guide shows them). When a picture
// differs, actual, expected and difference images are written as PNG files to
// $VORBL_TEST_OUTPUT (or the current directory); with VORBL_UPDATE_REFERENCES=1 the picture is
// written as the new reference instead.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "png_image.h"

extern "C" {
int vorbl_example_main(void);
int vorbl_example_wait_event(int *x, int *y, unsigned char *key);
int vorbl_example_shutdown(void);
}

namespace example_test {

using vorbl_tools::RgbImage;
using Action = std::function<void()>;

// `action` runs once `after_events` events have reached the example, before its next wait
// takes any message.
struct Step {
    int after_events;
    Action action;
};

struct Outcome {
    int exit_code = -1;
    std::vector<int> kinds;               // what every wait returned, the final EVENT_QUIT included
    RgbImage final_canvas;                // the visible canvas when the example shut down
    int origin_x = 0, origin_y = 0;       // canvas pixel of logical (0, 0)
    std::vector<std::string> text_lines;  // the text window's lines, oldest first, no line feeds
    std::vector<std::string> script_lines;  // VORBL.SCR as left in the working directory
    bool timed_out = false;                 // the example was still running after the time limit
};

// Runs the example with `steps`, closing its graphics window once `events` events have reached
// it. A run that has not ended after ten minutes of virtual time is closed and marked.
Outcome run_example(const std::vector<Step> &steps, int events);

// Actions on the graphics window, as a user performs them.
Action click_at(int x, int y);  // a left click at logical (x, y)
Action type_text(const std::string &bytes);
Action ctrl_key(char letter);  // Ctrl+letter, e.g. 'R' for Record Script
Action capture_canvas(RgbImage *into);

// The RGB of a logical point in an outcome's final canvas, as 0xRRGGBB.
unsigned pixel_at(const Outcome &outcome, int x, int y);

// Fails unless the two pictures agree (each channel within a small tolerance), writing the
// pictures and their difference under `name` when they do not.
void expect_same_picture(const RgbImage &actual, const RgbImage &expected, const std::string &name);

// Compares with docs/images/<name>.png (or, with VORBL_UPDATE_REFERENCES=1, writes it).
void expect_matches_reference(const RgbImage &actual, const std::string &name);

}  // namespace example_test
