// package_test_canvas.h: fixtures and readers for the tests of the drawing calls, the renderer
// and the text window.
//
// CanvasTest sets up the canvas the way VORBL_startup does (a 601 x 540 bitmap in a memory DC
// held in canvas_dc) with the origin at (300, 270) and no windows, so messages are stored but no
// window is asked to repaint. StartedPackageTest starts the whole package on the headless host.
// Both empty the message ring first, so a test sees only its own messages even when the whole
// program runs in one process.
#pragma once

#include <gtest/gtest.h>
#include <headless_host.h>
#include <platform_object_counts.h>

#include <string>
#include <vector>

#include "object_counts.h"
#include "text_ring.h"
#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace package_test {

// Frees every stored line and leaves the ring as at program start.
inline void reset_text_ring() {
    for (HGLOBAL &line : text_lines) {
        if (line != nullptr) GlobalFree(line);
        line = nullptr;
    }
    text_first = -1;
    text_next = 0;
}

using test_support::drawing_objects;
using test_support::ring_lines;

inline int live_global_blocks() { return test_support::live_objects().global_blocks; }

inline COLORREF canvas_pixel(int x, int y) { return GetPixel(canvas_dc, x, y); }

// Number of pixels of `color` in the canvas rectangle [left, right) x [top, bottom).
inline int count_pixels(COLORREF color, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) count += canvas_pixel(x, y) == color ? 1 : 0;
    }
    return count;
}

// Paints the whole canvas one colour without going through the package.
inline void fill_canvas(COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const RECT all = {0, 0, CANVAS_WIDTH, CANVAS_HEIGHT};
    FillRect(canvas_dc, &all, brush);
    DeleteObject(brush);
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_text_ring();
        HDC screen = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, CANVAS_WIDTH, CANVAS_HEIGHT);
        ReleaseDC(nullptr, screen);
        previous_bitmap_ = SelectObject(memory_, bitmap_);
        canvas_dc = memory_;
        origin_x = 300;
        origin_y = 270;
        logging_on = 0;
        fill_canvas(RGB(255, 255, 255));
        canvas_dirty = 0;
    }
    void TearDown() override {
        reset_text_ring();
        canvas_dc = nullptr;
        SelectObject(memory_, previous_bitmap_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
    }

private:
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_bitmap_ = nullptr;
};

class StartedPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_text_ring();
        headless_host_use();
        VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    }
    void TearDown() override {
        VORBL_shutdown();
        reset_text_ring();
    }
};

}  // namespace package_test
