// font_lookup.h: which font file serves a face request (the lookup fonts.cpp sizes and renders).
//
// One implementation is built per host: on the desktop fontconfig matches the request against
// the machine's fonts (font_lookup_fontconfig.cpp); in the browser a fixed table maps it to the
// font files bundled with the page (font_lookup_bundled.cpp). Both must agree for the faces the
// package and the platform ask for, so text is laid out alike everywhere.
//
// Limits: weights are asked for as regular (400) or bold (700) only.
#pragma once

#include <optional>
#include <string>

namespace platform::fonts {

// A face: the file that holds it and its index inside that file.
struct FaceFile {
    std::string path;
    int index = 0;
};

// What fonts.cpp asks for: a family name (never empty: "sans-serif" or "monospace" stand for the
// defaults), a weight of 400 or 700, the slant and whether a fixed-pitch face was requested.
struct FaceQuery {
    std::string family;
    int weight = 400;
    bool italic = false;
    bool fixed_pitch = false;
};

// The face file for a query, or nullopt when no face is available.
std::optional<FaceFile> find_face_file(const FaceQuery &query);

}  // namespace platform::fonts
