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

#include <algorithm>
#include <array>
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
        case ObjectKind::bitmap: break;
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

GdiObject make_pen(int style, int width, COLORREF color, bool stock) {
    GdiObject object;
    object.kind = ObjectKind::pen;
    object.stock = stock;
    object.pen = PenData{style, width, color & 0x00FFFFFF};
    return object;
}

GdiObject make_brush(bool hollow, COLORREF color, bool stock) {
    GdiObject object;
    object.kind = ObjectKind::brush;
    object.stock = stock;
    object.brush = BrushData{hollow, color & 0x00FFFFFF};
    return object;
}

GdiObject make_font(FontRequest request, bool stock) {
    GdiObject object;
    object.kind = ObjectKind::font;
    object.stock = stock;
    object.font = std::move(request);
    return object;
}

// Indices GetStockObject knows, plus one slot for the default 1 x 1 bitmap.
constexpr int kStockCount = 18;
constexpr int kDefaultBitmapSlot = kStockCount;

std::array<HGDIOBJ, kStockCount + 1> make_stock_objects() {
    std::array<HGDIOBJ, kStockCount + 1> stock{};
    stock[WHITE_BRUSH] = insert_object(make_brush(false, RGB(255, 255, 255), true));
    stock[LTGRAY_BRUSH] = insert_object(make_brush(false, RGB(192, 192, 192), true));
    stock[GRAY_BRUSH] = insert_object(make_brush(false, RGB(128, 128, 128), true));
    stock[DKGRAY_BRUSH] = insert_object(make_brush(false, RGB(64, 64, 64), true));
    stock[BLACK_BRUSH] = insert_object(make_brush(false, RGB(0, 0, 0), true));
    stock[NULL_BRUSH] = insert_object(make_brush(true, 0, true));
    stock[WHITE_PEN] = insert_object(make_pen(PS_SOLID, 0, RGB(255, 255, 255), true));
    stock[BLACK_PEN] = insert_object(make_pen(PS_SOLID, 0, RGB(0, 0, 0), true));
    stock[NULL_PEN] = insert_object(make_pen(PS_NULL, 0, 0, true));
    // The fixed fonts: the default monospace face at a 13-pixel cell, like the raster Courier.
    FontRequest fixed{13, FW_NORMAL, false, false, true, "monospace"};
    stock[OEM_FIXED_FONT] = insert_object(make_font(fixed, true));
    stock[ANSI_FIXED_FONT] = insert_object(make_font(fixed, true));
    stock[ANSI_VAR_FONT] =
        insert_object(make_font({13, FW_NORMAL, false, false, false, "sans-serif"}, true));
    // SYSTEM_FONT is a bold face with a 16-pixel cell; it is every new DC's font.
    stock[SYSTEM_FONT] =
        insert_object(make_font({16, FW_BOLD, false, false, false, "sans-serif"}, true));
    stock[DEFAULT_GUI_FONT] =
        insert_object(make_font({-11, FW_NORMAL, false, false, false, "sans-serif"}, true));
    GdiObject bitmap;
    bitmap.kind = ObjectKind::bitmap;
    bitmap.stock = true;
    bitmap.bitmap = BitmapData{1, 1, std::vector<std::uint32_t>(1, 0)};
    stock[kDefaultBitmapSlot] = insert_object(std::move(bitmap));
    return stock;
}

const std::array<HGDIOBJ, kStockCount + 1> &stock_objects() {
    static const std::array<HGDIOBJ, kStockCount + 1> stock = make_stock_objects();
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
    // A negative width is taken as its size; absurd widths are capped (see the banner).
    long long size = width < 0 ? -static_cast<long long>(width) : width;
    int capped = static_cast<int>(std::min<long long>(size, kMaxPenWidth));
    return static_cast<HPEN>(add_object(make_pen(style, capped, color, false)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(add_object(make_brush(false, color, false)));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strike_out, DWORD charset,
                         DWORD out_precision, DWORD clip_precision, DWORD quality,
                         DWORD pitch_and_family, LPCSTR face_name) {
    // Width, angles, underline, strike-out, charset and precisions do not change the face here.
    (void)width, (void)escapement, (void)orientation, (void)underline, (void)strike_out;
    (void)charset, (void)out_precision, (void)clip_precision;
    FontRequest request;
    request.height = height;
    request.weight = weight;
    request.italic = italic != 0;
    request.monochrome = quality == NONANTIALIASED_QUALITY;
    request.fixed_pitch = (pitch_and_family & 0x3) == FIXED_PITCH;
    if (face_name != nullptr) request.face.assign(face_name, strnlen(face_name, kFaceNameLimit));
    return static_cast<HFONT>(add_object(make_font(std::move(request), false)));
}

HGDIOBJ WINAPI GetStockObject(int index) {
    if (index < 0 || index >= kStockCount) return nullptr;
    return stock_objects()[static_cast<std::size_t>(index)];
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    GdiObject *object = find_object(handle);
    if (object == nullptr) return FALSE;
    if (object->stock) return TRUE;  // harmless, as on Windows
    if (object->selected_count > 0) return FALSE;
    --live_counter(object->kind);
    table().objects.erase(reinterpret_cast<std::uintptr_t>(handle));
    return TRUE;
}

}  // extern "C"
