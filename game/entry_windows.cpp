// entry_windows.cpp: the process entry on Windows, the GUI entry that hands over to game_main.
//
// Depends on the real windows.h and game_main.h; compiled only in the Windows build.
#include <windows.h>

#include "game_main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    return game_main(instance, previous_instance, command_line, show_mode);
}
