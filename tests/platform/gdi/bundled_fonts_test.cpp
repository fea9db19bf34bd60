// bundled_fonts_test.cpp: the platform's face table gives every face request the file it was
// chosen to give, the same on the desktop and in a page whatever fontconfig would answer, and
// names exactly the files the pages bundle. Needs fonts-dejavu-core and fonts-liberation2 (as
// the build does).
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
using platform::fonts::face_candidates;
using platform::fonts::FaceQuery;

namespace {

const std::string kDebianFonts = VORBL_FONT_SOURCE_DIR;

std::string describe(const FaceQuery &query) {
    std::ostringstream text;
    text << '"' << query.family << "\" weight " << query.weight
         << (query.fixed_pitch ? " fixed" : " variable");
    return text.str();
}

}  // namespace

// The requests made today (the drawn texts ask for "VORBL-font", a face nobody has; the menus for
// "DejaVu Sans"; the stock fonts for "sans-serif" and "monospace") and the Windows faces a
// program may name. The desktop tries the table's file first, before fontconfig, which on a
// machine with other font packages answers these names with other faces.
TEST(BundledFonts, EveryRequestGetsItsChosenFileOnTheDesktopAndInThePage) {
    struct Case {
        FaceQuery query;
        const char *file;
    };
    const std::vector<Case> cases = {
        {{"VORBL-font", 400, false, false}, "liberation2/LiberationSans-Regular.ttf"},
        {{"VORBL-font", 700, false, false}, "liberation2/LiberationSans-Bold.ttf"},
        {{"DejaVu Sans", 400, false, false}, "dejavu/DejaVuSans.ttf"},
        {{"sans-serif", 400, false, false}, "liberation2/LiberationSans-Regular.ttf"},
        {{"sans-serif", 700, false, false}, "liberation2/LiberationSans-Bold.ttf"},
        {{"monospace", 400, false, true}, "dejavu/DejaVuSansMono.ttf"},
        {{"monospace", 700, false, true}, "dejavu/DejaVuSansMono-Bold.ttf"},
        {{"mono", 400, false, true}, "dejavu/DejaVuSansMono.ttf"},
        {{"DejaVu Sans Mono", 400, false, true}, "dejavu/DejaVuSansMono.ttf"},
        {{"arial", 700, false, false}, "liberation2/LiberationSans-Bold.ttf"},
        {{"Times New Roman", 400, false, false}, "liberation2/LiberationSerif-Regular.ttf"},
        {{"serif", 700, false, false}, "liberation2/LiberationSerif-Bold.ttf"},
        {{"Courier New", 400, false, true}, "liberation2/LiberationMono-Regular.ttf"},
        {{"Unknown Mono", 700, false, true}, "liberation2/LiberationMono-Bold.ttf"},
        {{"Liberation Sans", 400, true, false}, "liberation2/LiberationSans-Regular.ttf"},
    };
    for (const Case &c : cases) {
        const auto candidates = face_candidates(c.query);
        ASSERT_FALSE(candidates.empty()) << describe(c.query);
        EXPECT_EQ(candidates.front().file.path, kDebianFonts + "/" + c.file) << describe(c.query);
        EXPECT_FALSE(candidates.front().substitute) << describe(c.query);
        EXPECT_EQ(bundled_face_file("/fonts", c.query).path, std::string("/fonts/") + c.file)
            << describe(c.query);
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
