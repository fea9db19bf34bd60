// check_compare.h: comparing what a run produced with what a case expects.
//
// Pictures compare pixel by pixel, exactly: a pixel differs when any channel differs (or, with a
// channel tolerance, differs by more than it, for text drawn by another version of FreeType). A
// check may allow a number of differing pixels (the tolerance). Messages compare byte for byte; the
// first line that differs is named. Depends on png_image.h (the tools' RGB pictures).
#pragma once

#include <filesystem>
#include <string>

namespace vorbl_check {

namespace fs = std::filesystem;

struct Comparison {
    bool same = true;
    std::string detail;  // why not, in a few words, when not the same
};

struct PictureTolerance {
    long pixels = 0;  // pixels that may differ
    int channel = 0;  // how far a channel may be off before its pixel differs
};

// Compares the pictures; when they differ beyond the tolerance, writes `difference` (the
// differing pixels red, the others the expected picture faded).
Comparison compare_pictures(const fs::path &actual, const fs::path &expected,
                            PictureTolerance tolerance, const fs::path &difference);

// Compares the two files of messages, byte for byte.
Comparison compare_messages(const fs::path &actual, const fs::path &expected);

// Whether `longer` starts with every byte of `shorter` (reading both).
bool messages_start_with(const fs::path &longer, const fs::path &shorter);

}  // namespace vorbl_check
