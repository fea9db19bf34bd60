// canvas_image.cpp: reading the package's canvas pixel by pixel.
//
// Depends on the package's internal state (canvas_dc, graphics_hwnd) and on GetPixel and
// GetClientRect from the window system. A full canvas is about 320 000 GetPixel calls, a few
// milliseconds: fine for pictures and tests, not meant for every frame.
#include "canvas_image.h"

#include "vorbl_internal.h"

namespace vorbl_tools {

RgbImage canvas_block(int x, int y, int width, int height) {
    if (vorbl::canvas_dc == nullptr || width <= 0 || height <= 0) return {};
    RgbImage image(width, height);
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const COLORREF color = GetPixel(vorbl::canvas_dc, x + col, y + row);
            if (color == CLR_INVALID) continue;  // outside the canvas: stays black
            std::uint8_t *out = image.pixel(col, row);
            out[0] = GetRValue(color);
            out[1] = GetGValue(color);
            out[2] = GetBValue(color);
        }
    }
    return image;
}

RgbImage visible_canvas(void) {
    RECT client{};
    GetClientRect(vorbl::graphics_hwnd, &client);
    const int width =
        client.right > 0 && client.right < vorbl::CANVAS_WIDTH ? client.right : vorbl::CANVAS_WIDTH;
    const int height = client.bottom > 0 && client.bottom < vorbl::CANVAS_HEIGHT
                           ? client.bottom
                           : vorbl::CANVAS_HEIGHT;
    return canvas_block(0, 0, width, height);
}

}  // namespace vorbl_tools
