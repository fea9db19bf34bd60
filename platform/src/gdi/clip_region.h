// clip_region.h: a device context clipped to a set of rectangles (the update region BeginPaint
// hands out).
//
// A clipped DC keeps every writer unchanged: before a drawing call the pixels of its target are
// saved, and after it those outside the rectangles are put back, so a drawing call changes only
// pixels inside the clip. A DC without a clip pays nothing. Depends on: device_contexts.h.
// Limits: the save and restore cost two passes over the target per drawing call, so it is used
// only where the clip is smaller than the target (a partial repaint).
#pragma once

#include <windows.h>

#include <vector>

#include "gdi/device_contexts.h"

namespace platform::gdi {

// True when (x, y) lies inside the DC's clip (always, for a DC without one).
bool clip_contains(const DeviceContext &dc, int x, int y);
// A drawing call begins on a clipped DC: save the pixels of its target.
void clip_save(DeviceContext &dc, const PixelSurface &surface);
// The drawing call ended: put back the saved pixels outside the clip.
void clip_restore(DeviceContext &dc, const PixelSurface &surface);

}  // namespace platform::gdi

namespace platform {

// Clip a window DC to `parts` (client coordinates); an empty list means no clip.
void dc_clip_to_rects(HDC handle, std::vector<RECT> parts);

}  // namespace platform
