// font_lookup.h: which font files may serve a face request (the lookup fonts.cpp sizes and
// renders), in the order they are tried.
//
// The platform chooses its faces itself, so text looks the same on every machine and in the
// browser: a fixed table (bundled_fonts.cpp) names one file for each request, below the
// directory of Debian's font packages on the desktop and below /fonts in a page. On the desktop,
// fontconfig is asked only when that file is missing or will not load: first for the table's
// face by its own name (the same face, installed elsewhere), then for the request itself.
//
// Limits: weights are asked for as regular (400) or bold (700) only.
#pragma once

#include <string>
#include <vector>

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

// One file that may serve a request. A substitute is not the face the table chose (fontconfig's
// nearest match for the request): the program says so when it has to draw with one.
struct FaceCandidate {
    FaceFile file;
    bool substitute = false;
};

// The files for a query, best first; fonts.cpp takes the first one FreeType loads.
std::vector<FaceCandidate> face_candidates(const FaceQuery &query);

}  // namespace platform::fonts
