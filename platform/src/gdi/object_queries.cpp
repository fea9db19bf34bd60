// object_queries.cpp: what a program can ask about GDI objects: GetObjectA (the logical record
// an object was made from), GetObjectType and GetCurrentObject.
//
// GetObjectA copies a pen's LOGPEN, a brush's LOGBRUSH, a font's LOGFONTA (or its first bytes,
// as many as the buffer holds), a bitmap's BITMAP or the palette's entry count. Without a buffer
// it returns the size it would copy; a pen, brush or bitmap record that does not fit copies
// nothing and returns 0. Bitmaps are device-dependent: bmBits is NULL.
//
// Depends on: objects.h, device_contexts.h.
#include <algorithm>
#include <cstring>

#include "core/memory_exhaustion.h"
#include "gdi/device_contexts.h"
#include "gdi/objects.h"

using namespace platform::gdi;

namespace {

// Copy `record` into the caller's buffer: the size alone when there is no buffer, nothing when
// the buffer is too short unless a shortened copy is allowed.
template <typename Record>
int copy_record(const Record &record, int size, LPVOID buffer, bool partial) {
    constexpr int kSize = static_cast<int>(sizeof(Record));
    if (buffer == nullptr) return kSize;
    if (size <= 0 || (size < kSize && !partial)) return 0;
    const int copied = std::min(size, kSize);
    std::memcpy(buffer, &record, static_cast<std::size_t>(copied));
    return copied;
}

// A monochrome bitmap's rows are padded to whole 16-bit words, as Windows keeps them.
BITMAP bitmap_record(const BitmapData &bitmap) {
    constexpr LONG kBytesPerPixel = 4;
    if (bitmap.monochrome)
        return BITMAP{0, bitmap.width, bitmap.height, (bitmap.width + 15) / 16 * 2, 1, 1, nullptr};
    return BITMAP{0, bitmap.width, bitmap.height, bitmap.width * kBytesPerPixel, 1, 32, nullptr};
}

LOGBRUSH brush_record(const BrushData &brush) {
    return LOGBRUSH{brush.hollow ? static_cast<UINT>(BS_NULL) : static_cast<UINT>(BS_SOLID),
                    brush.hollow ? 0 : brush.logical_color, 0};
}

}  // namespace

extern "C" {

int WINAPI GetObjectA(HGDIOBJ object_handle, int size, LPVOID buffer) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(0), [&]() -> int {
        const GdiObject *object = find_object(object_handle);
        if (object == nullptr) return 0;
        switch (object->kind) {
            case ObjectKind::pen: return copy_record(object->pen.logical, size, buffer, false);
            case ObjectKind::brush:
                return copy_record(brush_record(object->brush), size, buffer, false);
            case ObjectKind::font: return copy_record(object->font.logical, size, buffer, true);
            case ObjectKind::bitmap:
                return copy_record(bitmap_record(object->bitmap), size, buffer, false);
            case ObjectKind::palette:
                return copy_record(kDefaultPaletteEntries, size, buffer, false);
        }
        return 0;
    });
}

DWORD WINAPI GetObjectType(HGDIOBJ handle) {
    return platform::fail_when_memory_runs_out<DWORD>(static_cast<DWORD>(0), [&]() -> DWORD {
        if (const DeviceContext *dc = find_dc(static_cast<HDC>(handle)))
            return dc->kind == DcKind::memory ? OBJ_MEMDC : OBJ_DC;
        const GdiObject *object = find_object(handle);
        if (object == nullptr) return 0;
        switch (object->kind) {
            case ObjectKind::pen: return OBJ_PEN;
            case ObjectKind::brush: return OBJ_BRUSH;
            case ObjectKind::font: return OBJ_FONT;
            case ObjectKind::bitmap: return OBJ_BITMAP;
            case ObjectKind::palette: return OBJ_PAL;
        }
        return 0;
    });
}

HGDIOBJ WINAPI GetCurrentObject(HDC handle, UINT kind) {
    return platform::fail_when_memory_runs_out<HGDIOBJ>(nullptr, [&]() -> HGDIOBJ {
        const DeviceContext *dc = find_dc(handle);
        if (dc == nullptr) return nullptr;
        switch (kind) {
            case OBJ_PEN: return dc->pen;
            case OBJ_BRUSH: return dc->brush;
            case OBJ_FONT: return dc->font;
            // A DC that draws into a window holds no bitmap of its own: it reports the stock one.
            case OBJ_BITMAP: return dc->kind == DcKind::memory ? dc->bitmap : default_bitmap();
            case OBJ_PAL: return GetStockObject(DEFAULT_PALETTE);
            default: return nullptr;
        }
    });
}

}  // extern "C"
