// trace.h: the trace every conformance program prints, the same way on both builds.
//
// A trace is plain text: "## <section>" opens a section, every other line is "<key>: <value>".
// Pictures are printed one row per line ("row 07: ..##oo##..") with one character per pixel
// from a small palette, so a difference shows where it is. compare_traces.sh matches the two
// traces section by section and key by key.
//
// Depends on: <windows.h> (the platform layer's, or the real one under mingw-w64) and stdio.
// Header only: each program includes it once.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace trace {

inline void section(const char *name) { std::printf("## %s\n", name); }

// One "key: value" line, the value formatted with printf rules.
inline void value(const char *key, const char *format, ...) {
    std::printf("%s: ", key);
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
}

// A handle is printed as what it is, never as its number: numbers differ between systems.
inline const char *null_or_handle(const void *handle) {
    return handle == nullptr ? "NULL" : "handle";
}

// The characters a picture is printed with: the background, the pen, the brush, anything else.
struct Palette {
    COLORREF background = RGB(255, 255, 255);
    COLORREF pen = RGB(200, 0, 0);
    COLORREF brush = RGB(0, 0, 200);
};

inline char pixel_char(COLORREF pixel, const Palette &palette) {
    if (pixel == palette.background) return '.';
    if (pixel == palette.pen) return '#';
    if (pixel == palette.brush) return 'o';
    if (pixel == CLR_INVALID) return ' ';
    return '?';
}

// Rows [0, height) x columns [0, width) of the DC, one line per row.
inline int picture(HDC dc, int width, int height, const Palette &palette) {
    char line[512];
    int pixels = 0;
    for (int y = 0; y < height; ++y) {
        int x = 0;
        for (; x < width && x < static_cast<int>(sizeof line) - 1; ++x)
            line[x] = pixel_char(GetPixel(dc, x, y), palette);
        line[x] = '\0';
        pixels += x;
        char key[16];
        std::snprintf(key, sizeof key, "row %02d", y);
        value(key, "%s", line);
    }
    return pixels;
}

}  // namespace trace
