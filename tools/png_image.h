// png_image.h: 24-bit RGB pictures in memory, read from and written to PNG files.
//
// The tools write the canvas as PNG, and the example tests read their reference pictures and
// write what they got. Depends on libpng's simplified interface (png_image_*), which needs no
// setjmp handling from its callers. Limits: RGB only, 8 bits per channel; a file with an alpha
// channel or another depth is converted to that on reading (alpha composed over black).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorbl_tools {

// Pixels row by row from the top-left, three bytes (red, green, blue) per pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0) {}

    std::uint8_t *pixel(int x, int y) {
        return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
    }
    const std::uint8_t *pixel(int x, int y) const {
        return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
    }
};

// Writes `image` as a PNG file at `path`. On failure returns false and says why in `error`.
bool write_png(const std::string &path, const RgbImage &image, std::string *error);

// Reads the PNG file at `path` into `image`. On failure returns false, leaves `image` as it was
// and says why in `error`.
bool read_png(const std::string &path, RgbImage *image, std::string *error);

}  // namespace vorbl_tools
