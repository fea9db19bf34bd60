// raster_core.h: the pixel-writing core of the GDI: colour conversion, clipped spans and boxes,
// and the polygon scan conversion every filled shape and wide pen is built from.
//
// Coordinates are 64-bit so that any 32-bit input, and sums and differences of such inputs, are
// held without overflow. Every writer clips to the surface before it loops, so a shape far off
// the bitmap costs nothing and nothing is ever written outside the pixels.
//
// Depends on: pixel_surface.h, windows.h (COLORREF). Limits: solid colour copies only (no ROPs).
#pragma once

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <span>

#include "core/pixel_surface.h"

namespace platform::raster {

using Coord = std::int64_t;

struct Point64 {
    Coord x = 0;
    Coord y = 0;
};

// COLORREF 0x00BBGGRR <-> pixel 0x00RRGGBB.
constexpr std::uint32_t to_pixel(COLORREF color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr COLORREF to_colorref(std::uint32_t pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

// Whether (x, y) is a pixel of the surface. Inline: GetPixel and SetPixel call these per pixel.
inline bool contains(const PixelSurface &surface, Coord x, Coord y) {
    return surface.pixels != nullptr && x >= 0 && y >= 0 && x < surface.width && y < surface.height;
}
// The first pixel of row y, which must be a row of the surface.
inline std::uint32_t *row_start(const PixelSurface &surface, Coord y) {
    return surface.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(surface.stride);
}
// One pixel, if it is on the surface.
inline void put_pixel(const PixelSurface &surface, Coord x, Coord y, std::uint32_t pixel) {
    if (contains(surface, x, y)) row_start(surface, y)[static_cast<std::size_t>(x)] = pixel;
}
// `count` copies of `pixel` from `first` on, with no clipping: the caller has clipped already.
// Short runs (most outline runs, small shapes' rows) are a plain loop, inline; long ones go
// through the C library's wmemset, which fills 32-bit units with the widest stores the processor
// has (as fast as memset; a plain loop is about 1.5 times slower).
inline void fill_pixels(std::uint32_t *first, std::size_t count, std::uint32_t pixel) {
    constexpr std::size_t kShortRun = 32;
    static_assert(sizeof(wchar_t) == sizeof(std::uint32_t), "pixel runs are written with wmemset");
    if (count < kShortRun) {
        for (std::size_t i = 0; i < count; ++i) first[i] = pixel;
        return;
    }
#if defined(__EMSCRIPTEN__)
    // WebAssembly's C library writes wmemset four bytes at a time; this loop is vectorised.
    for (std::size_t i = 0; i < count; ++i) first[i] = pixel;
#else
    std::wmemset(reinterpret_cast<wchar_t *>(first), static_cast<wchar_t>(pixel), count);
#endif
}
// How many row spans the writers below were asked to fill since the process started: the work a
// shape costs, which tests and benchmarks read (a wide outline must cost rows of the bitmap, not
// rows of its pen).
inline std::uint64_t spans_filled = 0;

// Pixels [x_begin, x_end) of the row that starts at `row`, clipped to [0, width).
inline void fill_row(std::uint32_t *row, Coord width, Coord x_begin, Coord x_end,
                     std::uint32_t pixel) {
    ++spans_filled;
    const Coord begin = x_begin < 0 ? 0 : x_begin;
    const Coord end = x_end > width ? width : x_end;
    if (begin < end) fill_pixels(row + begin, static_cast<std::size_t>(end - begin), pixel);
}
// Pixels [x_begin, x_end) of row y, clipped.
void fill_span(const PixelSurface &surface, Coord y, Coord x_begin, Coord x_end,
               std::uint32_t pixel);
// Pixels [left, right) x [top, bottom), clipped; nothing when the box is empty.
void fill_box(const PixelSurface &surface, Coord left, Coord top, Coord right, Coord bottom,
              std::uint32_t pixel);
// The alternate-rule fill of a closed polygon: pixel (px, py) is filled when its top-left corner
// is inside; left edges and top rows inclusive, right edges and bottom rows exclusive.
void fill_polygon(const PixelSurface &surface, std::span<const Point64> points,
                  std::uint32_t pixel);

}  // namespace platform::raster
