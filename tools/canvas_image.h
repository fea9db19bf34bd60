// canvas_image.h: the package's canvas read back as an RgbImage.
//
// For the tools and the tests that write or compare pictures of what a program drew. Depends on
// the package's internal header (the canvas's memory DC and the graphics window), so it must run
// after VORBL_startup and before VORBL_shutdown, which gives the canvas back.
#pragma once

#include "png_image.h"

namespace vorbl_tools {

// The block of canvas pixels from (x, y), `width` x `height`; pixels outside the canvas are
// black. An empty image when the package has no canvas.
RgbImage canvas_block(int x, int y, int width, int height);

// What a user sees of the canvas: its top-left part, as large as the graphics window's client
// area (the canvas is larger than the client area that the frame and menu bar leave).
RgbImage visible_canvas(void);

}  // namespace vorbl_tools
