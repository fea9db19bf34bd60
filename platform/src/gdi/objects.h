// objects.h: the GDI object table: pens, brushes, fonts and bitmaps behind their handles.
//
// Every handle the GDI gives out is a number from a table, never a pointer, so a stale, foreign
// or made-up handle is recognised and refused instead of being dereferenced. Stock objects live
// in the same table, are never freed and are not counted. Each object knows how many device
// contexts hold it selected; DeleteObject refuses a selected object (see gdi_objects.cpp).
//
// Depends on: windows.h, object_counts.h (counters). One thread, no locks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/pixel_surface.h"

namespace platform::gdi {

enum class ObjectKind { pen, brush, font, bitmap, palette };

struct PenData {
    int style = PS_SOLID;
    int width = 0;  // 0 and 1 are the one-pixel cosmetic pen
    COLORREF color = 0;
    LOGPEN logical{};  // what CreatePen was given, as GetObject reports it
};

struct BrushData {
    bool hollow = false;  // NULL_BRUSH: fills nothing
    COLORREF color = 0;
    COLORREF logical_color = 0;  // as CreateSolidBrush was given it, for GetObject
};

// What CreateFontA asked for; the face is matched and sized when the font is used.
struct FontRequest {
    int height = 0;  // < 0: em height; > 0: cell height; 0: default
    int width = 0;   // > 0: the average character width the glyphs are scaled to
    int weight = FW_NORMAL;
    bool italic = false;
    bool monochrome = false;  // NONANTIALIASED_QUALITY
    bool fixed_pitch = false;
    std::string face;
    LOGFONTA logical{};  // what CreateFontA was given (or the stock font's), for GetObject
};

struct BitmapData {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row-major, stride == width
    // One bit a pixel on Windows: every pixel here is then black or white.
    bool monochrome = false;
};

struct GdiObject {
    ObjectKind kind = ObjectKind::pen;
    bool stock = false;
    int selected_count = 0;  // device contexts that hold this object selected
    PenData pen;
    BrushData brush;
    FontRequest font;
    BitmapData bitmap;
};

// The palette stock object holds no colours here; GetObject reports its entry count.
constexpr WORD kDefaultPaletteEntries = 20;

// Put a new, counted object into the table and return its handle.
HGDIOBJ add_object(GdiObject &&object);

// The live object behind a handle, or nullptr for anything else.
GdiObject *find_object(HGDIOBJ handle);
// The live object of one kind behind a handle, or nullptr.
GdiObject *find_object(HGDIOBJ handle, ObjectKind kind);

// The colour a brush paints, for a brush handle or a system colour brush ((HBRUSH)(index + 1)).
// Returns false for a hollow brush or a bad handle.
bool brush_paint_color(HBRUSH brush, COLORREF *color);

// The stock objects a new device context starts with.
HPEN default_pen();
HBRUSH default_brush();
HFONT default_font();
HBITMAP default_bitmap();  // 1 x 1 monochrome, shared by every fresh memory DC

// A bitmap's pixels as a drawing surface.
PixelSurface bitmap_surface(GdiObject &bitmap);

}  // namespace platform::gdi
