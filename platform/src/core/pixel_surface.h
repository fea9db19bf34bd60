// pixel_surface.h: a rectangle of 32-bit pixels that a device context can draw into.
//
// Pixels are stored as 0x00RRGGBB in native 32-bit words (the layout of a 32-bit Windows DIB and
// of SDL's ARGB8888). A COLORREF is 0x00BBGGRR and must be converted on the way in and out.
#pragma once

#include <cstdint>

namespace platform {

struct PixelSurface {
    std::uint32_t *pixels = nullptr;  // row-major, top row first
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels per row, >= width
};

}  // namespace platform
