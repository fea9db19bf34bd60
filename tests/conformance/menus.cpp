// menus.cpp: the menu calls: building a bar with a popup (strings, a separator, checked and
// grayed items), counting and reading items, GetMenuState of every kind of item,
// CheckMenuItem and EnableMenuItem with their previous states, SetMenu and GetMenu, and every
// call with bad, destroyed and wrong-kind handles.
//
// Depends on: trace.h, canvas.h (the hidden window). Prints a trace on standard output.
#include "canvas.h"
#include "trace.h"

namespace {

constexpr UINT kAnimate = 101, kHalt = 102, kLog = 103, kQuit = 104;

struct Menus {
    HMENU bar = nullptr;
    HMENU run = nullptr;
};

Menus build() {
    trace::section("build");
    Menus menus;
    menus.bar = CreateMenu();
    menus.run = CreatePopupMenu();
    trace::value("CreateMenu", "%s", trace::null_or_handle(menus.bar));
    trace::value("CreatePopupMenu", "%s", trace::null_or_handle(menus.run));
    trace::value("append animate", "%d",
                 AppendMenuA(menus.run, MF_STRING, kAnimate, "&Animate\tCtrl+A"));
    trace::value("append halt", "%d",
                 AppendMenuA(menus.run, MF_STRING | MF_CHECKED, kHalt, "&Halt\tCtrl+H"));
    trace::value("append separator", "%d", AppendMenuA(menus.run, MF_SEPARATOR, 0, nullptr));
    trace::value("append log", "%d", AppendMenuA(menus.run, MF_STRING | MF_GRAYED, kLog, "&Log"));
    trace::value("append quit", "%d",
                 AppendMenuA(menus.run, MF_STRING | MF_DISABLED, kQuit, "&Quit"));
    trace::value("append popup", "%d",
                 AppendMenuA(menus.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menus.run), "&Run"));
    return menus;
}

void read_items(const Menus &menus) {
    trace::section("items");
    trace::value("bar count", "%d", GetMenuItemCount(menus.bar));
    trace::value("run count", "%d", GetMenuItemCount(menus.run));
    for (int position = -1; position <= 5; ++position) {
        char key[32];
        std::snprintf(key, sizeof key, "run id at %d", position);
        trace::value(key, "%d", static_cast<int>(GetMenuItemID(menus.run, position)));
    }
    trace::value("bar id of popup", "%d", static_cast<int>(GetMenuItemID(menus.bar, 0)));
    trace::value("GetSubMenu 0 is run", "%d", GetSubMenu(menus.bar, 0) == menus.run);
    trace::value("GetSubMenu 1", "%s", trace::null_or_handle(GetSubMenu(menus.bar, 1)));
    trace::value("GetSubMenu of a command", "%s", trace::null_or_handle(GetSubMenu(menus.run, 0)));
    char text[64];
    trace::value("string by command", "%d",
                 GetMenuStringA(menus.run, kHalt, text, sizeof text, MF_BYCOMMAND));
    trace::value("string by command text", "%s", text);
    trace::value("string by position", "%d",
                 GetMenuStringA(menus.bar, 0, text, sizeof text, MF_BYPOSITION));
    trace::value("string by position text", "%s", text);
    trace::value("string length only", "%d",
                 GetMenuStringA(menus.run, kAnimate, nullptr, 0, MF_BYCOMMAND));
    trace::value("string short buffer", "%d",
                 GetMenuStringA(menus.run, kAnimate, text, 4, MF_BYCOMMAND));
    trace::value("string short buffer text", "%s", text);
    trace::value("string of separator", "%d",
                 GetMenuStringA(menus.run, 2, text, sizeof text, MF_BYPOSITION));
    trace::value("string of missing", "%d",
                 GetMenuStringA(menus.run, 999, text, sizeof text, MF_BYCOMMAND));
}

void states(const Menus &menus) {
    trace::section("GetMenuState");
    for (int position = 0; position <= 5; ++position) {
        char key[32];
        std::snprintf(key, sizeof key, "run position %d", position);
        trace::value(key, "%x", GetMenuState(menus.run, position, MF_BYPOSITION));
    }
    trace::value("by command halt", "%x", GetMenuState(menus.run, kHalt, MF_BYCOMMAND));
    trace::value("by command missing", "%x", GetMenuState(menus.run, 999, MF_BYCOMMAND));
    trace::value("bar popup", "%x", GetMenuState(menus.bar, 0, MF_BYPOSITION));
    trace::value("nested search from bar", "%x", GetMenuState(menus.bar, kLog, MF_BYCOMMAND));

    trace::section("CheckMenuItem");
    trace::value("check animate", "%ld",
                 static_cast<long>(static_cast<LONG>(
                     CheckMenuItem(menus.run, kAnimate, MF_BYCOMMAND | MF_CHECKED))));
    trace::value(
        "check animate again", "%ld",
        static_cast<long>(static_cast<LONG>(CheckMenuItem(menus.run, kAnimate, MF_CHECKED))));
    trace::value(
        "uncheck halt", "%ld",
        static_cast<long>(static_cast<LONG>(CheckMenuItem(menus.run, kHalt, MF_UNCHECKED))));
    trace::value("check by position", "%ld",
                 static_cast<long>(
                     static_cast<LONG>(CheckMenuItem(menus.run, 3, MF_BYPOSITION | MF_CHECKED))));
    trace::value("check missing", "%ld",
                 static_cast<long>(static_cast<LONG>(CheckMenuItem(menus.run, 999, MF_CHECKED))));
    trace::value("check through bar", "%ld",
                 static_cast<long>(static_cast<LONG>(CheckMenuItem(menus.bar, kQuit, MF_CHECKED))));
    trace::value("state animate", "%x", GetMenuState(menus.run, kAnimate, MF_BYCOMMAND));
    trace::value("state quit", "%x", GetMenuState(menus.run, kQuit, MF_BYCOMMAND));

    trace::section("EnableMenuItem");
    trace::value("gray animate", "%d",
                 EnableMenuItem(menus.run, kAnimate, MF_BYCOMMAND | MF_GRAYED));
    trace::value("enable animate", "%d", EnableMenuItem(menus.run, kAnimate, MF_ENABLED));
    trace::value("enable log", "%d", EnableMenuItem(menus.run, kLog, MF_ENABLED));
    trace::value("disable log", "%d", EnableMenuItem(menus.run, kLog, MF_DISABLED));
    trace::value("enable quit", "%d", EnableMenuItem(menus.run, kQuit, MF_ENABLED));
    trace::value("gray by position", "%d", EnableMenuItem(menus.run, 1, MF_BYPOSITION | MF_GRAYED));
    trace::value("missing", "%d", EnableMenuItem(menus.run, 999, MF_GRAYED));
    trace::value("through bar", "%d", EnableMenuItem(menus.bar, kHalt, MF_ENABLED));
    trace::value("state log", "%x", GetMenuState(menus.run, kLog, MF_BYCOMMAND));
    trace::value("state halt", "%x", GetMenuState(menus.run, kHalt, MF_BYCOMMAND));
}

void window_menu(const Menus &menus) {
    trace::section("SetMenu");
    HWND window = conformance::hidden_window("menus");
    trace::value("GetMenu before", "%s", trace::null_or_handle(GetMenu(window)));
    trace::value("SetMenu", "%d", SetMenu(window, menus.bar));
    trace::value("GetMenu is bar", "%d", GetMenu(window) == menus.bar);
    trace::value("DrawMenuBar", "%d", DrawMenuBar(window));
    trace::value("SetMenu none", "%d", SetMenu(window, nullptr));
    trace::value("GetMenu after", "%s", trace::null_or_handle(GetMenu(window)));
    trace::value("SetMenu null window", "%d", SetMenu(nullptr, menus.bar));
    DestroyWindow(window);
}

void bad_handles(const Menus &menus) {
    trace::section("bad handles");
    HMENU gone = CreatePopupMenu();
    DestroyMenu(gone);
    HMENU window_as_menu = reinterpret_cast<HMENU>(conformance::hidden_window("not a menu"));
    const HMENU bad[] = {nullptr, gone, window_as_menu};
    const char *names[] = {"null", "destroyed", "window"};
    for (int i = 0; i < 3; ++i) {
        char key[64];
        char text[16];
        std::snprintf(key, sizeof key, "%s count", names[i]);
        trace::value(key, "%d", GetMenuItemCount(bad[i]));
        std::snprintf(key, sizeof key, "%s id", names[i]);
        trace::value(key, "%d", static_cast<int>(GetMenuItemID(bad[i], 0)));
        std::snprintf(key, sizeof key, "%s append", names[i]);
        trace::value(key, "%d", AppendMenuA(bad[i], MF_STRING, 1, "x"));
        std::snprintf(key, sizeof key, "%s state", names[i]);
        trace::value(key, "%x", GetMenuState(bad[i], 0, MF_BYPOSITION));
        std::snprintf(key, sizeof key, "%s check", names[i]);
        trace::value(key, "%ld",
                     static_cast<long>(static_cast<LONG>(CheckMenuItem(bad[i], 0, MF_BYPOSITION))));
        std::snprintf(key, sizeof key, "%s enable", names[i]);
        trace::value(key, "%d", EnableMenuItem(bad[i], 0, MF_BYPOSITION));
        std::snprintf(key, sizeof key, "%s string", names[i]);
        trace::value(key, "%d", GetMenuStringA(bad[i], 0, text, sizeof text, MF_BYPOSITION));
        std::snprintf(key, sizeof key, "%s submenu", names[i]);
        trace::value(key, "%s", trace::null_or_handle(GetSubMenu(bad[i], 0)));
        std::snprintf(key, sizeof key, "%s destroy", names[i]);
        trace::value(key, "%d", DestroyMenu(bad[i]));
    }
    DestroyWindow(reinterpret_cast<HWND>(window_as_menu));
    trace::value("append popup of a destroyed menu", "%d",
                 AppendMenuA(menus.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(gone), "&Gone"));
    trace::value("destroy bar", "%d", DestroyMenu(menus.bar));
    trace::value("run destroyed with it", "%d", GetMenuItemCount(menus.run));
}

}  // namespace

int main() {
    const Menus menus = build();
    read_items(menus);
    states(menus);
    window_menu(menus);
    bad_handles(menus);
    return 0;
}
