// entry_linux.cpp: the process entry on Linux, shaped like the Windows GUI entry.
//
// Hands game_main the module's instance handle, no previous instance, the command line and
// the normal show mode, and returns its result, or 1 when the display went away while it ran. The
// game reads nothing from the command line; it is passed on only because the entry convention
// carries it. Depends on the platform layer's windows.h (GetModuleHandleA, SW_SHOWNORMAL) and
// game_main.h.
#include <platform_display.h>
#include <windows.h>

#include <string>

#include "game_main.h"

namespace {

// The arguments after the program's name, joined by spaces, as the Windows entry receives them.
std::string command_line_of(int argc, char **argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ' ';
        }
        line += argv[i];
    }
    return line;
}

}  // namespace

int main(int argc, char **argv) {
    std::string command_line = command_line_of(argc, argv);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const int result = game_main(instance, nullptr, command_line.c_str(), SW_SHOWNORMAL);
    // A display lost while the game ran ends it like a quit; the platform has said why.
    return platform_display_failed() ? 1 : result;
}
