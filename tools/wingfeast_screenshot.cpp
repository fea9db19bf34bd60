// wingfeast_screenshot.cpp: the game's first picture, drawn headless and written as a PPM file.
//
// Runs the package on the headless host and draws what the game shows before its first wait:
// the night scene with both kinds of butterfly parked, the panel, then the instruction screen
// and the panel again, with the start-up settings. Writes the part of the 601 x 540 canvas that
// the graphics window's client area shows, as a binary PPM (P6), to the path given as the only
// argument (default "wingfeast.ppm"); ImageMagick's
// `convert wingfeast.ppm wingfeast.png` makes a PNG of it. Depends on the game library and the
// package's internal header (for the canvas). Returns 0 on success, 1 when the file fails.
#include <headless_host.h>

#include <cstdio>

#include "game_main.h"
#include "instruction_screen.h"
#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

void draw_first_picture(void) {
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    const GameState state = startup_state();
    draw_start_screen(state);
    draw_instructions(state.enemy_last, state.enemy_speed);
    draw_panel();
}

// What a player sees of the canvas: its top-left part, as large as the client area.
SIZE visible_size(void) {
    RECT client{};
    GetClientRect(graphics_hwnd, &client);
    const int width = client.right > 0 && client.right < CANVAS_WIDTH ? client.right : CANVAS_WIDTH;
    const int height =
        client.bottom > 0 && client.bottom < CANVAS_HEIGHT ? client.bottom : CANVAS_HEIGHT;
    return {width, height};
}

bool write_canvas_ppm(const char *path, SIZE size) {
    std::FILE *file = std::fopen(path, "wb");
    if (!file) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", static_cast<int>(size.cx), static_cast<int>(size.cy));
    bool written = true;
    for (int y = 0; y < size.cy && written; ++y) {
        for (int x = 0; x < size.cx && written; ++x) {
            const COLORREF color = GetPixel(canvas_dc, x, y);
            const unsigned char rgb[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
            written = std::fwrite(rgb, 1, sizeof rgb, file) == sizeof rgb;
        }
    }
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char **argv) {
    const char *path = argc > 1 ? argv[1] : "wingfeast.ppm";
    headless_host_use();
    static char no_arguments[] = "";
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, no_arguments, SW_SHOWNORMAL);
    draw_first_picture();
    const bool saved = write_canvas_ppm(path, visible_size());
    VORBL_shutdown();
    if (!saved) {
        std::fprintf(stderr, "wingfeast_screenshot: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
