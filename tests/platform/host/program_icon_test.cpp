// program_icon_test.cpp: a program's icon is found in the hicolor theme under its prefix, at the
// preferred size, with its pixels; a missing, broken or oversized icon gives none.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/program_icon.h"
#include "png_image.h"

namespace fs = std::filesystem;
using platform::ProgramIcon;

namespace {

class ProgramIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        prefix_ = fs::temp_directory_path() / (std::string("vorbl_icon_test.") + info->name());
        fs::remove_all(prefix_);
        fs::create_directories(prefix_ / "bin");
    }
    void TearDown() override { fs::remove_all(prefix_); }

    fs::path icon_path(int size) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const fs::path dir = prefix_ / "share/icons/hicolor" / folder / "apps";
        fs::create_directories(dir);
        return dir / "game.png";
    }

    // A square icon of one colour.
    void install_icon(int size, std::uint8_t red) {
        vorbl_tools::RgbImage image(size, size);
        for (std::size_t i = 0; i < image.rgb.size(); i += 3) image.rgb[i] = red;
        std::string error;
        ASSERT_TRUE(vorbl_tools::write_png(icon_path(size).string(), image, &error)) << error;
    }

    std::string program() const { return (prefix_ / "bin" / "game").string(); }

    fs::path prefix_;
};

}  // namespace

TEST_F(ProgramIconTest, TheSixtyFourPixelIconIsPreferredAndReadWithItsPixels) {
    install_icon(16, 10);
    install_icon(128, 20);
    install_icon(64, 30);
    ProgramIcon icon;
    ASSERT_TRUE(platform::load_program_icon(program(), &icon));
    EXPECT_EQ(icon.width, 64);
    EXPECT_EQ(icon.height, 64);
    ASSERT_EQ(icon.rgba.size(), 64u * 64u * 4u);
    EXPECT_EQ(icon.rgba[0], 30);   // red
    EXPECT_EQ(icon.rgba[1], 0);    // green
    EXPECT_EQ(icon.rgba[3], 255);  // opaque
}

TEST_F(ProgramIconTest, WithoutThePreferredSizesASmallerOneServes) {
    install_icon(16, 40);
    ProgramIcon icon;
    ASSERT_TRUE(platform::load_program_icon(program(), &icon));
    EXPECT_EQ(icon.width, 16);
    EXPECT_EQ(icon.rgba[0], 40);
}

TEST_F(ProgramIconTest, MissingBrokenOrOversizedIconsGiveNone) {
    ProgramIcon icon;
    EXPECT_FALSE(platform::load_program_icon(program(), &icon)) << "nothing installed";
    std::ofstream(icon_path(64)) << "not a PNG";
    EXPECT_FALSE(platform::load_program_icon(program(), &icon)) << "a broken file";
    fs::remove(icon_path(64));
    vorbl_tools::RgbImage huge(600, 600);
    std::string error;
    ASSERT_TRUE(vorbl_tools::write_png(icon_path(256).string(), huge, &error)) << error;
    EXPECT_FALSE(platform::load_program_icon(program(), &icon)) << "larger than 512 pixels";
    EXPECT_TRUE(icon.rgba.empty());
    EXPECT_FALSE(platform::load_program_icon("", &icon));
}
