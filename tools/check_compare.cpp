// check_compare.cpp: picture and message comparisons for vorbl-check.
//
// Depends on png_image.h (libpng) and <fstream>. A missing actual file counts as a difference:
// the run produced nothing to compare.
#include "check_compare.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "png_image.h"

namespace vorbl_check {

namespace {

using vorbl_tools::RgbImage;

bool read_file(const fs::path &path, std::string *bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    *bytes = content.str();
    return true;
}

std::vector<std::string> lines_of(const std::string &bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string shown(const std::string &line) {
    return "'" + (line.size() > 60 ? line.substr(0, 60) + "..." : line) + "'";
}

// Differing pixels red; agreeing ones the expected picture, faded toward white.
long count_and_draw_differences(const RgbImage &actual, const RgbImage &expected, int channel,
                                RgbImage *difference) {
    long differing = 0;
    *difference = RgbImage(expected.width, expected.height);
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const std::uint8_t *a = actual.pixel(x, y);
            const std::uint8_t *e = expected.pixel(x, y);
            bool same = true;
            for (int c = 0; c < 3; ++c) same = same && std::abs(a[c] - e[c]) <= channel;
            differing += same ? 0 : 1;
            std::uint8_t *d = difference->pixel(x, y);
            for (int c = 0; c < 3; ++c) {
                d[c] = same ? static_cast<std::uint8_t>(192 + e[c] / 4) : (c == 0 ? 255 : 0);
            }
        }
    }
    return differing;
}

}  // namespace

Comparison compare_pictures(const fs::path &actual, const fs::path &expected,
                            PictureTolerance tolerance, const fs::path &difference) {
    RgbImage got, wanted;
    std::string error;
    if (!vorbl_tools::read_png(expected.string(), &wanted, &error)) return {false, error};
    if (actual.empty() || !vorbl_tools::read_png(actual.string(), &got, &error)) {
        return {false, "the program left no picture"};
    }
    if (got.width != wanted.width || got.height != wanted.height) {
        return {false, "picture is " + std::to_string(got.width) + "x" +
                           std::to_string(got.height) + ", expected " +
                           std::to_string(wanted.width) + "x" + std::to_string(wanted.height)};
    }
    RgbImage drawn;
    const long differing = count_and_draw_differences(got, wanted, tolerance.channel, &drawn);
    if (differing <= tolerance.pixels) return {};
    std::string detail = "picture differs in " + std::to_string(differing) + " pixels";
    if (tolerance.pixels > 0) detail += " (tolerance " + std::to_string(tolerance.pixels) + ")";
    if (!vorbl_tools::write_png(difference.string(), drawn, &error))
        return {false, detail + "; " + error};
    return {false, detail};
}

Comparison compare_messages(const fs::path &actual, const fs::path &expected) {
    std::string got, wanted;
    if (!read_file(expected, &wanted)) return {false, "cannot read " + expected.string()};
    if (actual.empty() || !read_file(actual, &got)) got.clear();
    if (got == wanted) return {};
    const std::vector<std::string> got_lines = lines_of(got), wanted_lines = lines_of(wanted);
    for (std::size_t i = 0; i < std::max(got_lines.size(), wanted_lines.size()); ++i) {
        const std::string number = std::to_string(i + 1);
        if (i >= got_lines.size())
            return {false, "message " + number + " missing: expected " + shown(wanted_lines[i])};
        if (i >= wanted_lines.size())
            return {false, "message " + number + " not expected: " + shown(got_lines[i])};
        if (got_lines[i] != wanted_lines[i]) {
            return {false, "message " + number + " is " + shown(got_lines[i]) + ", expected " +
                               shown(wanted_lines[i])};
        }
    }
    return {false, "messages differ in their line ends"};
}

bool messages_start_with(const fs::path &longer, const fs::path &shorter) {
    std::string a, b;
    if (!read_file(longer, &a) || !read_file(shorter, &b)) return false;
    return a.compare(0, b.size(), b) == 0;
}

}  // namespace vorbl_check
