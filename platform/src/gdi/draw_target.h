// draw_target.h: what the drawing calls share: the target of a DC and the paint of its pen and
// brush.
//
// Depends on: device_contexts.h, raster_core.h. Header only; every drawing call starts with
// open_target.
#pragma once

#include <windows.h>

#include "gdi/clip_region.h"
#include "gdi/device_contexts.h"
#include "gdi/raster/raster_core.h"

namespace platform::gdi {

// A DC ready to draw: the context and the pixels it draws into now.
struct DrawTarget {
    DeviceContext *dc = nullptr;
    PixelSurface surface;
};

// The target of a DC, or false for a bad handle. A DC with no pixels is valid but draws nothing.
// A call that draws (`drawing`) through a clipped DC saves the target first; its dc_drawn puts
// back what the drawing changed outside the clip.
inline bool open_target(HDC handle, DrawTarget *target, bool drawing = true) {
    target->dc = find_dc(handle);
    if (target->dc == nullptr) return false;
    target->surface = dc_target(*target->dc);
    if (drawing && !target->dc->clip.empty()) clip_save(*target->dc, target->surface);
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
