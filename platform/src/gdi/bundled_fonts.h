// bundled_fonts.h: the faces the platform draws with, and which of them serves a face request.
//
// One table for every host, so a program's text is laid out alike on any desktop and in the
// browser, whatever other fonts a machine has. The files come from Debian's font packages
// (fonts-dejavu-core, fonts-liberation2) and are named as they lie below
// /usr/share/fonts/truetype; a page bundles the same files below /fonts. The choices:
// - Liberation Sans, Serif and Mono for the faces with Arial's, Times New Roman's and Courier
//   New's widths, for the generic sans-serif and serif names, and for any face nobody has
//   (Liberation Sans, or Liberation Mono for a fixed-pitch request, as Windows falls back to
//   Arial and Courier New), so text fits where a program laid it out for Windows' widths;
// - DejaVu Sans where it is named (the menus), and DejaVu Sans Mono for the generic monospace
//   names, which the stock fixed fonts ask for (the text window): its cell suits the text
//   window's line spacing, and both have been the platform's faces for those roles.
//
// Limits: regular and bold only (an italic request gets the upright face).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gdi/font_lookup.h"

namespace platform::fonts {

// The face the table chooses: its family name as the font itself gives it, and its file
// relative to the fonts' directory.
struct BundledFace {
    std::string_view family;
    std::string_view file;
};

// The table's face for a query.
BundledFace bundled_face(const FaceQuery &query);

// The table's face for a query, as a path below `directory`.
FaceFile bundled_face_file(std::string_view directory, const FaceQuery &query);

// Every file the table can name, relative to the fonts' directory.
std::vector<std::string> bundled_font_files();

}  // namespace platform::fonts
