// font_lookup_fontconfig.cpp: the desktop's face lookup: fontconfig matches against the machine.
//
// A proportional face nobody has comes out, on Windows, as its Arial-like default face, and
// programs lay their text out for those widths. Asking for "Arial" after the requested family
// lets fontconfig's metric aliases pick a face of the same widths (Liberation Sans) where one is
// installed; otherwise the match falls through to the default sans face.
//
// Depends on fontconfig. Limits: one thread; the caller caches the matches.
#include <fontconfig/fontconfig.h>

#include "gdi/font_lookup.h"

namespace platform::fonts {

std::optional<FaceFile> find_face_file(const FaceQuery &query) {
    FcPattern *pattern = FcPatternCreate();
    if (pattern == nullptr) return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(query.family.c_str()));
    if (!query.fixed_pitch)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>("Arial"));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(query.weight));
    FcPatternAddInteger(pattern, FC_SLANT, query.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return std::nullopt;
    std::optional<FaceFile> face;
    FcChar8 *path = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        face = FaceFile{reinterpret_cast<const char *>(path), index};
    }
    FcPatternDestroy(match);
    return face;
}

}  // namespace platform::fonts
