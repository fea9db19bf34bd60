// program_icon.h: the icon the desktop has for the running program, for its windows' frames.
//
// On Windows a window shows its class icon; this package's classes ask for the standard
// application icon, and off Windows that stands for the program's own icon as the desktop knows
// it: the PNG of the program's name in the hicolor icon theme under the prefix it is installed
// in (<prefix>/bin/<name> shows <prefix>/share/icons/hicolor/<n>x<n>/apps/<name>.png). A program
// run from its build directory, or one with no icon installed, has none, and the window manager
// shows its default. Depends on libpng; nothing here knows SDL or X11.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Pixels row by row from the top-left, four bytes each: red, green, blue, alpha.
struct ProgramIcon {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// The icon of the program at `program_path` (as installed: <prefix>/bin/<name>): the first of
// the sizes 64, 128, 48, 256, 32 and 16 that exists and reads as a PNG of at most 512 x 512
// pixels. Returns false, leaving `icon` empty, when there is none.
bool load_program_icon(const std::string &program_path, ProgramIcon *icon);

// The same for the running program (/proc/self/exe).
bool load_running_program_icon(ProgramIcon *icon);

}  // namespace platform
