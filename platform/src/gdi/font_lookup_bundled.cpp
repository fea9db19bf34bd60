// font_lookup_bundled.cpp: the browser's face lookup: the font files the page bundles.
//
// The page puts them in its in-memory file system below /fonts (see web/CMakeLists.txt), laid
// out as below /usr/share/fonts/truetype; bundled_fonts.cpp says which file serves a request.
#include "gdi/bundled_fonts.h"
#include "gdi/font_lookup.h"

namespace platform::fonts {

std::optional<FaceFile> find_face_file(const FaceQuery &query) {
    return bundled_face_file("/fonts", query);
}

}  // namespace platform::fonts
