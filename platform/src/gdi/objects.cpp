// objects.cpp: the GDI object table, the stock objects and the gdi32 calls that make and free
// pens, brushes and fonts (CreatePen, CreateSolidBrush, CreateFontA, GetStockObject, DeleteObject).
//
// Handles are numbers handed out in steps of 16 from 0x10006 and never reused, so a handle that
// was deleted stays invalid for the life of the process; their low bits are the GDI object tag of
// core/handle_kinds.h, so no window, menu or device context has an object's number. Small values
// 1..31 are reserved for the system colour brushes ((HBRUSH)(COLOR_xxx + 1)), which FillRect
// accepts.
//
// DeleteObject on an object still selected into a device context fails: it returns FALSE and the
// object stays alive and usable (the documented Windows behaviour; the other choice, deleting it
// later when it is deselected, would hide a leak from the live-object counters). Deselect first.
//
// Depends on: handle_table.h, object_counts.h. Limits: pen widths above 65536 are drawn
// 65536 wide.
#include "gdi/objects.h"
#include "core/memory_exhaustion.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "core/handle_kinds.h"
#include "core/object_counts.h"
#include "gdi/handle_table.h"

namespace platform::gdi {
namespace {

constexpr std::uintptr_t kFirstHandle = 0x10000 + kGdiObjectHandleTag;
static_assert(starts_kind(kFirstHandle, kGdiObjectHandleTag));
constexpr int kMaxPenWidth = 65536;
constexpr std::size_t kFaceNameLimit = 31;  // LOGFONT holds 32 bytes with the terminator

struct ObjectTable {
    HandleTable<GdiObject, kHandleStep> objects;
    std::uintptr_t next_handle = kFirstHandle;
};

ObjectTable &table() {
    static ObjectTable the_table;
    return the_table;
}

int &live_counter(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::pen: return object_counts::pens;
        case ObjectKind::brush: return object_counts::brushes;
        case ObjectKind::font: return object_counts::fonts;
        case ObjectKind::bitmap:
        case ObjectKind::palette: break;  // the only palette is a stock one, never counted
    }
    return object_counts::bitmaps;
}

HGDIOBJ insert_object(GdiObject &&object) {
    ObjectTable &objects = table();
    std::uintptr_t handle = objects.next_handle;
    objects.next_handle += kHandleStep;
    if (!object.stock) ++live_counter(object.kind);
    objects.objects.insert(handle, std::move(object));
    return reinterpret_cast<HGDIOBJ>(handle);
}

// `logical` is what GetObject reports: the style, width and colour as given, except that a
// null pen reports width 1 and colour 0, as Windows keeps it.
GdiObject make_pen(int style, int width, COLORREF color, bool stock, LONG logical_width) {
    GdiObject object;
    object.kind = ObjectKind::pen;
    object.stock = stock;
    const bool null_pen = style == PS_NULL;
    const LOGPEN logical{static_cast<UINT>(style), POINT{null_pen ? 1 : logical_width, 0},
                         null_pen ? 0 : color};
    object.pen = PenData{style, width, color & 0x00FFFFFF, logical};
    return object;
}

GdiObject make_brush(bool hollow, COLORREF color, bool stock) {
    GdiObject object;
    object.kind = ObjectKind::brush;
    object.stock = stock;
    object.brush = BrushData{hollow, color & 0x00FFFFFF, color};
    return object;
}

// A stock font: the LOGFONT Windows gives it, and the request the platform realises it with.
FontRequest stock_font(FontRequest request, LONG height, LONG width, LONG weight,
                       BYTE pitch_and_family, const char *face) {
    request.logical.lfHeight = height;
    request.logical.lfWidth = width;
    request.logical.lfWeight = weight;
    request.logical.lfPitchAndFamily = pitch_and_family;
    std::strncpy(request.logical.lfFaceName, face, LF_FACESIZE - 1);
    return request;
}

GdiObject make_font(FontRequest request, bool stock) {
    GdiObject object;
    object.kind = ObjectKind::font;
    object.stock = stock;
    object.font = std::move(request);
    return object;
}

// Indices GetStockObject knows: 0 to 19 as Windows names them (9 is unused), and 20, the 1 x 1
// bitmap every new memory DC starts with, which Windows also hands out there.
constexpr int kStockCount = 21;
constexpr int kDefaultBitmapSlot = 20;

GdiObject stock_palette() {
    GdiObject palette;
    palette.kind = ObjectKind::palette;
    palette.stock = true;
    return palette;
}

GdiObject stock_bitmap() {
    GdiObject bitmap;
    bitmap.kind = ObjectKind::bitmap;
    bitmap.stock = true;
    bitmap.bitmap = BitmapData{1, 1, std::vector<std::uint32_t>(1, 0), true};
    return bitmap;
}

std::array<HGDIOBJ, kStockCount> make_stock_objects() {
    std::array<HGDIOBJ, kStockCount> stock{};
    stock[WHITE_BRUSH] = insert_object(make_brush(false, RGB(255, 255, 255), true));
    stock[LTGRAY_BRUSH] = insert_object(make_brush(false, RGB(192, 192, 192), true));
    stock[GRAY_BRUSH] = insert_object(make_brush(false, RGB(128, 128, 128), true));
    stock[DKGRAY_BRUSH] = insert_object(make_brush(false, RGB(64, 64, 64), true));
    stock[BLACK_BRUSH] = insert_object(make_brush(false, RGB(0, 0, 0), true));
    stock[NULL_BRUSH] = insert_object(make_brush(true, 0, true));
    stock[WHITE_PEN] = insert_object(make_pen(PS_SOLID, 0, RGB(255, 255, 255), true, 0));
    stock[BLACK_PEN] = insert_object(make_pen(PS_SOLID, 0, RGB(0, 0, 0), true, 0));
    stock[NULL_PEN] = insert_object(make_pen(PS_NULL, 0, 0, true, 0));
    // The fixed fonts: the default monospace face at a 13-pixel cell, like the raster Courier.
    const FontRequest fixed{13, 0, FW_NORMAL, false, false, true, "monospace", {}};
    const BYTE fixed_pitch = FIXED_PITCH | FF_MODERN, variable = VARIABLE_PITCH | FF_SWISS;
    stock[OEM_FIXED_FONT] = insert_object(
        make_font(stock_font(fixed, 12, 8, FW_NORMAL, fixed_pitch, "Terminal"), true));
    stock[ANSI_FIXED_FONT] =
        insert_object(make_font(stock_font(fixed, 12, 0, FW_NORMAL, fixed_pitch, "Courier"), true));
    const FontRequest sans12{12, 0, FW_NORMAL, false, false, false, "sans-serif", {}};
    stock[ANSI_VAR_FONT] = insert_object(
        make_font(stock_font(sans12, 12, 0, FW_NORMAL, variable, "MS Sans Serif"), true));
    // SYSTEM_FONT, every new DC's font, is bold with a 16-pixel cell and characters 7 pixels
    // wide on average; the device's default font is the same face at its natural width.
    const FontRequest system{16, 7, FW_BOLD, false, false, false, "sans-serif", {}};
    stock[SYSTEM_FONT] =
        insert_object(make_font(stock_font(system, 16, 7, FW_BOLD, variable, "System"), true));
    FontRequest device = system;
    device.width = 0;
    stock[DEVICE_DEFAULT_FONT] =
        insert_object(make_font(stock_font(device, 16, 0, FW_BOLD, variable, "System"), true));
    const FontRequest fixedsys{16, 0, FW_NORMAL, false, false, true, "monospace", {}};
    stock[SYSTEM_FIXED_FONT] = insert_object(
        make_font(stock_font(fixedsys, 16, 0, FW_NORMAL, fixed_pitch, "Fixedsys"), true));
    const FontRequest gui{-11, 0, FW_NORMAL, false, false, false, "sans-serif", {}};
    stock[DEFAULT_GUI_FONT] = insert_object(make_font(
        stock_font(gui, -11, 0, FW_NORMAL, DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg"), true));
    stock[DEFAULT_PALETTE] = insert_object(stock_palette());
    // The DC brush and pen paint in their default colours: white and black.
    stock[DC_BRUSH] = insert_object(make_brush(false, RGB(255, 255, 255), true));
    stock[DC_PEN] = insert_object(make_pen(PS_SOLID, 0, RGB(0, 0, 0), true, 0));
    stock[kDefaultBitmapSlot] = insert_object(stock_bitmap());
    return stock;
}

const std::array<HGDIOBJ, kStockCount> &stock_objects() {
    static const std::array<HGDIOBJ, kStockCount> stock = make_stock_objects();
    return stock;
}

// The classic system colours, indexed by COLOR_xxx, for (HBRUSH)(COLOR_xxx + 1).
constexpr std::array<COLORREF, 31> kSystemColors = {
    RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128),
    RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(192, 192, 192), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(192, 192, 192), RGB(0, 0, 255),     RGB(16, 132, 208),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(192, 192, 192)};

}  // namespace

HGDIOBJ add_object(GdiObject &&object) {
    stock_objects();  // stock handles come first, so they are the same in every run
    return insert_object(std::move(object));
}

GdiObject *find_object(HGDIOBJ handle) {
    stock_objects();
    return table().objects.find(reinterpret_cast<std::uintptr_t>(handle));
}

GdiObject *find_object(HGDIOBJ handle, ObjectKind kind) {
    GdiObject *object = find_object(handle);
    return object != nullptr && object->kind == kind ? object : nullptr;
}

bool brush_paint_color(HBRUSH brush, COLORREF *color) {
    auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= kSystemColors.size()) {
        *color = kSystemColors[value - 1];
        return true;
    }
    const GdiObject *object = find_object(brush, ObjectKind::brush);
    if (object == nullptr || object->brush.hollow) return false;
    *color = object->brush.color;
    return true;
}

HPEN default_pen() { return static_cast<HPEN>(stock_objects()[BLACK_PEN]); }
HBRUSH default_brush() { return static_cast<HBRUSH>(stock_objects()[WHITE_BRUSH]); }
HFONT default_font() { return static_cast<HFONT>(stock_objects()[SYSTEM_FONT]); }
HBITMAP default_bitmap() { return static_cast<HBITMAP>(stock_objects()[kDefaultBitmapSlot]); }

PixelSurface bitmap_surface(GdiObject &bitmap) {
    BitmapData &data = bitmap.bitmap;
    return PixelSurface{data.pixels.data(), data.width, data.height, data.width};
}

}  // namespace platform::gdi

using namespace platform::gdi;

extern "C" {

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    return platform::fail_when_memory_runs_out<HPEN>(nullptr, [&]() -> HPEN {
        // A negative width is taken as its size; absurd widths are capped (see the banner).
        long long size = width < 0 ? -static_cast<long long>(width) : width;
        int capped = static_cast<int>(std::min<long long>(size, kMaxPenWidth));
        const LONG logical_width = static_cast<LONG>(std::min<long long>(size, INT32_MAX));
        return static_cast<HPEN>(add_object(make_pen(style, capped, color, false, logical_width)));
    });
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return platform::fail_when_memory_runs_out<HBRUSH>(nullptr, [&]() -> HBRUSH {
        return static_cast<HBRUSH>(add_object(make_brush(false, color, false)));
    });
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strike_out, DWORD charset,
                         DWORD out_precision, DWORD clip_precision, DWORD quality,
                         DWORD pitch_and_family, LPCSTR face_name) {
    return platform::fail_when_memory_runs_out<HFONT>(nullptr, [&]() -> HFONT {
        // Angles, underline, strike-out, charset and precisions do not change the face here; they
        // are kept for GetObject.
        FontRequest request;
        request.logical = LOGFONTA{height,
                                   width,
                                   escapement,
                                   orientation,
                                   weight,
                                   static_cast<BYTE>(italic),
                                   static_cast<BYTE>(underline),
                                   static_cast<BYTE>(strike_out),
                                   static_cast<BYTE>(charset),
                                   static_cast<BYTE>(out_precision),
                                   static_cast<BYTE>(clip_precision),
                                   static_cast<BYTE>(quality),
                                   static_cast<BYTE>(pitch_and_family),
                                   {}};
        if (face_name != nullptr)
            std::memcpy(request.logical.lfFaceName, face_name, strnlen(face_name, kFaceNameLimit));
        request.height = height;
        request.width = width < 0 ? 0 : width;  // a negative width asks for the default one
        request.weight = weight;
        request.italic = italic != 0;
        request.monochrome = quality == NONANTIALIASED_QUALITY;
        request.fixed_pitch = (pitch_and_family & 0x3) == FIXED_PITCH;
        if (face_name != nullptr)
            request.face.assign(face_name, strnlen(face_name, kFaceNameLimit));
        return static_cast<HFONT>(add_object(make_font(std::move(request), false)));
    });
}

HGDIOBJ WINAPI GetStockObject(int index) {
    return platform::fail_when_memory_runs_out<HGDIOBJ>(nullptr, [&]() -> HGDIOBJ {
        if (index < 0 || index >= kStockCount) return nullptr;  // 9 is an empty slot: NULL too
        return stock_objects()[static_cast<std::size_t>(index)];
    });
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        GdiObject *object = find_object(handle);
        if (object == nullptr) return FALSE;
        if (object->stock) return TRUE;  // harmless, as on Windows
        if (object->selected_count > 0) return FALSE;
        --live_counter(object->kind);
        table().objects.erase(reinterpret_cast<std::uintptr_t>(handle));
        return TRUE;
    });
}

}  // extern "C"
