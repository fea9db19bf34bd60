// font_lookup_bundled.cpp: the browser's face lookup: the font files the page bundles.
//
// The page puts them in its in-memory file system below /fonts (see web/CMakeLists.txt), laid
// out as below /usr/share/fonts/truetype; bundled_fonts.cpp says which file serves a request.
// There is nothing to fall back to: the page carries every file the table names.
#include "gdi/bundled_fonts.h"
#include "gdi/font_lookup.h"

namespace platform::fonts {

std::vector<FaceCandidate> face_candidates(const FaceQuery &query) {
    return {FaceCandidate{bundled_face_file("/fonts", query), false}};
}

}  // namespace platform::fonts
