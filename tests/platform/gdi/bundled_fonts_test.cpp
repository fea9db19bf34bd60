// bundled_fonts_test.cpp: the browser's face table gives every face request the package and the
// platform make the same font file as the desktop's fontconfig lookup, and names exactly the
// files the pages bundle. Needs fonts-dejavu-core and fonts-liberation2 (as the build does).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "gdi/bundled_fonts.h"
#include "gdi/font_lookup.h"

using platform::fonts::bundled_face_file;
using platform::fonts::bundled_font_files;
using platform::fonts::FaceQuery;
using platform::fonts::find_face_file;

namespace {

const std::string kDebianFonts = VORBL_FONT_SOURCE_DIR;

std::string describe(const FaceQuery &query) {
    std::ostringstream text;
    text << '"' << query.family << "\" weight " << query.weight
         << (query.fixed_pitch ? " fixed" : " variable");
    return text.str();
}

}  // namespace

// The requests made today: the drawn texts ("VORBL-font", an unknown face), the menus
// ("DejaVu Sans"), the stock fonts ("sans-serif" regular and bold, "monospace"), and the bold
// and named variants a program may ask for.
TEST(BundledFonts, GiveTheFileFontconfigGivesOnTheDesktop) {
    const std::vector<FaceQuery> requests = {{"VORBL-font", 400, false, false},
                                             {"VORBL-font", 700, false, false},
                                             {"DejaVu Sans", 400, false, false},
                                             {"sans-serif", 400, false, false},
                                             {"sans-serif", 700, false, false},
                                             {"monospace", 400, false, true},
                                             {"monospace", 700, false, true},
                                             {"Arial", 400, false, false},
                                             {"arial", 700, false, false},
                                             {"Liberation Sans", 400, false, false},
                                             {"DejaVu Sans Mono", 400, false, true},
                                             {"sans", 400, false, false},
                                             {"mono", 400, false, true},
                                             {"Unknown Mono", 400, false, true}};
    for (const FaceQuery &query : requests) {
        const auto desktop = find_face_file(query);
        ASSERT_TRUE(desktop.has_value()) << describe(query);
        EXPECT_EQ(bundled_face_file(kDebianFonts, query).path, desktop->path) << describe(query);
    }
}

TEST(BundledFonts, NameExactlyTheFilesThePagesBundle) {
    std::vector<std::string> table = bundled_font_files();
    std::vector<std::string> bundled;
    std::istringstream list(VORBL_BUNDLED_FONTS);
    for (std::string file; std::getline(list, file, ',');) bundled.push_back(file);
    std::sort(table.begin(), table.end());
    std::sort(bundled.begin(), bundled.end());
    EXPECT_EQ(table, bundled);
    for (const std::string &file : bundled) {
        EXPECT_TRUE(std::filesystem::is_regular_file(kDebianFonts + "/" + file)) << file;
    }
}

TEST(BundledFonts, JoinTheDirectoryWithOneSlash) {
    const FaceQuery menu{"DejaVu Sans", 400, false, false};
    EXPECT_EQ(bundled_face_file("/fonts", menu).path, "/fonts/dejavu/DejaVuSans.ttf");
    EXPECT_EQ(bundled_face_file("/fonts/", menu).path, "/fonts/dejavu/DejaVuSans.ttf");
}
