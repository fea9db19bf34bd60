// gdi_objects.cpp: the GDI object calls: GetStockObject for every index, GetObjectType,
// GetObject of pens, brushes, fonts and bitmaps (and its size queries), GetCurrentObject,
// SelectObject's results, DeleteObject and DeleteDC, with bad, deleted and wrong-kind handles;
// monochrome bitmaps (a fresh memory DC's and those made compatible with it): their records,
// the colours drawn into them, and copies between them and colour bitmaps.
//
// Depends on: trace.h, canvas.h. Prints a trace on standard output (see trace.h).
#include <cstring>

#include "canvas.h"
#include "trace.h"

namespace {

void stock_objects() {
    trace::section("GetStockObject");
    for (int index = -1; index <= 22; ++index) {
        char key[32];
        std::snprintf(key, sizeof key, "index %d type", index);
        HGDIOBJ object = GetStockObject(index);
        trace::value(key, "%lu",
                     object == nullptr ? 0ul : static_cast<unsigned long>(GetObjectType(object)));
    }
    trace::value("DEVICE_DEFAULT_FONT is SYSTEM_FONT", "%d",
                 GetStockObject(DEVICE_DEFAULT_FONT) == GetStockObject(SYSTEM_FONT));
    trace::value("same handle twice", "%d", GetStockObject(BLACK_PEN) == GetStockObject(BLACK_PEN));
}

void print_pen(const char *name, HGDIOBJ pen) {
    LOGPEN logical;
    std::memset(&logical, 0x55, sizeof logical);
    char key[96];
    std::snprintf(key, sizeof key, "%s size", name);
    trace::value(key, "%d", GetObjectA(pen, 0, nullptr));
    std::snprintf(key, sizeof key, "%s GetObject", name);
    const int copied = GetObjectA(pen, sizeof logical, &logical);
    trace::value(key, "%d style %u width %ld,%ld color %08lx", copied, logical.lopnStyle,
                 static_cast<long>(logical.lopnWidth.x), static_cast<long>(logical.lopnWidth.y),
                 static_cast<unsigned long>(logical.lopnColor));
}

void print_brush(const char *name, HGDIOBJ brush) {
    LOGBRUSH logical;
    std::memset(&logical, 0x55, sizeof logical);
    char key[96];
    std::snprintf(key, sizeof key, "%s size", name);
    trace::value(key, "%d", GetObjectA(brush, 0, nullptr));
    std::snprintf(key, sizeof key, "%s GetObject", name);
    const int copied = GetObjectA(brush, sizeof logical, &logical);
    trace::value(key, "%d style %u color %08lx hatch %lu", copied, logical.lbStyle,
                 static_cast<unsigned long>(logical.lbColor),
                 static_cast<unsigned long>(logical.lbHatch));
}

void print_font(const char *name, HGDIOBJ font) {
    LOGFONTA logical;
    std::memset(&logical, 0, sizeof logical);
    char key[96];
    std::snprintf(key, sizeof key, "%s size", name);
    trace::value(key, "%d", GetObjectA(font, 0, nullptr));
    std::snprintf(key, sizeof key, "%s GetObject", name);
    const int copied = GetObjectA(font, sizeof logical, &logical);
    trace::value(
        key,
        "%d height %ld width %ld weight %ld italic %d charset %d quality %d pitch %d face '%s'",
        copied, static_cast<long>(logical.lfHeight), static_cast<long>(logical.lfWidth),
        static_cast<long>(logical.lfWeight), logical.lfItalic, logical.lfCharSet, logical.lfQuality,
        logical.lfPitchAndFamily, logical.lfFaceName);
}

void object_contents(conformance::Canvas &canvas) {
    trace::section("GetObject pens");
    print_pen("BLACK_PEN", GetStockObject(BLACK_PEN));
    print_pen("WHITE_PEN", GetStockObject(WHITE_PEN));
    print_pen("NULL_PEN", GetStockObject(NULL_PEN));
    print_pen("DC_PEN", GetStockObject(DC_PEN));
    const int widths[] = {0, 1, 2, 5, -3, 100000};
    for (int width : widths) {
        HPEN pen = CreatePen(PS_SOLID, width, 0x7F123456);
        char name[32];
        std::snprintf(name, sizeof name, "solid width %d", width);
        print_pen(name, pen);
        DeleteObject(pen);
    }
    HPEN null_pen = CreatePen(PS_NULL, 3, RGB(1, 2, 3));
    print_pen("created PS_NULL", null_pen);
    DeleteObject(null_pen);
    LOGPEN small;
    trace::value("pen into a short buffer", "%d", GetObjectA(GetStockObject(BLACK_PEN), 4, &small));

    trace::section("GetObject brushes");
    const int brushes[] = {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH,
                           BLACK_BRUSH, NULL_BRUSH,   DC_BRUSH};
    for (int index : brushes) {
        char name[32];
        std::snprintf(name, sizeof name, "stock %d", index);
        print_brush(name, GetStockObject(index));
    }
    HBRUSH solid = CreateSolidBrush(0x7F654321);
    print_brush("solid", solid);
    DeleteObject(solid);

    trace::section("GetObject fonts");
    print_font("SYSTEM_FONT", GetStockObject(SYSTEM_FONT));
    print_font("ANSI_FIXED_FONT", GetStockObject(ANSI_FIXED_FONT));
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             VARIABLE_PITCH | FF_SWISS, "VORBL-font");
    print_font("created", font);
    DeleteObject(font);

    trace::section("GetObject bitmaps");
    BITMAP bitmap;
    std::memset(&bitmap, 0, sizeof bitmap);
    trace::value("size", "%d", GetObjectA(canvas.bitmap, 0, nullptr));
    const int copied = GetObjectA(canvas.bitmap, sizeof bitmap, &bitmap);
    trace::value("canvas", "%d type %ld %ldx%ld bytes %ld planes %u bits %u", copied,
                 static_cast<long>(bitmap.bmType), static_cast<long>(bitmap.bmWidth),
                 static_cast<long>(bitmap.bmHeight), static_cast<long>(bitmap.bmWidthBytes),
                 bitmap.bmPlanes, bitmap.bmBitsPixel);
    HDC fresh = CreateCompatibleDC(canvas.dc);
    std::memset(&bitmap, 0, sizeof bitmap);
    GetObjectA(GetCurrentObject(fresh, OBJ_BITMAP), sizeof bitmap, &bitmap);
    trace::value("fresh DC bitmap", "%ldx%ld planes %u", static_cast<long>(bitmap.bmWidth),
                 static_cast<long>(bitmap.bmHeight), bitmap.bmPlanes);
    DeleteDC(fresh);

    trace::section("GetObject bad handles");
    LOGPEN pen;
    trace::value("null", "%d", GetObjectA(nullptr, sizeof pen, &pen));
    trace::value("DC", "%d", GetObjectA(canvas.dc, sizeof pen, &pen));
    HPEN gone = CreatePen(PS_SOLID, 1, 0);
    DeleteObject(gone);
    trace::value("deleted", "%d", GetObjectA(gone, sizeof pen, &pen));
}

void print_bitmap(const char *name, HGDIOBJ handle) {
    BITMAP bitmap;
    std::memset(&bitmap, 0, sizeof bitmap);
    const int copied = GetObjectA(handle, sizeof bitmap, &bitmap);
    trace::value(name, "%d %ldx%ld bytes %ld planes %u bits %u", copied,
                 static_cast<long>(bitmap.bmWidth), static_cast<long>(bitmap.bmHeight),
                 static_cast<long>(bitmap.bmWidthBytes), bitmap.bmPlanes, bitmap.bmBitsPixel);
}

// Copies between a monochrome and a colour bitmap, one row of three pixels each way.
void monochrome_copies(const conformance::Canvas &canvas, HDC mono) {
    SetPixel(canvas.dc, 0, 0, RGB(10, 20, 30));
    SetPixel(canvas.dc, 1, 0, RGB(255, 255, 255));
    SetPixel(canvas.dc, 2, 0, RGB(0, 0, 0));
    SetBkColor(canvas.dc, RGB(10, 20, 30));
    BitBlt(mono, 0, 2, 3, 1, canvas.dc, 0, 0, SRCCOPY);
    trace::value("colour to monochrome", "%06lx %06lx %06lx", GetPixel(mono, 0, 2),
                 GetPixel(mono, 1, 2), GetPixel(mono, 2, 2));
    SetTextColor(canvas.dc, RGB(1, 2, 3));
    SetBkColor(canvas.dc, RGB(4, 5, 6));
    BitBlt(canvas.dc, 0, 1, 3, 1, mono, 0, 2, SRCCOPY);
    trace::value("monochrome to colour", "%06lx %06lx %06lx", GetPixel(canvas.dc, 0, 1),
                 GetPixel(canvas.dc, 1, 1), GetPixel(canvas.dc, 2, 1));
    SetTextColor(canvas.dc, RGB(0, 0, 0));
    SetBkColor(canvas.dc, RGB(255, 255, 255));
}

void monochrome_bitmaps(const conformance::Canvas &canvas) {
    trace::section("monochrome bitmaps");
    HDC dc = CreateCompatibleDC(canvas.dc);
    print_bitmap("fresh DC bitmap", GetCurrentObject(dc, OBJ_BITMAP));
    trace::value("fresh DC pixel", "%06lx", GetPixel(dc, 0, 0));
    HBITMAP mono = CreateCompatibleBitmap(dc, 17, 3);
    print_bitmap("compatible with the fresh DC", mono);
    HBITMAP colour = CreateCompatibleBitmap(canvas.dc, 17, 3);
    print_bitmap("compatible with the canvas", colour);
    DeleteObject(colour);
    HGDIOBJ first = SelectObject(dc, mono);
    HBITMAP again = CreateCompatibleBitmap(dc, 2, 2);
    print_bitmap("compatible with a DC holding it", again);
    DeleteObject(again);
    const COLORREF colours[] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(200, 0, 0),
                                RGB(128, 128, 128), RGB(127, 127, 127), RGB(10, 200, 30),
                                RGB(255, 255, 0),   RGB(192, 192, 192)};
    for (COLORREF colour_value : colours) {
        char key[32];
        std::snprintf(key, sizeof key, "SetPixel %06lx", static_cast<unsigned long>(colour_value));
        const COLORREF set = SetPixel(dc, 1, 1, colour_value);
        trace::value(key, "%06lx read %06lx", set, GetPixel(dc, 1, 1));
    }
    RECT box{2, 0, 4, 2};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    trace::value("white brush", "%06lx", GetPixel(dc, 3, 1));
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    trace::value("black brush", "%06lx", GetPixel(dc, 3, 1));
    monochrome_copies(canvas, dc);
    SelectObject(dc, first);
    DeleteObject(mono);
    DeleteDC(dc);
}

const char *stock_name(HGDIOBJ object) {
    static const struct {
        int index;
        const char *name;
    } kNames[] = {{WHITE_BRUSH, "WHITE_BRUSH"}, {BLACK_PEN, "BLACK_PEN"},
                  {SYSTEM_FONT, "SYSTEM_FONT"}, {NULL_PEN, "NULL_PEN"},
                  {NULL_BRUSH, "NULL_BRUSH"},   {ANSI_FIXED_FONT, "ANSI_FIXED_FONT"}};
    if (object == nullptr) return "NULL";
    for (const auto &entry : kNames)
        if (GetStockObject(entry.index) == object) return entry.name;
    return "another object";
}

void selection(conformance::Canvas &canvas) {
    trace::section("GetCurrentObject");
    HDC dc = CreateCompatibleDC(canvas.dc);
    trace::value("pen", "%s", stock_name(GetCurrentObject(dc, OBJ_PEN)));
    trace::value("brush", "%s", stock_name(GetCurrentObject(dc, OBJ_BRUSH)));
    trace::value("font", "%s", stock_name(GetCurrentObject(dc, OBJ_FONT)));
    trace::value("bitmap type", "%lu",
                 static_cast<unsigned long>(GetObjectType(GetCurrentObject(dc, OBJ_BITMAP))));
    trace::value("palette type", "%lu",
                 static_cast<unsigned long>(GetObjectType(GetCurrentObject(dc, OBJ_PAL))));
    trace::value("kind 0", "%s", stock_name(GetCurrentObject(dc, 0)));
    trace::value("kind OBJ_DC", "%s", stock_name(GetCurrentObject(dc, OBJ_DC)));
    trace::value("null DC", "%s", stock_name(GetCurrentObject(nullptr, OBJ_PEN)));
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(9, 9, 9));
    SelectObject(dc, pen);
    trace::value("after selecting a pen", "%d", GetCurrentObject(dc, OBJ_PEN) == pen);

    trace::section("SelectObject");
    trace::value("pen back", "%s", stock_name(SelectObject(dc, GetStockObject(NULL_PEN))));
    trace::value("brush", "%s", stock_name(SelectObject(dc, GetStockObject(NULL_BRUSH))));
    trace::value("font", "%s", stock_name(SelectObject(dc, GetStockObject(ANSI_FIXED_FONT))));
    trace::value("null object", "%s", stock_name(SelectObject(dc, nullptr)));
    trace::value("into null DC", "%s", stock_name(SelectObject(nullptr, pen)));
    trace::value("DC as object", "%s", stock_name(SelectObject(dc, canvas.dc)));
    trace::value("window as object", "%s", stock_name(SelectObject(dc, canvas.window)));
    HBRUSH gone = CreateSolidBrush(0);
    DeleteObject(gone);
    trace::value("deleted brush", "%s", stock_name(SelectObject(dc, gone)));
    trace::value("bitmap selected elsewhere", "%s", stock_name(SelectObject(dc, canvas.bitmap)));
    trace::value("palette", "%s", stock_name(SelectObject(dc, GetStockObject(DEFAULT_PALETTE))));
    trace::value("brush still hollow", "%d",
                 GetCurrentObject(dc, OBJ_BRUSH) == GetStockObject(NULL_BRUSH));
    DeleteDC(dc);
    DeleteObject(pen);
}

void deletion(conformance::Canvas &canvas) {
    trace::section("DeleteObject");
    trace::value("stock pen", "%d", DeleteObject(GetStockObject(BLACK_PEN)));
    trace::value("stock still usable", "%d",
                 GetObjectType(GetStockObject(BLACK_PEN)) == OBJ_PEN ? 1 : 0);
    HBRUSH brush = CreateSolidBrush(0);
    trace::value("brush", "%d", DeleteObject(brush));
    trace::value("brush again", "%d", DeleteObject(brush));
    trace::value("null", "%d", DeleteObject(nullptr));
    trace::value("window", "%d", DeleteObject(canvas.window));
    trace::value("type of deleted", "%lu", static_cast<unsigned long>(GetObjectType(brush)));

    trace::section("GetObjectType");
    trace::value("memory DC", "%lu", static_cast<unsigned long>(GetObjectType(canvas.dc)));
    trace::value("window DC", "%lu", static_cast<unsigned long>(GetObjectType(canvas.window_dc)));
    trace::value("window", "%lu", static_cast<unsigned long>(GetObjectType(canvas.window)));
    trace::value("null", "%lu", static_cast<unsigned long>(GetObjectType(nullptr)));

    trace::section("DeleteDC");
    HDC dc = CreateCompatibleDC(canvas.dc);
    trace::value("memory DC", "%d", DeleteDC(dc));
    trace::value("again", "%d", DeleteDC(dc));
    trace::value("null", "%d", DeleteDC(nullptr));
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    trace::value("pen", "%d", DeleteDC(reinterpret_cast<HDC>(pen)));
    trace::value("pen still alive", "%d", GetObjectType(pen) == OBJ_PEN ? 1 : 0);
    DeleteObject(pen);
    trace::value("CreateCompatibleDC of a pen", "%s",
                 trace::null_or_handle(CreateCompatibleDC(reinterpret_cast<HDC>(pen))));
    HBITMAP from_pen = CreateCompatibleBitmap(reinterpret_cast<HDC>(pen), 4, 4);
    trace::value("CreateCompatibleBitmap of a pen", "%s", trace::null_or_handle(from_pen));
    if (from_pen != nullptr) DeleteObject(from_pen);
}

}  // namespace

int main() {
    conformance::Canvas canvas = conformance::open_canvas(8, 6);
    stock_objects();
    object_contents(canvas);
    selection(canvas);
    deletion(canvas);
    monochrome_bitmaps(canvas);
    conformance::close_canvas(canvas);
    return 0;
}
