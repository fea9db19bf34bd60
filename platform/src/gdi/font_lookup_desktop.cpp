// font_lookup_desktop.cpp: the desktop's face lookup: the platform's own table first, fontconfig
// only when the table's file is missing or broken.
//
// The table's file is looked for below VORBL_FONT_DIR when the environment sets it, else below
// the directory the build was configured with (Debian's /usr/share/fonts/truetype). Another
// distribution may keep the same face elsewhere: fontconfig is then asked for the face by its
// own name and its answer is taken only if it is that face. Last comes fontconfig's nearest
// match for the request itself (asking for Arial after a proportional face, so that its metric
// aliases give a face of Arial's widths where one is installed), which is a substitute.
//
// Depends on fontconfig. Limits: one thread; the caller caches the choices.
#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <optional>

#include "gdi/bundled_fonts.h"
#include "gdi/font_lookup.h"

namespace platform::fonts {
namespace {

const char *font_directory() {
    const char *directory = std::getenv("VORBL_FONT_DIR");
    return directory != nullptr && *directory != '\0' ? directory : VORBL_DEFAULT_FONT_DIR;
}

std::string family_of(FcPattern *match) {
    FcChar8 *family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) != FcResultMatch || family == nullptr)
        return {};
    return reinterpret_cast<const char *>(family);
}

// fontconfig's best match for `families` (in that order) at the query's weight and slant; with
// `only_family`, nothing unless the match is of that family.
std::optional<FaceFile> fontconfig_match(const FaceQuery &query,
                                         std::initializer_list<const char *> families,
                                         const char *only_family) {
    FcPattern *pattern = FcPatternCreate();
    if (pattern == nullptr) return std::nullopt;
    for (const char *family : families)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family));
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
    const bool wanted = only_family == nullptr || family_of(match) == only_family;
    if (wanted && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
        path != nullptr) {
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        face = FaceFile{reinterpret_cast<const char *>(path), index};
    }
    FcPatternDestroy(match);
    return face;
}

void add_unless_listed(std::vector<FaceCandidate> &candidates, std::optional<FaceFile> file,
                       bool substitute) {
    if (!file) return;
    for (const FaceCandidate &listed : candidates) {
        if (listed.file.path == file->path && listed.file.index == file->index) return;
    }
    candidates.push_back(FaceCandidate{std::move(*file), substitute});
}

}  // namespace

std::vector<FaceCandidate> face_candidates(const FaceQuery &query) {
    std::vector<FaceCandidate> candidates{{bundled_face_file(font_directory(), query), false}};
    const std::string table_family(bundled_face(query).family);
    const char *name = table_family.c_str();
    add_unless_listed(candidates, fontconfig_match(query, {name}, name), false);
    if (query.fixed_pitch)
        add_unless_listed(candidates, fontconfig_match(query, {query.family.c_str()}, nullptr),
                          true);
    else
        add_unless_listed(candidates,
                          fontconfig_match(query, {query.family.c_str(), "Arial"}, nullptr), true);
    return candidates;
}

}  // namespace platform::fonts
