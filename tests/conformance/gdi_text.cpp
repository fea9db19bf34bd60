// gdi_text.cpp: text metrics and extents of the faces the package asks for (the stock fonts and
// the package's own face name at the sizes it uses), the extents of empty, control and
// Windows-1252 strings, the face's name by every buffer size, the calls' results with bad
// handles and counts, and one drawn line whose glyph pixels are printed (FreeType and Wine's own
// rasterizer differ there; see known-differences.txt).
//
// Depends on: trace.h, canvas.h. Prints a trace on standard output (see trace.h).
#include <cstring>
#include <iterator>

#include "canvas.h"
#include "trace.h"

namespace {

void metrics(HDC dc, const char *name, HGDIOBJ font) {
    trace::section(name);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA m;
    std::memset(&m, 0, sizeof m);
    trace::value("GetTextMetricsA", "%d", GetTextMetricsA(dc, &m));
    trace::value("tmHeight", "%ld", static_cast<long>(m.tmHeight));
    trace::value("tmAscent", "%ld", static_cast<long>(m.tmAscent));
    trace::value("tmDescent", "%ld", static_cast<long>(m.tmDescent));
    trace::value("tmInternalLeading", "%ld", static_cast<long>(m.tmInternalLeading));
    trace::value("tmExternalLeading", "%ld", static_cast<long>(m.tmExternalLeading));
    trace::value("tmAveCharWidth", "%ld", static_cast<long>(m.tmAveCharWidth));
    trace::value("tmMaxCharWidth", "%ld", static_cast<long>(m.tmMaxCharWidth));
    trace::value("tmWeight", "%ld", static_cast<long>(m.tmWeight));
    trace::value("tmOverhang", "%ld", static_cast<long>(m.tmOverhang));
    trace::value("tmDigitizedAspect", "%ld,%ld", static_cast<long>(m.tmDigitizedAspectX),
                 static_cast<long>(m.tmDigitizedAspectY));
    trace::value("tmFirstChar", "%d", m.tmFirstChar);
    trace::value("tmLastChar", "%d", m.tmLastChar);
    trace::value("tmDefaultChar", "%d", m.tmDefaultChar);
    trace::value("tmBreakChar", "%d", m.tmBreakChar);
    trace::value("tmItalic", "%d", m.tmItalic);
    trace::value("tmPitchAndFamily", "%02x", m.tmPitchAndFamily);
    trace::value("tmCharSet", "%d", m.tmCharSet);
    const char *samples[] = {
        "",           "A",  "i",  "W",    "Hello, World!", "Speed 10  Bugs 6  Press N to start",
        "0123456789", "\n", "\t", "\x01", "a\rb",          "\x80\xe9\xff",
        " "};
    for (std::size_t i = 0; i < std::size(samples); ++i) {
        SIZE size{-1, -1};
        const int length = static_cast<int>(std::strlen(samples[i]));
        const BOOL ok = GetTextExtentPoint32A(dc, samples[i], length, &size);
        char key[32];
        std::snprintf(key, sizeof key, "extent %zu", i);
        trace::value(key, "%d %ldx%ld", ok, static_cast<long>(size.cx), static_cast<long>(size.cy));
    }
    SIZE old_call{-1, -1};
    GetTextExtentPointA(dc, "Hello", 5, &old_call);
    trace::value("GetTextExtentPointA", "%ldx%ld", static_cast<long>(old_call.cx),
                 static_cast<long>(old_call.cy));
    SelectObject(dc, previous);
}

HFONT package_font(int pixels) {
    return CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       "VORBL-font");
}

void faces(HDC dc) {
    metrics(dc, "font SYSTEM_FONT", GetStockObject(SYSTEM_FONT));
    metrics(dc, "font DEVICE_DEFAULT_FONT", GetStockObject(DEVICE_DEFAULT_FONT));
    metrics(dc, "font ANSI_FIXED_FONT", GetStockObject(ANSI_FIXED_FONT));
    metrics(dc, "font ANSI_VAR_FONT", GetStockObject(ANSI_VAR_FONT));
    metrics(dc, "font SYSTEM_FIXED_FONT", GetStockObject(SYSTEM_FIXED_FONT));
    metrics(dc, "font DEFAULT_GUI_FONT", GetStockObject(DEFAULT_GUI_FONT));
    const int sizes[] = {8, 10, 12, 14, 16, 20, 24, 30};
    for (int pixels : sizes) {
        HFONT font = package_font(pixels);
        char name[48];
        std::snprintf(name, sizeof name, "font VORBL-font -%d", pixels);
        metrics(dc, name, font);
        DeleteObject(font);
    }
    HFONT bold =
        CreateFontA(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
    metrics(dc, "font Arial 16 bold", bold);
    DeleteObject(bold);
}

// The face's name, what each buffer size gets of it, and the errors of refused calls.
void face_name(HDC dc) {
    trace::section("text face");
    HFONT font = package_font(12);
    HGDIOBJ previous = SelectObject(dc, font);
    char name[64];
    SetLastError(0);
    const int whole = GetTextFaceA(dc, sizeof name, name);
    trace::value("whole", "%d %s error %lu", whole, name, GetLastError());
    trace::value("no buffer", "%d", GetTextFaceA(dc, 0, nullptr));
    for (int size : {1, 2, 5}) {
        std::memset(name, 'x', sizeof name);
        SetLastError(0);
        const int copied = GetTextFaceA(dc, size, name);
        char key[24];
        std::snprintf(key, sizeof key, "buffer of %d", size);
        trace::value(key, "%d '%.6s' error %lu", copied, name, GetLastError());
    }
    std::memset(name, 'x', sizeof name);
    SetLastError(0);
    const int none = GetTextFaceA(dc, 0, name);
    trace::value("buffer of 0", "%d %c error %lu", none, name[0], GetLastError());
    SetLastError(0);
    const int negative = GetTextFaceA(dc, -1, name);
    trace::value("buffer of -1", "%d error %lu", negative, GetLastError());
    SetLastError(0);
    const int no_dc = GetTextFaceA(nullptr, sizeof name, name);
    trace::value("null DC", "%d error %lu", no_dc, GetLastError());
    SelectObject(dc, previous);
    DeleteObject(font);
}

void bad_calls(HDC dc) {
    trace::section("text calls with bad arguments");
    SIZE size{-1, -1};
    trace::value("extent null DC", "%d", GetTextExtentPoint32A(nullptr, "ab", 2, &size));
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    trace::value("extent pen as DC", "%d",
                 GetTextExtentPoint32A(reinterpret_cast<HDC>(pen), "ab", 2, &size));
    trace::value("extent count 0", "%d", GetTextExtentPoint32A(dc, "ab", 0, &size));
    trace::value("extent count 0 size", "%ldx%ld", static_cast<long>(size.cx),
                 static_cast<long>(size.cy));
    trace::value("extent count -1", "%d", GetTextExtentPoint32A(dc, "ab", -1, &size));
    TEXTMETRICA m;
    trace::value("metrics null DC", "%d", GetTextMetricsA(nullptr, &m));
    trace::value("metrics pen as DC", "%d", GetTextMetricsA(reinterpret_cast<HDC>(pen), &m));
    trace::value("TextOutA null DC", "%d", TextOutA(nullptr, 0, 0, "ab", 2));
    trace::value("TextOutA pen as DC", "%d", TextOutA(reinterpret_cast<HDC>(pen), 0, 0, "ab", 2));
    trace::value("TextOutA count 0", "%d", TextOutA(dc, 0, 0, "ab", 0));
    trace::value("TextOutA count -1", "%d", TextOutA(dc, 0, 0, "ab", -1));
    DeleteObject(pen);
    trace::section("text colours and modes");
    trace::value("SetTextColor", "%08lx",
                 static_cast<unsigned long>(SetTextColor(dc, RGB(1, 2, 3))));
    trace::value("GetTextColor", "%08lx", static_cast<unsigned long>(GetTextColor(dc)));
    trace::value("SetBkColor", "%08lx", static_cast<unsigned long>(SetBkColor(dc, 0x7F0A0B0C)));
    trace::value("GetBkColor", "%08lx", static_cast<unsigned long>(GetBkColor(dc)));
    trace::value("SetBkMode", "%d", SetBkMode(dc, TRANSPARENT));
    trace::value("GetBkMode", "%d", GetBkMode(dc));
    trace::value("SetBkMode 7", "%d", SetBkMode(dc, 7));
    trace::value("GetBkMode after 7", "%d", GetBkMode(dc));
    trace::value("SetTextColor null DC", "%08lx",
                 static_cast<unsigned long>(SetTextColor(nullptr, 0)));
    trace::value("SetBkMode null DC", "%d", SetBkMode(nullptr, OPAQUE));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
}

// A line of text in an opaque box: the box is the cell, the glyphs FreeType's or Wine's.
void drawn_text(conformance::Canvas &canvas) {
    trace::section("glyph pixels");
    trace::Palette palette;
    palette.background = RGB(0, 0, 200);
    palette.pen = RGB(0, 0, 0);
    palette.brush = RGB(255, 255, 255);
    conformance::clear(canvas, palette.background);
    HFONT font = package_font(12);
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    trace::value("TextOutA", "%d", TextOutA(canvas.dc, 2, 1, "Hi!", 3));
    trace::picture(canvas.dc, canvas.width, canvas.height, palette);
    SelectObject(canvas.dc, previous);
    DeleteObject(font);
}

}  // namespace

int main() {
    conformance::Canvas canvas = conformance::open_canvas(24, 16);
    faces(canvas.dc);
    face_name(canvas.dc);
    bad_calls(canvas.dc);
    drawn_text(canvas);
    conformance::close_canvas(canvas);
    return 0;
}
