// bundled_fonts.h: the faces a page carries with it, and which of them serves a face request.
//
// The browser has no fontconfig and no system fonts to match against, so the page bundles a few
// TrueType files from Debian's font packages (fonts-dejavu-core, fonts-liberation2), laid out
// below one directory as they are below /usr/share/fonts/truetype. This table gives a request
// the face the desktop's lookup (fontconfig, asked for the face and then for Arial) picks for it
// on a Debian machine with those packages: DejaVu Sans when it is named (the menus), DejaVu Sans
// Mono for the default monospace face, and Liberation Sans (Arial's widths) for the default sans
// face, for Arial and for any proportional face nobody has.
//
// Limits: regular and bold only (an italic request gets the upright face); faces that the
// package and the platform never ask for (serif, Courier) are not bundled.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gdi/font_lookup.h"

namespace platform::fonts {

// The bundled face for a query, as a path below `directory`.
FaceFile bundled_face_file(std::string_view directory, const FaceQuery &query);

// Every file the table can name, relative to the bundle's directory.
std::vector<std::string> bundled_font_files();

}  // namespace platform::fonts
