// device_contexts.cpp: device contexts: CreateCompatibleDC, DeleteDC, CreateCompatibleBitmap,
// SelectObject, the attribute calls (colours, background mode, current position), and the
// window and surface DCs of user/window_surface.h.
//
// A new DC holds Windows' defaults: BLACK_PEN, WHITE_BRUSH, SYSTEM_FONT, black text on a white
// OPAQUE background, position (0, 0); a memory DC starts with the shared 1 x 1 monochrome
// bitmap. A bitmap made compatible with a memory DC is monochrome while that DC holds a
// monochrome bitmap (so, on a fresh one), as on Windows; otherwise it is 32-bit colour. Drawing
// into a monochrome bitmap leaves each pixel the nearer of black and white (Windows dithers a
// brush of any other colour; here it is the nearer one too).
//
// Surface DCs (the menus') are counted with the memory DCs, as both are given back by DeleteDC.
//
// Depends on: objects.h, handle_table.h, user/window_surface.h, object_counts.h. Limits:
// bitmaps larger than 2^26 pixels are refused (CreateCompatibleBitmap returns NULL).
#include "gdi/device_contexts.h"
#include "core/memory_exhaustion.h"

#include <utility>

#include "core/handle_kinds.h"
#include "core/object_counts.h"
#include "gdi/clip_region.h"
#include "gdi/handle_table.h"
#include "user/window_surface.h"

namespace platform::gdi {
namespace {

constexpr std::uintptr_t kFirstDcHandle = 0x4000000 + kDeviceContextHandleTag;
constexpr std::uintptr_t kDcHandleStep = kHandleStep;
static_assert(starts_kind(kFirstDcHandle, kDeviceContextHandleTag));
constexpr long long kMaxBitmapPixels = 1LL << 26;

struct DcTable {
    HandleTable<DeviceContext, kDcHandleStep> contexts;
    std::uintptr_t next_handle = kFirstDcHandle;
};

DcTable &dc_table() {
    static DcTable the_table;
    return the_table;
}

int &dc_counter(DcKind kind) {
    return kind == DcKind::window ? object_counts::window_dcs : object_counts::memory_dcs;
}

void hold(HGDIOBJ handle) {
    if (GdiObject *object = find_object(handle)) ++object->selected_count;
}

void release(HGDIOBJ handle) {
    if (GdiObject *object = find_object(handle)) --object->selected_count;
}

HDC insert_dc(DeviceContext dc) {
    dc.pen = default_pen();
    dc.brush = default_brush();
    dc.font = default_font();
    if (dc.kind == DcKind::memory) {
        dc.bitmap = default_bitmap();
        dc.monochrome = true;
    }
    hold(dc.pen), hold(dc.brush), hold(dc.font), hold(dc.bitmap);
    DcTable &contexts = dc_table();
    std::uintptr_t handle = contexts.next_handle;
    contexts.next_handle += kDcHandleStep;
    ++dc_counter(dc.kind);
    contexts.contexts.insert(handle, DeviceContext{dc});
    return reinterpret_cast<HDC>(handle);
}

void erase_dc(HDC handle, DeviceContext &dc) {
    release(dc.pen), release(dc.brush), release(dc.font), release(dc.bitmap);
    --dc_counter(dc.kind);
    dc_table().contexts.erase(reinterpret_cast<std::uintptr_t>(handle));
}

// Swap `slot` for `replacement` (whose object the caller has looked up already), moving the
// selection counts; returns the old object.
template <typename Handle>
HGDIOBJ swap_selection(Handle &slot, HGDIOBJ replacement, GdiObject &replacement_object) {
    HGDIOBJ previous = slot;
    release(previous);
    ++replacement_object.selected_count;
    slot = static_cast<Handle>(replacement);
    return previous;
}

// A bitmap is selected into one DC at a time (the shared 1 x 1 one into any number).
HGDIOBJ select_bitmap(DeviceContext &dc, HGDIOBJ handle, GdiObject &bitmap) {
    if (dc.kind != DcKind::memory) return nullptr;
    if (handle == dc.bitmap) return handle;
    if (!bitmap.stock && bitmap.selected_count > 0) return nullptr;
    dc.monochrome = bitmap.bitmap.monochrome;
    return swap_selection(dc.bitmap, handle, bitmap);
}

// Black or white, whichever is nearer: white when the channels add up to more than half.
void keep_black_and_white(const PixelSurface &surface) {
    constexpr unsigned kHalfOfWhite = 3 * 255 / 2;
    for (int y = 0; y < surface.height; ++y) {
        std::uint32_t *row = surface.pixels + static_cast<std::ptrdiff_t>(y) * surface.stride;
        for (int x = 0; x < surface.width; ++x) {
            const std::uint32_t p = row[x];
            const unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
            row[x] = sum > kHalfOfWhite ? 0x00FFFFFFu : 0u;
        }
    }
}

}  // namespace

DeviceContext *find_dc(HDC handle) {
    return dc_table().contexts.find(reinterpret_cast<std::uintptr_t>(handle));
}

PixelSurface dc_target(const DeviceContext &dc) {
    switch (dc.kind) {
        case DcKind::window: return window_client_surface(dc.window);
        case DcKind::surface: return dc.surface;
        case DcKind::memory: break;
    }
    GdiObject *bitmap = find_object(dc.bitmap, ObjectKind::bitmap);
    return bitmap == nullptr ? PixelSurface{} : bitmap_surface(*bitmap);
}

void dc_drawn(DeviceContext &dc) {
    if (dc.clip_saved_valid) clip_restore(dc, dc_target(dc));
    if (dc.monochrome) keep_black_and_white(dc_target(dc));
    if (dc.kind == DcKind::window) window_client_changed(dc.window);
}

const PenData *dc_pen(const DeviceContext &dc) {
    const GdiObject *pen = find_object(dc.pen, ObjectKind::pen);
    return pen == nullptr ? nullptr : &pen->pen;
}

const BrushData *dc_brush(const DeviceContext &dc) {
    const GdiObject *brush = find_object(dc.brush, ObjectKind::brush);
    return brush == nullptr ? nullptr : &brush->brush;
}

const FontRequest *dc_font(const DeviceContext &dc) {
    const GdiObject *font = find_object(dc.font, ObjectKind::font);
    return font == nullptr ? nullptr : &font->font;
}

}  // namespace platform::gdi

namespace platform {

HDC create_window_dc(HWND window) {
    gdi::DeviceContext dc;
    dc.kind = gdi::DcKind::window;
    dc.window = window;
    return gdi::insert_dc(dc);
}

int release_window_dc(HWND window, HDC handle) {
    gdi::DeviceContext *dc = gdi::find_dc(handle);
    if (dc == nullptr || dc->kind != gdi::DcKind::window || dc->window != window) return 0;
    gdi::erase_dc(handle, *dc);
    return 1;
}

HDC create_surface_dc(const PixelSurface &surface) {
    gdi::DeviceContext dc;
    dc.kind = gdi::DcKind::surface;
    dc.surface = surface;
    return gdi::insert_dc(dc);
}

}  // namespace platform

using namespace platform::gdi;

extern "C" {

HDC WINAPI CreateCompatibleDC(HDC reference) {
    return platform::fail_when_memory_runs_out<HDC>(nullptr, [&]() -> HDC {
        // NULL means "compatible with the screen"; any other value must be a live DC.
        if (reference != nullptr && find_dc(reference) == nullptr) return nullptr;
        DeviceContext dc;
        dc.kind = DcKind::memory;
        return insert_dc(dc);
    });
}

BOOL WINAPI DeleteDC(HDC handle) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DeviceContext *dc = find_dc(handle);
        // Window DCs go back through ReleaseDC or EndPaint.
        if (dc == nullptr || dc->kind == DcKind::window) return FALSE;
        erase_dc(handle, *dc);
        return TRUE;
    });
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC reference, int width, int height) {
    return platform::fail_when_memory_runs_out<HBITMAP>(nullptr, [&]() -> HBITMAP {
        const DeviceContext *dc = find_dc(reference);
        if (dc == nullptr || width < 0 || height < 0) return nullptr;
        if (width == 0 || height == 0) return default_bitmap();
        if (static_cast<long long>(width) * height > kMaxBitmapPixels) return nullptr;
        GdiObject bitmap;
        bitmap.kind = ObjectKind::bitmap;
        // Contents are undefined on Windows; black here, so every run starts the same.
        bitmap.bitmap = BitmapData{
            width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0),
            dc->monochrome};
        return static_cast<HBITMAP>(add_object(std::move(bitmap)));
    });
}

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object_handle) {
    return platform::fail_when_memory_runs_out<HGDIOBJ>(nullptr, [&]() -> HGDIOBJ {
        DeviceContext *dc = find_dc(handle);
        GdiObject *object = find_object(object_handle);
        if (dc == nullptr || object == nullptr) return nullptr;
        switch (object->kind) {
            case ObjectKind::pen: return swap_selection(dc->pen, object_handle, *object);
            case ObjectKind::brush: return swap_selection(dc->brush, object_handle, *object);
            case ObjectKind::font: return swap_selection(dc->font, object_handle, *object);
            case ObjectKind::bitmap: return select_bitmap(*dc, object_handle, *object);
            case ObjectKind::palette: break;  // palettes are selected with SelectPalette
        }
        return nullptr;
    });
}

COLORREF WINAPI SetTextColor(HDC handle, COLORREF color) {
    return platform::fail_when_memory_runs_out<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
        DeviceContext *dc = find_dc(handle);
        if (dc == nullptr) return CLR_INVALID;
        COLORREF previous = dc->text_color;
        dc->text_color = color;  // kept as given; drawing uses its low 24 bits
        return previous;
    });
}

COLORREF WINAPI GetTextColor(HDC handle) {
    return platform::fail_when_memory_runs_out<COLORREF>(
        static_cast<COLORREF>(0), [&]() -> COLORREF {
            DeviceContext *dc = find_dc(handle);
            return dc == nullptr ? CLR_INVALID : dc->text_color;
        });
}

COLORREF WINAPI SetBkColor(HDC handle, COLORREF color) {
    return platform::fail_when_memory_runs_out<COLORREF>(CLR_INVALID, [&]() -> COLORREF {
        DeviceContext *dc = find_dc(handle);
        if (dc == nullptr) return CLR_INVALID;
        COLORREF previous = dc->bk_color;
        dc->bk_color = color;  // kept as given; drawing uses its low 24 bits
        return previous;
    });
}

COLORREF WINAPI GetBkColor(HDC handle) {
    return platform::fail_when_memory_runs_out<COLORREF>(
        static_cast<COLORREF>(0), [&]() -> COLORREF {
            DeviceContext *dc = find_dc(handle);
            return dc == nullptr ? CLR_INVALID : dc->bk_color;
        });
}

int WINAPI SetBkMode(HDC handle, int mode) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(0), [&]() -> int {
        DeviceContext *dc = find_dc(handle);
        if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
        int previous = dc->bk_mode;
        dc->bk_mode = mode;
        return previous;
    });
}

int WINAPI GetBkMode(HDC handle) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(0), [&]() -> int {
        DeviceContext *dc = find_dc(handle);
        return dc == nullptr ? 0 : dc->bk_mode;
    });
}

BOOL WINAPI MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DeviceContext *dc = find_dc(handle);
        if (dc == nullptr) return FALSE;
        if (previous != nullptr) *previous = dc->position;
        dc->position = POINT{x, y};
        return TRUE;
    });
}

}  // extern "C"
