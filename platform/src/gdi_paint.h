// gdi_paint.h: what the drawing calls share: the target of a DC and the paint of its pen and brush.
//
// Depends on: gdi_dc.h, raster_fill.h. Header only; every drawing call starts with open_canvas.
#pragma once

#include <windows.h>

#include "gdi_dc.h"
#include "raster_fill.h"

namespace platform::gdi {

// A DC ready to draw: the context and the pixels it draws into now.
struct Canvas {
    DeviceContext *dc = nullptr;
    PixelSurface surface;
};

// The canvas of a DC, or false for a bad handle. A DC with no pixels is valid but draws nothing.
inline bool open_canvas(HDC handle, Canvas *canvas) {
    canvas->dc = find_dc(handle);
    if (canvas->dc == nullptr) return false;
    canvas->surface = dc_target(*canvas->dc);
    return true;
}

// How the selected pen paints. Width 0 and 1 are the cosmetic one-pixel pen.
struct PenPaint {
    bool visible = false;
    int width = 0;  // 0 for PS_NULL
    std::uint32_t pixel = 0;
    bool wide() const { return visible && width > 1; }
};

inline PenPaint pen_paint(const DeviceContext &dc) {
    const PenData *pen = dc_pen(dc);
    if (pen == nullptr || pen->style == PS_NULL) return PenPaint{};
    return PenPaint{true, pen->width < 1 ? 1 : pen->width, raster::to_pixel(pen->color)};
}

// How the selected brush paints: false for the hollow brush.
inline bool brush_paint(const DeviceContext &dc, std::uint32_t *pixel) {
    const BrushData *brush = dc_brush(dc);
    if (brush == nullptr || brush->hollow) return false;
    *pixel = raster::to_pixel(brush->color);
    return true;
}

}  // namespace platform::gdi
