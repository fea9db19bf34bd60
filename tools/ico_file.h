// ico_file.h: Windows icon files (.ico) holding one picture at several sizes.
//
// The Windows build links the game's icon into the executable's resources (windres reads an
// .ico), so that Explorer and the taskbar show it. Pictures up to 128 pixels are stored as
// 32-bit device-independent bitmaps, which every Windows version reads; the 256-pixel one as a
// PNG, as Windows keeps that size. Depends on png_image.h (the pictures) and libpng's simplified
// writer. Limits: square pictures of 1 to 256 pixels, fully opaque (the pictures are RGB).
#pragma once

#include <string>
#include <vector>

#include "png_image.h"

namespace vorbl_tools {

// Writes `pictures` (square, 1 to 256 pixels a side, at most 16 of them) into one .ico file at
// `path`. On failure returns false, says why in `error`, and leaves no file behind.
bool write_ico(const std::string &path, const std::vector<RgbImage> &pictures, std::string *error);

}  // namespace vorbl_tools
