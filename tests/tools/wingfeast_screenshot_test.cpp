// wingfeast_screenshot_test.cpp: the screenshot tool run as a program: the first picture, the
// picture after a script (the same for the same seed, another for another seed), the icon at
// the desktops' sizes, and clear failures that write nothing and leave no temporary directory.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "png_image.h"

namespace fs = std::filesystem;
using vorbl_tools::RgbImage;

namespace {

constexpr unsigned PLUM = 0x996699, WHITE = 0xFFFFFF, MAGENTA = 0xFF00FF;

class ScreenshotTool : public ::testing::Test {
protected:
    void SetUp() override {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("vorbl_screenshot_test.") + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "tmp");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the tool with `arguments` in the test's directory, TMPDIR inside it; the exit code.
    int tool(const std::string &arguments) {
        const std::string command = "cd '" + dir_.string() + "' && TMPDIR='" +
                                    (dir_ / "tmp").string() + "' '" SCREENSHOT_TOOL "' " +
                                    arguments + " 2>/dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    RgbImage picture(const std::string &name) {
        RgbImage image;
        std::string error;
        EXPECT_TRUE(vorbl_tools::read_png((dir_ / name).string(), &image, &error)) << error;
        return image;
    }

    void write_file(const std::string &name, const std::string &text) {
        std::ofstream(dir_ / name) << text;
    }

    bool temporary_directory_empty() { return fs::is_empty(dir_ / "tmp"); }

    fs::path dir_;
};

unsigned rgb(const RgbImage &image, int x, int y) {
    const std::uint8_t *p = image.pixel(x, y);
    return (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2];
}

// Canvas pixel of a logical point in a picture of the client area (origin at its centre).
unsigned logical(const RgbImage &image, int x, int y) {
    return rgb(image, image.width / 2 + x, image.height / 2 - y);
}

}  // namespace

TEST_F(ScreenshotTool, FirstPictureIsTheInstructionScreenOverTheSky) {
    ASSERT_EQ(tool("first.png"), 0);
    const RgbImage image = picture("first.png");
    EXPECT_LE(image.width, 601) << "only what the client area shows of the 601 x 540 canvas";
    EXPECT_LT(image.height, 540) << "only what the client area shows of the 601 x 540 canvas";
    EXPECT_EQ(logical(image, 0, 140), WHITE) << "the instruction box";
    EXPECT_EQ(logical(image, -280, 230), PLUM) << "the sky beside it";
}

TEST_F(ScreenshotTool, ScriptIsPlayedFromTheStartWithAFixedSeed) {
    // N starts a round and twenty ticks are played: the box is gone, the butterflies fly.
    write_file("round.scr", "VORBL_KBD(110);\nVORBL_PERIODIC(20);\n");
    ASSERT_EQ(tool("--script round.scr --seed 7 a.png"), 0);
    ASSERT_EQ(tool("--script round.scr --seed 7 b.png"), 0);
    ASSERT_EQ(tool("--script round.scr --seed 8 c.png"), 0);
    const RgbImage a = picture("a.png"), b = picture("b.png"), c = picture("c.png");
    EXPECT_NE(logical(a, 0, 140), WHITE) << "the instruction box is gone in a round";
    EXPECT_EQ(a.rgb, b.rgb) << "one seed, one picture";
    EXPECT_NE(a.rgb, c.rgb) << "another seed puts the enemies elsewhere";
    EXPECT_TRUE(temporary_directory_empty());
    EXPECT_FALSE(fs::exists(dir_ / "VORBL.SCR")) << "the script is played elsewhere";
}

TEST_F(ScreenshotTool, IconsAtTheDesktopSizesShowTheButterflyOnTheSky) {
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string name = "icon" + std::to_string(size) + ".png";
        ASSERT_EQ(tool("--icon " + std::to_string(size) + " " + name), 0) << size;
        const RgbImage icon = picture(name);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        EXPECT_EQ(rgb(icon, 0, size - 1), PLUM) << size;
        // Halfway between the centre and the bottom-left corner lies the left wing.
        const int centre = size / 2 - (size >= 32 ? size / 16 : 0);
        EXPECT_EQ(rgb(icon, centre - size / 6, centre + size / 8), MAGENTA) << size;
    }
}

TEST_F(ScreenshotTool, FailuresSaySoAndWriteNothing) {
    EXPECT_EQ(tool("--script missing.scr out.png"), 1);
    EXPECT_EQ(tool("--icon 0 out.png"), 2);
    EXPECT_EQ(tool("--icon 257 out.png"), 2);
    EXPECT_EQ(tool("--seed x out.png"), 2);
    EXPECT_EQ(tool("one.png two.png"), 2);
    EXPECT_FALSE(fs::exists(dir_ / "out.png"));
    EXPECT_EQ(tool("no/such/folder/out.png"), 1);
    EXPECT_TRUE(temporary_directory_empty());
}

// Asking for help is answered, not taken for a file name to write a picture into.
TEST_F(ScreenshotTool, HelpIsAnsweredAndDrawsNothing) {
    EXPECT_EQ(tool("--help"), 0);
    EXPECT_EQ(tool("-h out.png"), 0);
    // The test's directory still holds only the tool's temporary directory, itself empty.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    EXPECT_TRUE(temporary_directory_empty());
}

// The Windows icon file: six entries, 16 to 256 pixels; bitmaps up to 128 (bottom-up BGRA rows,
// the sky in the bottom-left corner), a PNG at 256.
TEST_F(ScreenshotTool, WindowsIconFileHoldsEverySize) {
    ASSERT_EQ(tool("--ico game.ico"), 0);
    std::ifstream stream(dir_ / "game.ico", std::ios::binary);
    const std::string ico((std::istreambuf_iterator<char>(stream)), {});
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(ico.at(at)); };
    const auto u32 = [&](std::size_t at) {
        return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | unsigned{byte(at + 3)} << 24;
    };
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(byte(2), 1) << "an icon, not a cursor";
    ASSERT_EQ(byte(4), 6);
    const int sides[] = {16, 32, 48, 64, 128, 0};  // 0 stands for 256
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(byte(entry), sides[i]);
        const std::size_t offset = u32(entry + 12);
        ASSERT_LE(offset + u32(entry + 8), ico.size()) << i;
        if (sides[i] == 0) {
            EXPECT_EQ(ico.substr(offset + 1, 3), "PNG");
        } else {
            EXPECT_EQ(u32(offset + 8), 2u * sides[i]) << "colour and mask rows";
            // The first stored row is the bottom one; its first pixel is the sky (B, G, R).
            EXPECT_EQ(byte(offset + 40), 0x99);
            EXPECT_EQ(byte(offset + 41), 0x66);
            EXPECT_EQ(byte(offset + 42), 0x99);
        }
    }
    EXPECT_EQ(tool("--ico no/such/folder/game.ico"), 1);
}
