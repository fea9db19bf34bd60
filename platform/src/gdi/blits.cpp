// blits.cpp: pixel transfers and single pixels: BitBlt (SRCCOPY), ScrollDC, SetPixel,
// GetPixel.
//
// A block copy is clipped at both ends: only pixels whose source lies on the source surface and
// whose destination lies on the destination surface are written. Copies within one surface
// behave like memmove (rows are walked in the safe order, each row moved with memmove).
// ScrollDC moves the DC's pixels and leaves the uncovered strip as it was: the caller repaints it.
// SetPixel outside the surface returns CLR_INVALID, as Windows documents, and otherwise the
// colour the pixel took (black or white in a monochrome bitmap).
// A copy between a monochrome and a colour bitmap converts as Windows does: into monochrome, the
// source DC's background colour becomes white and every other colour black; out of it, black
// becomes the destination DC's text colour and white its background colour.
//
// Depends on: draw_target.h. Limits: SRCCOPY is the only raster operation; no clip regions.
#include <algorithm>
#include <cstring>

#include "core/memory_exhaustion.h"
#include "gdi/draw_target.h"

using namespace platform::gdi;
using namespace platform::raster;
using platform::PixelSurface;

namespace {

struct Span1D {
    Coord offset = 0;  // first copied offset within the block
    Coord length = 0;
};

// The offsets o in [0, size) with dst + o in [0, dst_limit) and src + o in [0, src_limit).
Span1D clip_axis(Coord dst, Coord src, Coord size, Coord dst_limit, Coord src_limit) {
    const Coord first = std::max<Coord>({0, -dst, -src});
    const Coord end = std::min<Coord>({size, dst_limit - dst, src_limit - src});
    return first < end ? Span1D{first, end - first} : Span1D{};
}

std::uint32_t *pixel_at(const PixelSurface &surface, Coord x, Coord y) {
    return surface.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(surface.stride) +
           static_cast<std::size_t>(x);
}

// The destination pixels a block copy wrote.
struct CopiedBlock {
    Coord left = 0, top = 0, width = 0, height = 0;
};

CopiedBlock copy_block(const PixelSurface &dst, Coord x, Coord y, const PixelSurface &src, Coord sx,
                       Coord sy, Coord width, Coord height) {
    if (dst.pixels == nullptr || src.pixels == nullptr) return {};
    const Span1D cols = clip_axis(x, sx, width, dst.width, src.width);
    const Span1D rows = clip_axis(y, sy, height, dst.height, src.height);
    if (cols.length == 0 || rows.length == 0) return {};
    const std::size_t bytes = static_cast<std::size_t>(cols.length) * sizeof(std::uint32_t);
    // Moving down within one surface: copy the bottom row first so no source row is overwritten.
    const bool bottom_up = dst.pixels == src.pixels && y > sy;
    for (Coord i = 0; i < rows.length; ++i) {
        const Coord row = rows.offset + (bottom_up ? rows.length - 1 - i : i);
        std::memmove(pixel_at(dst, x + cols.offset, y + row),
                     pixel_at(src, sx + cols.offset, sy + row), bytes);
    }
    return CopiedBlock{x + cols.offset, y + rows.offset, cols.length, rows.length};
}

// Recolour the copied pixels where one side of the copy is monochrome and the other is not.
void convert_copied(const CopiedBlock &block, const DrawTarget &target,
                    const DeviceContext &source) {
    const DeviceContext &dst = *target.dc;
    if (dst.monochrome == source.monochrome || block.width == 0) return;
    const std::uint32_t background = to_pixel(source.bk_color);
    const std::uint32_t black = dst.monochrome ? 0 : to_pixel(dst.text_color);
    const std::uint32_t white = dst.monochrome ? 0x00FFFFFFu : to_pixel(dst.bk_color);
    for (Coord row = 0; row < block.height; ++row) {
        std::uint32_t *pixels = pixel_at(target.surface, block.left, block.top + row);
        for (Coord col = 0; col < block.width; ++col) {
            const bool is_white = dst.monochrome ? pixels[col] == background : pixels[col] != 0;
            pixels[col] = is_white ? white : black;
        }
    }
}

struct Rect64 {
    Coord left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
};

Rect64 intersect(const Rect64 &a, const Rect64 &b) {
    return Rect64{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
}

Rect64 shifted(const Rect64 &r, Coord dx, Coord dy) {
    return Rect64{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

Rect64 from_rect(const RECT &r) {
    return Rect64{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                  std::max(r.top, r.bottom)};
}

// The bounding box of `area` minus `covered` (both within one clip box).
Rect64 uncovered_bounds(const Rect64 &area, const Rect64 &covered) {
    if (covered.empty()) return area;
    Rect64 rest = area;
    if (covered.left <= area.left && covered.right >= area.right) {
        if (covered.top <= area.top)
            rest.top = covered.bottom;
        else if (covered.bottom >= area.bottom)
            rest.bottom = covered.top;
    } else if (covered.top <= area.top && covered.bottom >= area.bottom) {
        if (covered.left <= area.left)
            rest.left = covered.right;
        else if (covered.right >= area.right)
            rest.right = covered.left;
    }
    return rest.empty() ? Rect64{} : rest;
}

LONG to_long(Coord value) {
    return static_cast<LONG>(std::clamp<Coord>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

extern "C" {

BOOL WINAPI BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
                   DWORD rop) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DrawTarget target, source;
        if (!open_target(src, &source, false) || !open_target(dst, &target) || rop != SRCCOPY) {
            return FALSE;
        }
        if (width <= 0 || height <= 0) return TRUE;
        const CopiedBlock block =
            copy_block(target.surface, x, y, source.surface, src_x, src_y, width, height);
        convert_copied(block, target, *source.dc);
        dc_drawn(*target.dc);
        return TRUE;
    });
}

BOOL WINAPI ScrollDC(HDC handle, int dx, int dy, const RECT *scroll, const RECT *clip,
                     HRGN update_region, LPRECT update_rect) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        (void)update_region;  // regions are not supported; the rectangle is reported instead
        DrawTarget target;
        if (!open_target(handle, &target)) return FALSE;
        const PixelSurface &surface = target.surface;
        const Rect64 whole{0, 0, surface.width, surface.height};
        const Rect64 clip_box = clip != nullptr ? intersect(from_rect(*clip), whole) : whole;
        Rect64 source = intersect(clip_box, shifted(clip_box, -Coord{dx}, -Coord{dy}));
        if (scroll != nullptr) source = intersect(source, from_rect(*scroll));
        const Rect64 moved = source.empty() ? Rect64{} : shifted(source, dx, dy);
        if (!moved.empty()) {
            copy_block(surface, moved.left, moved.top, surface, source.left, source.top,
                       moved.right - moved.left, moved.bottom - moved.top);
            dc_drawn(*target.dc);
        }
        if (update_rect != nullptr) {
            const Rect64 stale = uncovered_bounds(clip_box, moved);
            *update_rect = RECT{to_long(stale.left), to_long(stale.top), to_long(stale.right),
                                to_long(stale.bottom)};
        }
        return TRUE;
    });
}

// A pixel outside a DC's clip is neither set nor read, as on Windows.
COLORREF WINAPI SetPixel(HDC handle, int x, int y, COLORREF color) {
    return platform::fail_when_memory_runs_out<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
        DrawTarget target;
        if (!open_target(handle, &target, false) || !contains(target.surface, x, y) ||
            !clip_contains(*target.dc, x, y)) {
            return CLR_INVALID;
        }
        put_pixel(target.surface, x, y, to_pixel(color));
        dc_drawn(*target.dc);
        return to_colorref(*pixel_at(target.surface, x, y));
    });
}

COLORREF WINAPI GetPixel(HDC handle, int x, int y) {
    return platform::fail_when_memory_runs_out<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
        DrawTarget target;
        if (!open_target(handle, &target, false) || !contains(target.surface, x, y) ||
            !clip_contains(*target.dc, x, y)) {
            return CLR_INVALID;
        }
        return to_colorref(*pixel_at(target.surface, x, y));
    });
}

}  // extern "C"
