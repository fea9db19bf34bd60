// text_output.cpp: TextOutA, GetTextExtentPointA / GetTextExtentPoint32A, GetTextMetricsA and
// GetTextFaceA.
//
// TextOutA puts the top-left corner of the first character cell at (x, y): the baseline is at
// y + ascent. In OPAQUE mode the cell box [x, x + extent) x [y, y + cell height) is first filled
// with the background colour; then every glyph's coverage is blended into the pixels in the text
// colour. Bytes are Windows-1252 and never interpreted: a line feed is drawn and measured as
// whatever glyph the face has for it. The extent's height is the cell height (tmHeight). With no
// usable face on the machine these calls fail (FALSE) and draw nothing.
//
// GetTextFaceA names the face that really draws the DC's font (a stand-in's own name when the
// asked-for face is not on the machine, as Windows names its substitute).
//
// Depends on: draw_target.h, fonts.h, codepage_1252.h.
#include <algorithm>
#include <climits>
#include <cstring>

#include "core/codepage_1252.h"
#include "core/memory_exhaustion.h"
#include "gdi/draw_target.h"
#include "gdi/fonts.h"

using namespace platform::gdi;
using namespace platform::raster;
using platform::PixelSurface;
using platform::fonts::FontMetrics;
using platform::fonts::Glyph;
using platform::fonts::SizedFont;

namespace {

const SizedFont *selected_font(const DeviceContext &dc) {
    const FontRequest *request = dc_font(dc);
    return request == nullptr ? nullptr : platform::fonts::realize_font(*request);
}

const Glyph &glyph_for(const SizedFont &font, char byte) {
    return platform::fonts::font_glyph(
        font, platform::cp1252_to_unicode(static_cast<unsigned char>(byte)));
}

Coord text_width(const SizedFont &font, const char *text, int count) {
    Coord width = 0;
    for (int i = 0; i < count; ++i) width += glyph_for(font, text[i]).advance;
    return width;
}

std::uint8_t blend_channel(std::uint32_t under, std::uint32_t over, unsigned coverage, int shift) {
    const unsigned a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
    return static_cast<std::uint8_t>((b * coverage + a * (255 - coverage) + 127) / 255);
}

// Blend one glyph's coverage into the surface with its bitmap's top-left at (left, top).
void blend_glyph(const PixelSurface &surface, const Glyph &glyph, Coord left, Coord top,
                 std::uint32_t color) {
    const Coord first_row = std::max<Coord>(0, -top),
                end_row = std::min<Coord>(glyph.height, surface.height - top);
    const Coord first_col = std::max<Coord>(0, -left),
                end_col = std::min<Coord>(glyph.width, surface.width - left);
    for (Coord row = first_row; row < end_row; ++row) {
        const std::uint8_t *coverage = glyph.coverage.data() + row * glyph.width;
        std::uint32_t *pixels = surface.pixels + (top + row) * surface.stride;
        for (Coord col = first_col; col < end_col; ++col) {
            const unsigned c = coverage[col];
            if (c == 0) continue;
            const std::uint32_t under = pixels[left + col];
            pixels[left + col] = c == 255
                                     ? color
                                     : (std::uint32_t{blend_channel(under, color, c, 16)} << 16) |
                                           (std::uint32_t{blend_channel(under, color, c, 8)} << 8) |
                                           blend_channel(under, color, c, 0);
        }
    }
}

void draw_text(const PixelSurface &surface, const DeviceContext &dc, const SizedFont &font, Coord x,
               Coord y, const char *text, int count) {
    const FontMetrics &metrics = platform::fonts::font_metrics(font);
    if (dc.bk_mode == OPAQUE)
        fill_box(surface, x, y, x + text_width(font, text, count), y + metrics.height,
                 to_pixel(dc.bk_color));
    if (surface.pixels == nullptr) return;
    const std::uint32_t color = to_pixel(dc.text_color);
    const Coord baseline = y + metrics.ascent;
    Coord pen = x;
    for (int i = 0; i < count && pen < surface.width; ++i) {
        const Glyph &glyph = glyph_for(font, text[i]);
        blend_glyph(surface, glyph, pen + glyph.left, baseline - glyph.top, color);
        pen += glyph.advance;
    }
}

LONG clamp_long(Coord value) {
    return static_cast<LONG>(std::clamp<Coord>(value, INT_MIN, INT_MAX));
}

}  // namespace

extern "C" {

BOOL WINAPI TextOutA(HDC handle, int x, int y, LPCSTR text, int count) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DrawTarget target;
        if (!open_target(handle, &target) || count < 0 || (text == nullptr && count > 0))
            return FALSE;
        const SizedFont *font = selected_font(*target.dc);
        if (font == nullptr) return FALSE;
        draw_text(target.surface, *target.dc, *font, x, y, text, count);
        dc_drawn(*target.dc);
        return TRUE;
    });
}

BOOL WINAPI GetTextExtentPoint32A(HDC handle, LPCSTR text, int count, LPSIZE size) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DeviceContext *dc = find_dc(handle);
        if (dc == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0))
            return FALSE;
        const SizedFont *font = selected_font(*dc);
        if (font == nullptr) return FALSE;
        size->cx = clamp_long(text_width(*font, text, count));
        // No characters measure nothing at all, not even a line's height.
        size->cy = count == 0 ? 0 : platform::fonts::font_metrics(*font).height;
        return TRUE;
    });
}

BOOL WINAPI GetTextExtentPointA(HDC handle, LPCSTR text, int count, LPSIZE size) {
    return platform::fail_when_memory_runs_out<BOOL>(
        FALSE, [&]() -> BOOL { return GetTextExtentPoint32A(handle, text, count, size); });
}

BOOL WINAPI GetTextMetricsA(HDC handle, LPTEXTMETRICA metrics) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DeviceContext *dc = find_dc(handle);
        if (dc == nullptr || metrics == nullptr) return FALSE;
        const SizedFont *font = selected_font(*dc);
        if (font == nullptr) return FALSE;
        const FontMetrics &m = platform::fonts::font_metrics(*font);
        const FontRequest *request = dc_font(*dc);
        *metrics = TEXTMETRICA{};
        metrics->tmHeight = m.height;
        metrics->tmAscent = m.ascent;
        metrics->tmDescent = m.descent;
        metrics->tmInternalLeading = m.internal_leading;
        metrics->tmExternalLeading = m.external_leading;
        metrics->tmAveCharWidth = m.average_width;
        metrics->tmMaxCharWidth = m.max_width;
        metrics->tmWeight = request->weight > 0 ? request->weight : FW_NORMAL;
        metrics->tmDigitizedAspectX = 96;
        metrics->tmDigitizedAspectY = 96;
        // The ANSI range of a TrueType face as GDI reports it: the first character is 0x1E, one
        // below the default character 0x1F, which stands in for every byte the face has no glyph
        // for.
        metrics->tmFirstChar = 0x1E;
        metrics->tmLastChar = 0xFF;
        metrics->tmDefaultChar = 0x1F;
        metrics->tmBreakChar = 0x20;
        metrics->tmItalic = request->italic ? 1 : 0;
        // TMPF_FIXED_PITCH is set for variable-pitch faces (the name is the wrong way round on
        // purpose, for compatibility); every face here is a TrueType outline, so vector too.
        metrics->tmPitchAndFamily = static_cast<BYTE>(
            m.family | (m.fixed_pitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE);
        metrics->tmCharSet = ANSI_CHARSET;
        return TRUE;
    });
}

// With no buffer, the length the name needs, its terminating zero included; with one, the
// characters copied, the zero not counted. A buffer too short for the name gets as much of it as
// fits before the zero, and ERROR_INSUFFICIENT_BUFFER; a size of 0 copies nothing and a negative
// one is refused (ERROR_INVALID_PARAMETER).
int WINAPI GetTextFaceA(HDC handle, int count, LPSTR face) {
    return platform::fail_when_memory_runs_out<int>(0, [&]() -> int {
        DeviceContext *dc = find_dc(handle);
        if (dc == nullptr) return 0;
        const SizedFont *font = selected_font(*dc);
        if (font == nullptr) return 0;
        const std::string &name = platform::fonts::font_metrics(*font).face_name;
        const int length = static_cast<int>(std::min<std::size_t>(name.size(), INT_MAX - 1));
        if (face == nullptr) return length + 1;
        if (count < 1) {
            if (count < 0) SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        const int copied = std::min(length, count - 1);
        if (copied < length) SetLastError(ERROR_INSUFFICIENT_BUFFER);
        std::memcpy(face, name.data(), static_cast<std::size_t>(copied));
        face[copied] = '\0';
        return copied;
    });
}

}  // extern "C"
