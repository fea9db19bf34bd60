// run_menu.cpp: the graphics window's menu bar with its one popup, "&Run", and the commands
// its items and the matching Ctrl keys carry out.
//
// Depends on the window system's menu calls and on the event, logging and script flags of the
// other package modules. The "\tCtrl+" parts of the item texts are labels only: the Ctrl keys
// are handled by graphics_window_proc, there is no accelerator table.
#include "package_windows.h"
#include "vorbl_internal.h"

namespace vorbl {

namespace {

struct MenuItem {
    UINT flags;
    UINT_PTR command;
    const char *text;  // null for a separator
};

// The sixteen items of "&Run", in menu order. Logging starts switched on, so its item is
// checked; the four information lines are grayed and never produce a command.
constexpr MenuItem run_menu_items[] = {
    {MF_STRING, CMD_ANIMATE, "&Animate\tCtrl+A"},
    {MF_STRING, CMD_HALT, "&Halt animation\tCtrl+H"},
    {MF_STRING, CMD_ONE_FRAME, "Advance one &frame\tCtrl+F"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_CHECKED, CMD_LOGGING, "&Logging\tCtrl+L"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, CMD_RECORD, "&Record Script\tCtrl+R"},
    {MF_STRING, CMD_PLAYBACK, "&Playback Script\tCtrl+P"},
    {MF_STRING, CMD_PLAY_ONE, "Play &One Script\tCtrl+O"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, CMD_QUIT, "&Quit\tCtrl+Q"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_GRAYED, CMD_INFO, "VORBL package 1.0"},
    {MF_STRING | MF_GRAYED, CMD_INFO, "MAC: see README.md in the project's repository"},
    {MF_STRING | MF_GRAYED, CMD_INFO, "WINDOWS: see README.md in the project's repository"},
    {MF_STRING | MF_GRAYED, CMD_INFO, "UPDATES: the project's issue tracker"},
};

// Logging's check mark always shows logging_on.
void toggle_logging(void) {
    logging_on = logging_on ? 0 : 1;
    CheckMenuItem(run_menu, CMD_LOGGING, logging_on ? MF_CHECKED : MF_UNCHECKED);
}

}  // namespace

void build_run_menu(HWND window) {
    HMENU bar = CreateMenu();
    run_menu = CreatePopupMenu();
    for (const MenuItem &item : run_menu_items) {
        AppendMenuA(run_menu, item.flags, item.command, item.text);
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run_menu), "&Run");
    SetMenu(window, bar);
    DrawMenuBar(window);
}

void run_menu_command(WPARAM command) {
    switch (command) {
        case CMD_ANIMATE: animating = 1; break;
        case CMD_HALT: animating = 0; break;
        case CMD_ONE_FRAME:
            // From the menu one frame halts the animation after it (unlike ANIMATE_ONE_FRAME).
            animating = 0;
            one_frame_pending = 1;
            break;
        case CMD_LOGGING: toggle_logging(); break;
        case CMD_RECORD: script_switch_record(); break;
        case CMD_PLAYBACK: script_switch_playback(); break;
        case CMD_PLAY_ONE: script_switch_play_one(); break;
        case CMD_QUIT: PostQuitMessage(0); break;
        default: break;  // CMD_INFO and unknown identifiers
    }
}

}  // namespace vorbl
