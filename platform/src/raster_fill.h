// raster_fill.h: the pixel-writing core of the GDI: colour conversion, clipped spans and boxes,
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
#include <span>

#include "pixel_surface.h"

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

// Whether (x, y) is a pixel of the surface.
bool contains(const PixelSurface &surface, Coord x, Coord y);
// One pixel, if it is on the surface.
void put_pixel(const PixelSurface &surface, Coord x, Coord y, std::uint32_t pixel);
// Pixels [x_begin, x_end) of row y, clipped.
void fill_span(const PixelSurface &surface, Coord y, Coord x_begin, Coord x_end, std::uint32_t pixel);
// Pixels [left, right) x [top, bottom), clipped; nothing when the box is empty.
void fill_box(const PixelSurface &surface, Coord left, Coord top, Coord right, Coord bottom,
              std::uint32_t pixel);
// The alternate-rule fill of a closed polygon: pixel (px, py) is filled when its top-left corner
// is inside; left edges and top rows inclusive, right edges and bottom rows exclusive.
void fill_polygon(const PixelSurface &surface, std::span<const Point64> points, std::uint32_t pixel);

}  // namespace platform::raster
