// program_icon.cpp: finding and reading the running program's icon in the hicolor theme.
//
// Depends on libpng's simplified interface, which reports errors in its control structure
// instead of jumping out of the caller, and on std::filesystem. A file that is missing, too
// large or not a PNG is passed over; nothing is reported, since a window without its icon is
// still a working window.
#include "host/program_icon.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr int kSizesInOrder[] = {64, 128, 48, 256, 32, 16};
constexpr png_uint_32 kLargestSide = 512;

bool read_rgba_png(const fs::path &path, ProgramIcon *icon) {
    png_image control;
    std::memset(&control, 0, sizeof control);
    control.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&control, path.c_str())) {
        png_image_free(&control);
        return false;
    }
    if (control.width == 0 || control.height == 0 || control.width > kLargestSide ||
        control.height > kLargestSide) {
        png_image_free(&control);
        return false;
    }
    control.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(control));
    if (!png_image_finish_read(&control, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&control);
        return false;
    }
    icon->width = static_cast<int>(control.width);
    icon->height = static_cast<int>(control.height);
    icon->rgba = std::move(pixels);
    return true;
}

}  // namespace

bool load_program_icon(const std::string &program_path, ProgramIcon *icon) {
    *icon = ProgramIcon{};
    const fs::path program(program_path);
    const std::string name = program.filename().string();
    if (name.empty()) return false;
    const fs::path theme = program.parent_path().parent_path() / "share" / "icons" / "hicolor";
    return std::ranges::any_of(kSizesInOrder, [&](int size) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        return read_rgba_png(theme / folder / "apps" / (name + ".png"), icon);
    });
}

bool load_running_program_icon(ProgramIcon *icon) {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        *icon = ProgramIcon{};
        return false;
    }
    return load_program_icon(program.string(), icon);
}

}  // namespace platform
