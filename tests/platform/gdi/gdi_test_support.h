// gdi_test_support.h: memory canvases, pictures and object balances for the GDI tests.
//
// A TestCanvas is a memory DC with a white colour bitmap of the asked size selected, given back
// when it goes. Pictures are rows of characters read back with GetPixel: '#' the pen colour,
// 'o' the brush colour, '.' white, '?' anything else. When a picture comparison fails, the
// actual and expected pictures are written as PPM images to $VORBL_TEST_OUTPUT (or the current
// directory) under the test's name.
#pragma once

#include <gtest/gtest.h>
#include <platform_object_counts.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "object_counts.h"

namespace gdi_test {

constexpr COLORREF kPen = RGB(200, 0, 0);
constexpr COLORREF kBrush = RGB(0, 0, 180);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class TestCanvas {
public:
    TestCanvas(int width, int height) : width_(width), height_(height) {
        // In colour: a bitmap compatible with the screen, not with the fresh (monochrome) DC.
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_bitmap_ = SelectObject(dc_, bitmap_);
        clear(kWhite);
    }
    ~TestCanvas() {
        SelectObject(dc_, old_bitmap_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TestCanvas(const TestCanvas &) = delete;
    TestCanvas &operator=(const TestCanvas &) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void clear(COLORREF color) const {
        HBRUSH brush = CreateSolidBrush(color);
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }

    // Rows of characters for the w x h block at (x, y).
    std::vector<std::string> picture(int x, int y, int w, int h) const {
        std::vector<std::string> rows;
        for (int row = 0; row < h; ++row) {
            std::string line;
            for (int col = 0; col < w; ++col) line += symbol(GetPixel(dc_, x + col, y + row));
            rows.push_back(line);
        }
        return rows;
    }

    // Number of pixels of one colour in the whole bitmap.
    int count(COLORREF color) const {
        int n = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) n += GetPixel(dc_, x, y) == color;
        return n;
    }

private:
    static char symbol(COLORREF color) {
        if (color == kPen) return '#';
        if (color == kBrush) return 'o';
        if (color == kWhite) return '.';
        return '?';
    }

    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_bitmap_;
};

constexpr int kNullPen = -1000;  // PenAndBrush width that selects NULL_PEN

// Selects a pen and a brush for one block and gives both back after it.
class PenAndBrush {
public:
    PenAndBrush(HDC dc, int pen_width, bool filled) : dc_(dc) {
        pen_ = pen_width == kNullPen ? nullptr : CreatePen(PS_SOLID, pen_width, kPen);
        brush_ = filled ? CreateSolidBrush(kBrush) : nullptr;
        old_pen_ = SelectObject(
            dc, pen_ != nullptr ? static_cast<HGDIOBJ>(pen_) : GetStockObject(NULL_PEN));
        old_brush_ =
            SelectObject(dc, filled ? static_cast<HGDIOBJ>(brush_) : GetStockObject(NULL_BRUSH));
    }
    ~PenAndBrush() {
        SelectObject(dc_, old_pen_);
        SelectObject(dc_, old_brush_);
        if (pen_ != nullptr) DeleteObject(pen_);
        if (brush_ != nullptr) DeleteObject(brush_);
    }
    PenAndBrush(const PenAndBrush &) = delete;
    PenAndBrush &operator=(const PenAndBrush &) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ old_pen_, old_brush_;
};

inline void write_ppm(const std::filesystem::path &path, const std::vector<std::string> &rows) {
    const std::size_t width = rows.empty() ? 0 : rows[0].size();
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << ' ' << rows.size() << "\n255\n";
    for (const std::string &row : rows) {
        for (std::size_t x = 0; x < width; ++x) {
            const char c = x < row.size() ? row[x] : '?';
            const unsigned char rgb[3] = {static_cast<unsigned char>(c == '#'   ? 200
                                                                     : c == '.' ? 255
                                                                     : c == 'o' ? 0
                                                                                : 0),
                                          static_cast<unsigned char>(c == '.'   ? 255
                                                                     : c == '?' ? 255
                                                                                : 0),
                                          static_cast<unsigned char>(c == 'o'   ? 180
                                                                     : c == '.' ? 255
                                                                                : 0)};
            out.write(reinterpret_cast<const char *>(rgb), 3);
        }
    }
}

// Compare pictures; on a mismatch write both as images and fail with both printed.
inline void expect_picture(const std::vector<std::string> &actual,
                           const std::vector<std::string> &expected) {
    if (actual == expected) return;
    const char *dir = std::getenv("VORBL_TEST_OUTPUT");
    std::filesystem::path folder = dir != nullptr ? dir : ".";
    std::filesystem::create_directories(folder);
    const auto *info = testing::UnitTest::GetInstance()->current_test_info();
    const std::string stem = std::string(info->test_suite_name()) + "." + info->name();
    write_ppm(folder / (stem + ".actual.ppm"), actual);
    write_ppm(folder / (stem + ".expected.ppm"), expected);
    std::string text = "actual | expected\n";
    for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i)
        text += (i < actual.size() ? actual[i] : "") + " | " +
                (i < expected.size() ? expected[i] : "") + "\n";
    ADD_FAILURE() << text << "images written to " << folder / stem;
}

using test_support::expect_same_objects;
using test_support::live_objects;

}  // namespace gdi_test
