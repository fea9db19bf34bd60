// game_test_support.h: helpers for the game's tests on the headless host.
//
// A fixture that starts the package the way game_main does (without the game) and shuts it
// down after the test; the drawing log read back from the text window's ring; canvas pixels
// at logical points; input scheduled at virtual times; seeds chosen for a wanted first draw.
// Depends on GoogleTest, the headless host and the package's internal header.
#pragma once

#include <gtest/gtest.h>
#include <headless_host.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lcg_random.h"
#include "text_ring.h"
#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

// The package started on the headless host, logging off, the canvas white.
class HeadlessPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        static char no_arguments[] = "";
        VORBL_startup(GetModuleHandleA(nullptr), nullptr, no_arguments, SW_SHOWNORMAL);
        VORBL_set_logging(0);
        VORBL_clear_canvas();
    }
    void TearDown() override { VORBL_shutdown(); }
};

using test_support::ring_lines;

// The newest `count` lines of the ring, oldest first, without their line feeds.
inline std::vector<std::string> newest_lines(std::size_t count) {
    return test_support::newest_lines_without_line_feed(count);
}

// The canvas pixel under logical point (x, y), as a COLORREF.
inline COLORREF logical_pixel(int x, int y) {
    return GetPixel(canvas_dc, origin_x + x, origin_y - y);
}

inline COLORREF rgb_of(int color) { return color_rgb[color]; }

// Input at virtual times (ms from now); the actions live until the process ends.
inline void at_ms(unsigned ms, std::function<void()> action) {
    static std::vector<std::unique_ptr<std::function<void()>>> kept;
    kept.push_back(std::make_unique<std::function<void()>>(std::move(action)));
    headless_host_after(
        ms, [](void *arg) { (*static_cast<std::function<void()> *>(arg))(); }, kept.back().get());
}

inline void type_at(unsigned ms, unsigned char key) {
    at_ms(ms, [key] { headless_host_char(key); });
}

// A left click at a logical point of the graphics window.
inline void click_at(unsigned ms, int x, int y) {
    at_ms(ms, [x, y] { headless_host_click(graphics_hwnd, origin_x + x, origin_y - y); });
}

inline void close_at(unsigned ms) {
    at_ms(ms, [] { headless_host_close(graphics_hwnd); });
}

// The first seed from `start` on whose first draw `wanted` holds.
inline std::uint32_t seed_whose_first_draw(const std::function<bool(int)> &wanted,
                                           std::uint32_t start = 1) {
    for (std::uint32_t seed = start;; ++seed) {
        lcg_seed(seed);
        if (wanted(lcg_random())) {
            return seed;
        }
    }
}

// The values a seed yields, in order.
inline std::vector<int> draws_of(std::uint32_t seed, int count) {
    lcg_seed(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(lcg_random());
    }
    return values;
}
