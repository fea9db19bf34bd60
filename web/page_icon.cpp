// page_icon.cpp: the game's icon at one size, written as a binary PPM picture, for the browser
// pages' web app manifest (web/finish_pages.py turns it into PNG). The same picture as the
// desktop's icons (game_icon.h), drawn by the package on the headless host and read back from
// its canvas.
//
//   node page_icon.js SIZE OUTPUT.ppm
//
// Built by Emscripten for Node.js (NODERAWFS: OUTPUT is a file of the machine's) and run at
// build time, since the browser build has no native programs. SIZE is 1 to 256, as the canvas
// holds no larger tile. Exit code 0 on success, 1 when the file cannot be written, 2 for a wrong
// command line.
#include <headless_host.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "canvas_image.h"
#include "game_icon.h"
#include "vorbl.h"
#include "vorbl_internal.h"

namespace {

constexpr int kLargestIcon = 256;

vorbl_tools::RgbImage draw_icon_picture(int size) {
    headless_host_use();
    static char no_arguments[] = "";
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, no_arguments, SW_SHOWNORMAL);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    draw_game_icon(size);
    // The tile's top-left pixel is logical (-size/2, size/2).
    vorbl_tools::RgbImage picture = vorbl_tools::canvas_block(
        vorbl::origin_x - size / 2, vorbl::origin_y - size / 2, size, size);
    VORBL_shutdown();
    return picture;
}

bool write_ppm(const std::string &path, const vorbl_tools::RgbImage &picture) {
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool header = std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height) > 0;
    const bool pixels =
        std::fwrite(picture.rgb.data(), 1, picture.rgb.size(), file) == picture.rgb.size();
    const bool closed = std::fclose(file) == 0;
    return header && pixels && closed;
}

}  // namespace

int main(int argc, char **argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 1 || size > kLargestIcon) {
        std::fputs("usage: page_icon SIZE OUTPUT.ppm (SIZE 1 to 256)\n", stderr);
        return 2;
    }
    const vorbl_tools::RgbImage picture = draw_icon_picture(size);
    if (picture.width != size || !write_ppm(argv[2], picture)) {
        std::fprintf(stderr, "page_icon: could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
