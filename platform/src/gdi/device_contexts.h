// device_contexts.h: device contexts: their table, their state, and the surface each one draws
// into.
//
// Three kinds: a memory DC draws into the bitmap selected in it; a window DC into the client
// pixels of its window (asked for again before every drawing call, since a resize reallocates
// them); a surface DC into pixels its creator owns (the menu bar and popups). The drawing code
// looks a handle up, takes the DC's target, draws, and reports the change with dc_drawn.
//
// Depends on: gdi/objects.h, user/window_surface.h (the client pixels of window DCs). One
// thread, no locks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/pixel_surface.h"
#include "gdi/objects.h"

namespace platform::gdi {

enum class DcKind { memory, window, surface };

struct DeviceContext {
    DcKind kind = DcKind::memory;
    HWND window = nullptr;  // window DCs
    PixelSurface surface;   // surface DCs
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;  // memory DCs
    bool monochrome = false;   // a memory DC holding a monochrome bitmap
    POINT position{0, 0};
    COLORREF text_color = RGB(0, 0, 0);
    COLORREF bk_color = RGB(255, 255, 255);
    int bk_mode = OPAQUE;
    // Window DCs from BeginPaint: the update region's rectangles, empty for no clip, and the
    // pixels saved while a drawing call runs (gdi/clip_region.h).
    std::vector<RECT> clip;
    std::vector<std::uint32_t> clip_saved;
    bool clip_saved_valid = false;
};

// The live device context behind a handle, or nullptr.
DeviceContext *find_dc(HDC handle);

// The pixels a DC draws into now (an empty surface when it has none).
PixelSurface dc_target(const DeviceContext &dc);
// Something was drawn through the DC: a window DC tells the window system to present it, and a
// monochrome bitmap keeps only black and white (each pixel the nearer of the two).
void dc_drawn(DeviceContext &dc);

// The selected objects, or nullptr when the selection is somehow gone.
const PenData *dc_pen(const DeviceContext &dc);
const BrushData *dc_brush(const DeviceContext &dc);
const FontRequest *dc_font(const DeviceContext &dc);

}  // namespace platform::gdi

namespace platform {

// Device contexts the window system asks for (GetDC, BeginPaint, the menu bar and popups).
// A device context with default attributes that draws into the client pixels of a window.
HDC create_window_dc(HWND window);
// Give back a device context made by create_window_dc; returns 1 on success, 0 otherwise.
int release_window_dc(HWND window, HDC handle);
// A device context that draws into a surface the caller owns (the menu bar, a popup overlay).
// The surface must outlive the context; delete it with DeleteDC.
HDC create_surface_dc(const PixelSurface &surface);

}  // namespace platform
