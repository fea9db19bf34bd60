// png_image.cpp: PNG files through libpng's simplified interface.
//
// Depends on libpng 1.6 (png_image_write_to_file, png_image_begin_read_from_file,
// png_image_finish_read). The simplified interface reports errors in the control structure's
// message instead of jumping out of the caller, so these functions are plain C++.
#include "png_image.h"

#include <png.h>

#include <cstring>
#include <utility>

namespace vorbl_tools {

namespace {

png_image blank_control(void) {
    png_image control;
    std::memset(&control, 0, sizeof control);
    control.version = PNG_IMAGE_VERSION;
    return control;
}

void say(std::string *error, const std::string &text) {
    if (error != nullptr) *error = text;
}

}  // namespace

bool write_png(const std::string &path, const RgbImage &image, std::string *error) {
    const std::size_t expected = static_cast<std::size_t>(image.width) * image.height * 3;
    if (image.width <= 0 || image.height <= 0 || image.rgb.size() != expected) {
        say(error, "no picture to write (empty, or its size does not match its pixels)");
        return false;
    }
    png_image control = blank_control();
    control.width = static_cast<png_uint_32>(image.width);
    control.height = static_cast<png_uint_32>(image.height);
    control.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&control, path.c_str(), 0, image.rgb.data(), 0, nullptr)) {
        say(error, std::string("cannot write ") + path + ": " + control.message);
        png_image_free(&control);
        return false;
    }
    return true;
}

bool read_png(const std::string &path, RgbImage *image, std::string *error) {
    png_image control = blank_control();
    if (!png_image_begin_read_from_file(&control, path.c_str())) {
        say(error, std::string("cannot read ") + path + ": " + control.message);
        png_image_free(&control);
        return false;
    }
    control.format = PNG_FORMAT_RGB;
    RgbImage read(static_cast<int>(control.width), static_cast<int>(control.height));
    if (read.rgb.size() != PNG_IMAGE_SIZE(control)) {
        say(error, std::string("unexpected picture layout in ") + path);
        png_image_free(&control);
        return false;
    }
    if (!png_image_finish_read(&control, nullptr, read.rgb.data(), 0, nullptr)) {
        say(error, std::string("cannot decode ") + path + ": " + control.message);
        png_image_free(&control);
        return false;
    }
    *image = std::move(read);
    return true;
}

}  // namespace vorbl_tools
