// user_messages.cpp: the window system's messages: what a window procedure receives while a
// window is created (plain, and with SetMenu inside WM_CREATE), shown, painted and destroyed;
// the retrieval order of posted messages, the quit message, painting and timers; merged
// invalidations; PeekMessage; TranslateMessage's characters; DefWindowProc's WM_CLOSE; FindWindowA
// and MoveWindow; and the calls with bad and destroyed window handles.
//
// Depends on: trace.h. Prints a trace on standard output (see trace.h). Only the messages the
// platform layer can send are logged, each with the parameters that carry information.
#include <cstring>

#include "trace.h"

namespace {

bool logging = false;
bool menu_in_create = false;

const char *message_name(UINT message) {
    switch (message) {
        case WM_NCCREATE: return "WM_NCCREATE";
        case WM_CREATE: return "WM_CREATE";
        case WM_SIZE: return "WM_SIZE";
        case WM_MOVE: return "WM_MOVE";
        case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
        case WM_ACTIVATE: return "WM_ACTIVATE";
        case WM_SETFOCUS: return "WM_SETFOCUS";
        case WM_KILLFOCUS: return "WM_KILLFOCUS";
        case WM_ERASEBKGND: return "WM_ERASEBKGND";
        case WM_PAINT: return "WM_PAINT";
        case WM_TIMER: return "WM_TIMER";
        case WM_CLOSE: return "WM_CLOSE";
        case WM_DESTROY: return "WM_DESTROY";
        case WM_NCDESTROY: return "WM_NCDESTROY";
        case WM_COMMAND: return "WM_COMMAND";
        case WM_KEYDOWN: return "WM_KEYDOWN";
        case WM_CHAR: return "WM_CHAR";
        case WM_QUIT: return "WM_QUIT";
        default: return message >= WM_USER && message < WM_USER + 100 ? "WM_USER+n" : nullptr;
    }
}

// The parameters worth comparing: sizes, positions, flags and ids, never handles or pointers.
void log_message(const char *who, UINT message, WPARAM wparam, LPARAM lparam) {
    const char *name = message_name(message);
    if (!logging || name == nullptr) return;
    switch (message) {
        case WM_SIZE:
        case WM_MOVE:
            trace::value(who, "%s %lu %d,%d", name, static_cast<unsigned long>(wparam),
                         static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
            break;
        case WM_SHOWWINDOW:
        case WM_TIMER:
        case WM_QUIT:
        case WM_KEYDOWN:
        case WM_CHAR: trace::value(who, "%s %lu", name, static_cast<unsigned long>(wparam)); break;
        case WM_ACTIVATE: trace::value(who, "%s %u", name, LOWORD(wparam)); break;
        default:
            if (message >= WM_USER)
                trace::value(who, "WM_USER+%u %lu", message - WM_USER,
                             static_cast<unsigned long>(wparam));
            else
                trace::value(who, "%s", name);
    }
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    std::memset(&ps, 0, sizeof ps);
    HDC dc = BeginPaint(window, &ps);
    if (logging)
        trace::value("BeginPaint", "%s rcPaint %ld,%ld,%ld,%ld erase %d", trace::null_or_handle(dc),
                     static_cast<long>(ps.rcPaint.left), static_cast<long>(ps.rcPaint.top),
                     static_cast<long>(ps.rcPaint.right), static_cast<long>(ps.rcPaint.bottom),
                     ps.fErase);
    EndPaint(window, &ps);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    log_message("received", message, wparam, lparam);
    if (message == WM_CREATE && menu_in_create) {
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_STRING, 1, "&Run");
        SetMenu(window, bar);
    }
    if (message == WM_PAINT) {
        paint(window);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void register_class() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "ConformanceMessages";
    RegisterClassA(&wc);
}

HWND create(const char *title) {
    return CreateWindowExA(0, "ConformanceMessages", title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                           10, 20, 601, 540, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void print_rects(HWND window) {
    RECT client{}, outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    trace::value("client", "%ld,%ld,%ld,%ld", static_cast<long>(client.left),
                 static_cast<long>(client.top), static_cast<long>(client.right),
                 static_cast<long>(client.bottom));
    trace::value("window size", "%ldx%ld", static_cast<long>(outer.right - outer.left),
                 static_cast<long>(outer.bottom - outer.top));
}

HWND creation() {
    trace::section("create overlapped window");
    logging = true;
    HWND window = create("VORBL Graphics");
    logging = false;
    trace::value("created", "%s", trace::null_or_handle(window));
    print_rects(window);

    trace::section("create with SetMenu in WM_CREATE");
    menu_in_create = true;
    logging = true;
    HWND with_menu = create("with menu");
    logging = false;
    menu_in_create = false;
    print_rects(with_menu);
    DestroyWindow(with_menu);

    trace::section("show window");
    logging = true;
    trace::value("ShowWindow first", "%d", ShowWindow(window, SW_SHOW) != 0 ? 1 : 0);
    trace::value("UpdateWindow", "%d", UpdateWindow(window));
    trace::value("ShowWindow again", "%d", ShowWindow(window, SW_SHOW) != 0 ? 1 : 0);
    logging = false;
    trace::value("IsWindowVisible", "%d", IsWindowVisible(window) != 0 ? 1 : 0);
    return window;
}

// Retrieve and dispatch until nothing is left to do, logging each message as it is retrieved.
void drain(int limit) {
    MSG msg;
    for (int i = 0; i < limit; ++i) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            trace::value("GetMessageA", "0 WM_QUIT %lu", static_cast<unsigned long>(msg.wParam));
            continue;
        }
        log_message("retrieved", msg.message, msg.wParam, msg.lParam);
        DispatchMessageA(&msg);
        if (msg.message == WM_TIMER) return;
    }
}

void queue_order(HWND window) {
    trace::section("queue order");
    // Let the window settle (its first paint, any show-time messages) before the test.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    logging = true;
    trace::value("SetTimer", "%lu", static_cast<unsigned long>(SetTimer(window, 5, 10, nullptr)));
    trace::value("InvalidateRect", "%d", InvalidateRect(window, nullptr, TRUE));
    for (WPARAM i = 1; i <= 3; ++i) PostMessageA(window, WM_USER + 1, i, 0);
    PostQuitMessage(7);
    PostMessageA(window, WM_USER + 2, 4, 0);
    drain(12);
    trace::value("KillTimer", "%d", KillTimer(window, 5));
    trace::value("KillTimer again", "%d", KillTimer(window, 5));
    logging = false;
}

void paint_merging(HWND window) {
    trace::section("invalidations merge");
    logging = true;
    const RECT a{2, 3, 10, 8}, b{20, 5, 30, 12};
    InvalidateRect(window, &a, FALSE);
    InvalidateRect(window, &b, FALSE);
    MSG msg;
    int retrieved = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        log_message("peeked", msg.message, msg.wParam, msg.lParam);
        DispatchMessageA(&msg);
        ++retrieved;
    }
    trace::value("messages", "%d", retrieved);
    InvalidateRect(window, &a, TRUE);
    trace::value("ValidateRect", "%d", ValidateRect(window, nullptr));
    trace::value("after ValidateRect", "%d", PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    logging = false;

    trace::section("PeekMessage");
    PostMessageA(window, WM_USER + 9, 9, 0);
    trace::value("PM_NOREMOVE", "%d", PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    trace::value("PM_NOREMOVE message", "%u", msg.message - WM_USER);
    trace::value("PM_REMOVE", "%d", PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    trace::value("PM_REMOVE again", "%d", PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

// TranslateMessage turns a key-down into the character the US layout gives it, posted after
// what is already queued, with the key message's lParam; other messages give nothing.
void translation(HWND window) {
    trace::section("TranslateMessage");
    struct Key {
        UINT vk;
        UINT scan;
    };
    // (Not the keypad: its digits depend on the NumLock state of the display it runs on.)
    const Key keys[] = {{'A', 0x1E},      {'7', 0x08},          {VK_RETURN, 0x1C}, {VK_F1, 0x3B},
                        {VK_SPACE, 0x39}, {VK_OEM_MINUS, 0x0C}, {VK_BACK, 0x0E}};
    MSG msg;
    logging = true;
    for (const Key &key : keys) {
        const LPARAM lparam = static_cast<LPARAM>(1 | (key.scan << 16));
        PostMessageA(window, WM_KEYDOWN, key.vk, lparam);
        PostMessageA(window, WM_USER + 7, key.vk, 0);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            log_message("retrieved", msg.message, msg.wParam, msg.lParam);
            if (msg.message == WM_CHAR)
                trace::value("lParam kept", "%d", msg.lParam == lparam ? 1 : 0);
            trace::value("TranslateMessage", "%d", TranslateMessage(&msg) != 0 ? 1 : 0);
        }
    }
    logging = false;
}

// DefWindowProc answers WM_CLOSE by destroying the window.
void close_by_default(void) {
    trace::section("WM_CLOSE by default");
    HWND window = create("closing");
    logging = true;
    trace::value("SendMessageA WM_CLOSE", "%ld",
                 static_cast<long>(SendMessageA(window, WM_CLOSE, 0, 0)));
    logging = false;
    trace::value("IsWindow after", "%d", IsWindow(window));
}

// FindWindowA compares class and title without regard to case; MoveWindow with repaint sends the
// move and size, and the erase comes with the paint that follows.
void move_and_find(HWND window) {
    trace::section("find and move");
    trace::value("FindWindowA other case", "%d",
                 FindWindowA("conformancemessages", "vorbl GRAPHICS") == window ? 1 : 0);
    trace::value("FindWindowA title only", "%d",
                 FindWindowA(nullptr, "VORBL graphics") == window ? 1 : 0);
    logging = true;
    trace::value("MoveWindow", "%d", MoveWindow(window, 30, 40, 500, 400, TRUE));
    trace::value("UpdateWindow", "%d", UpdateWindow(window));
    logging = false;
    MoveWindow(window, 10, 20, 601, 540, FALSE);
    ValidateRect(window, nullptr);
}

void destruction(HWND window) {
    trace::section("destroy");
    PostMessageA(window, WM_USER + 5, 5, 0);
    logging = true;
    trace::value("DestroyWindow", "%d", DestroyWindow(window));
    logging = false;
    MSG msg;
    trace::value("posted message purged", "%d",
                 PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) ? 0 : 1);
    trace::value("IsWindow", "%d", IsWindow(window));

    trace::section("bad window handles");
    RECT rect{};
    PAINTSTRUCT ps;
    char text[16];
    trace::value("DestroyWindow again", "%d", DestroyWindow(window));
    trace::value("PostMessageA", "%d", PostMessageA(window, WM_USER, 0, 0));
    trace::value("SendMessageA", "%ld", static_cast<long>(SendMessageA(window, WM_USER, 0, 0)));
    trace::value("GetClientRect", "%d", GetClientRect(window, &rect));
    trace::value("GetWindowRect", "%d", GetWindowRect(window, &rect));
    trace::value("ShowWindow", "%d", ShowWindow(window, SW_SHOW));
    trace::value("InvalidateRect", "%d", InvalidateRect(window, nullptr, TRUE));
    trace::value("ValidateRect", "%d", ValidateRect(window, nullptr));
    trace::value("UpdateWindow", "%d", UpdateWindow(window));
    trace::value("SetTimer", "%lu", static_cast<unsigned long>(SetTimer(window, 1, 10, nullptr)));
    trace::value("KillTimer", "%d", KillTimer(window, 1));
    trace::value("GetDC", "%s", trace::null_or_handle(GetDC(window)));
    trace::value("BeginPaint", "%s", trace::null_or_handle(BeginPaint(window, &ps)));
    trace::value("GetWindowTextA", "%d", GetWindowTextA(window, text, sizeof text));
    trace::value("IsWindowVisible", "%d", IsWindowVisible(window));
    trace::value("GetMessageA with it as filter", "%d", GetMessageA(&msg, window, 0, 0));
    trace::value("FindWindowA unknown class", "%s",
                 trace::null_or_handle(FindWindowA("NoSuchClassAnywhere", nullptr)));
}

}  // namespace

int main() {
    register_class();
    HWND window = creation();
    queue_order(window);
    paint_merging(window);
    translation(window);
    close_by_default();
    move_and_find(window);
    destruction(window);
    return 0;
}
