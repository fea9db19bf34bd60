// fonts.h: faces for the GDI's fonts: matched to a font file, sized and rendered by FreeType.
//
// A font request (face name, height, weight, italic, pitch, quality) is matched once through
// font_lookup.h, by fontconfig on the desktop or from the files a browser page bundles (a face
// name nobody has falls back to a face of Arial's widths; an empty name to the default sans or
// monospace face by pitch) and sized in pixels per em: a negative height is the em height, a
// positive one the cell height (ascent + descent), 0 the default (like +16). A width asks for
// glyphs scaled across so that the average character is that wide.
// Metrics follow the Windows rules for TrueType faces (OS/2 win ascent and descent). Glyphs are
// hinted, anti-aliased unless the request asked for NONANTIALIASED_QUALITY, and cached per face,
// pixel size and quality for the life of the process.
//
// Depends on: font_lookup.h, FreeType, objects.h (FontRequest). Limits: sizes are capped at
// 1024 pixels per em; with no face on the machine `realize_font` returns nullptr.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "gdi/objects.h"

namespace platform::fonts {

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int height = 0;  // ascent + descent: the cell height
    int internal_leading = 0;
    int external_leading = 0;
    int average_width = 0;
    int max_width = 0;
    int em_pixels = 0;
    bool fixed_pitch = false;
    int family = FF_DONTCARE;  // FF_ROMAN, FF_SWISS, FF_MODERN, FF_SCRIPT or FF_DECORATIVE
    std::string face_name;     // the family name of the face that draws the font
};

// One rendered glyph: coverage 0..255 per pixel, placed relative to the pen on the baseline.
struct Glyph {
    int left = 0;  // from the pen position to the bitmap's left column
    int top = 0;   // from the baseline up to the bitmap's top row
    int width = 0;
    int height = 0;
    int advance = 0;  // pixels the pen moves on
    std::vector<std::uint8_t> coverage;
};

class SizedFont;

// The face and size for a request, or nullptr when the machine has no usable face.
const SizedFont *realize_font(const gdi::FontRequest &request);
const FontMetrics &font_metrics(const SizedFont &font);
// The glyph for a Unicode code point (the face's missing-glyph box when it has none).
const Glyph &font_glyph(const SizedFont &font, std::uint32_t code_point);

}  // namespace platform::fonts
