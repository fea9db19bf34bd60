// Tests of windows: creation messages and the client size (with and without a menu bar),
// showing and focus, finding, destruction, closing, painting and the update region, mouse input
// over the client area and the bar, and bad handles.
#include <gtest/gtest.h>
#include <platform_object_counts.h>

#include <cstring>

#include "recording_window.h"
#include "user/menu/menu_drawing.h"
#include "user/window_surface.h"

namespace {

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        recording::seen.clear();
        recording::register_class();
    }
};

int live_windows() {
    PlatformObjectCounts counts{};
    platform_object_counts(&counts);
    return counts.windows;
}

void attach_menu_bar(HWND window) {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&Go");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Run");
    SetMenu(window, bar);
}

// The client sizes classic Windows gives an outer 601 x 540 window (measured with Wine).
TEST_F(Windows, TheClientAreaIsTheOuterSizeLessTheClassicFrameCaptionAndMenuBar) {
    struct Case {
        DWORD style;
        bool menu;
        LONG width, height;
    };
    const Case cases[] = {{WS_OVERLAPPEDWINDOW, false, 593, 513},
                          {WS_OVERLAPPEDWINDOW, true, 593, 494},
                          {WS_CAPTION | WS_SYSMENU, true, 595, 496},
                          {WS_CAPTION | WS_SYSMENU, false, 595, 515},
                          {WS_POPUP, false, 601, 540}};
    for (const Case &c : cases) {
        recording::on_create = c.menu ? attach_menu_bar : nullptr;
        HWND window = CreateWindowExA(0, recording::kClassName, "Sized", c.style, 0, 0, 601, 540,
                                      nullptr, nullptr, nullptr, nullptr);
        recording::on_create = nullptr;
        ASSERT_NE(window, nullptr);
        RECT client, outer;
        GetClientRect(window, &client);
        GetWindowRect(window, &outer);
        EXPECT_EQ(client.right, c.width) << std::hex << c.style << " menu " << c.menu;
        EXPECT_EQ(client.bottom, c.height) << std::hex << c.style << " menu " << c.menu;
        EXPECT_EQ(outer.right - outer.left, 601);
        EXPECT_EQ(outer.bottom - outer.top, 540);
        DestroyWindow(window);
    }
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXFIXEDFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CYSIZEFRAME), 4);
}

TEST_F(Windows, CreationSendsNcCreateAndCreateWithTheCreationRecordThenSizeAndMove) {
    int parameter = 0;
    HWND window = CreateWindowExA(0, recording::kClassName, "Plain", WS_OVERLAPPEDWINDOW, 20, 30,
                                  601, 540, nullptr, nullptr, nullptr, &parameter);
    ASSERT_NE(window, nullptr);
    std::vector<UINT> order;
    for (const recording::Seen &s : recording::seen) order.push_back(s.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    for (const auto &creation : recording::creations) {
        EXPECT_EQ(creation.param, &parameter);
        EXPECT_EQ(creation.x, 20);
        EXPECT_EQ(creation.y, 30);
        EXPECT_EQ(creation.cx, 601);
        EXPECT_EQ(creation.cy, 540);
        EXPECT_EQ(creation.style, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
        EXPECT_EQ(creation.title, "Plain");
    }
    EXPECT_EQ(recording::creations.size(), 2u);
    EXPECT_EQ(recording::seen[2].lparam, MAKELPARAM(593, 513));
    EXPECT_EQ(recording::seen[3].lparam, MAKELPARAM(24, 53)) << "the client's screen origin";
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(live_windows(), 1);
}

TEST_F(Windows, AMenuBarAttachedDuringCreationMovesAndShrinksTheClientArea) {
    recording::on_create = attach_menu_bar;
    HWND window = CreateWindowExA(0, recording::kClassName, "With menu", WS_CAPTION | WS_SYSMENU, 0,
                                  0, 601, 540, nullptr, nullptr, nullptr, nullptr);
    recording::on_create = nullptr;
    ASSERT_NE(window, nullptr);
    ASSERT_NE(GetMenu(window), nullptr);
    ASSERT_EQ(platform::menu_bar_height(GetMenu(window), 595), 19);
    std::vector<recording::Seen> sizes = recording::of_kind(WM_SIZE);
    ASSERT_EQ(sizes.size(), 2u) << "one from SetMenu inside WM_CREATE, one after it";
    for (const recording::Seen &s : sizes) EXPECT_EQ(s.lparam, MAKELPARAM(595, 496));
    std::vector<recording::Seen> moves = recording::of_kind(WM_MOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front().lparam, MAKELPARAM(3, 41)) << "below frame, caption and menu bar";

    // The host's picture is bar over client: a client pixel shows 19 rows lower.
    platform::PixelSurface client_pixels = platform::window_client_surface(window);
    ASSERT_EQ(client_pixels.height, 496);
    client_pixels.pixels[0] = 0x00123456;
    platform::PixelSurface composed = platform::window_composed_surface(window);
    ASSERT_EQ(composed.width, 595);
    ASSERT_EQ(composed.height, 515);
    EXPECT_EQ(composed.pixels[static_cast<std::size_t>(19) * composed.stride], 0x00123456u);
}

TEST_F(Windows, CreationFailsForAnUnknownClassOrWhenWmCreateSaysSo) {
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    recording::create_result = -1;
    EXPECT_EQ(recording::make_window("Refused"), nullptr);
    recording::create_result = 0;
    EXPECT_EQ(live_windows(), 0);
    EXPECT_EQ(FindWindowA(nullptr, "Refused"), nullptr);
}

TEST_F(Windows, ShowWindowReturnsThePreviousVisibilityAndActivatingShowsTakeTheFocus) {
    HWND first = recording::make_window("First");
    HWND second = recording::make_window("Second");
    EXPECT_EQ(ShowWindow(first, SW_SHOWNORMAL), FALSE);
    EXPECT_NE(ShowWindow(first, SW_SHOW), FALSE);
    EXPECT_EQ(GetFocus(), first);
    ShowWindow(second, SW_SHOWNOACTIVATE);
    EXPECT_EQ(GetFocus(), first) << "a non-activating show leaves the focus";
    ShowWindow(second, SW_SHOW);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(recording::of_kind(WM_KILLFOCUS).size(), 1u);
    EXPECT_NE(ShowWindow(second, SW_HIDE), FALSE);
    EXPECT_FALSE(IsWindowVisible(second));
    EXPECT_EQ(GetActiveWindow(), first) << "activation passes to the other visible window";
    EXPECT_EQ(GetFocus(), first);
    ShowWindow(second, SW_SHOW);
    EXPECT_EQ(GetFocus(), second);
    headless_host_click(first, 3, 3);
    EXPECT_EQ(GetFocus(), second) << "a press activates its window only when it is retrieved";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(GetFocus(), first) << "the window clicked takes the focus";
}

TEST_F(Windows, FindWindowMatchesClassTitleOrBoth) {
    HWND window = recording::make_window("VORBL Graphics");
    EXPECT_EQ(FindWindowA(recording::kClassName, nullptr), window);
    EXPECT_EQ(FindWindowA("recordingclass", "VORBL Graphics"), window) << "class ignores case";
    EXPECT_EQ(FindWindowA(nullptr, "VORBL Graphics"), window);
    EXPECT_EQ(FindWindowA(nullptr, "VORBL Text"), nullptr);
    EXPECT_EQ(FindWindowA("OtherClass", nullptr), nullptr);
    char title[6];
    EXPECT_EQ(GetWindowTextA(window, title, sizeof title), 5);
    EXPECT_STREQ(title, "VORBL");
    EXPECT_EQ(GetWindowTextA(window, nullptr, 10), 0);
}

TEST_F(Windows, DestroyWindowSendsDestroyAndLeavesAStaleHandle) {
    HWND window = recording::make_window("Doomed");
    ShowWindow(window, SW_SHOW);
    recording::seen.clear();
    ASSERT_TRUE(DestroyWindow(window));
    ASSERT_GE(recording::seen.size(), 2u);
    EXPECT_EQ(recording::seen[recording::seen.size() - 2].message, static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(recording::seen.back().message, static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(live_windows(), 0);
    RECT r;
    EXPECT_FALSE(GetClientRect(window, &r));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_FALSE(InvalidateRect(window, nullptr, TRUE));
    EXPECT_EQ(platform::window_client_surface(window).pixels, nullptr);
}

TEST_F(Windows, TheCloseButtonBecomesWmCloseWhichTheDefaultHandlingTurnsIntoDestruction) {
    HWND window = recording::make_window("Closing");
    headless_host_close(window);
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    DispatchMessageA(&msg);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(recording::of_kind(WM_DESTROY).size(), 1u);
}

TEST_F(Windows, PaintRepeatsUntilTheUpdateRegionIsValidated) {
    HWND window = recording::make_window("Paint", 100, 80);
    ShowWindow(window, SW_SHOW);
    recording::validate_paint = false;
    MSG msg;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
        EXPECT_EQ(msg.hwnd, window);
        DispatchMessageA(&msg);
    }
    recording::validate_paint = true;
    DispatchMessageA(&msg);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Windows, InvalidationsMergeIntoOnePaintAndBeginPaintValidatesAndErases) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    UnregisterClassA(recording::kClassName, nullptr);
    recording::register_class(red);
    HWND window = recording::make_window("Erase", 100, 80);
    ShowWindow(window, SW_SHOW);  // erases the whole client with the class brush at once
    ValidateRect(window, nullptr);
    HDC window_dc = GetDC(window);
    RECT all{0, 0, 100, 80};
    FillRect(window_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(window, window_dc);
    RECT a{10, 10, 20, 20}, b{50, 5, 60, 15};
    EXPECT_TRUE(InvalidateRect(window, &a, FALSE));
    EXPECT_TRUE(InvalidateRect(window, &b, TRUE));
    recording::seen.clear();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(paint.rcPaint.left, 10);
    EXPECT_EQ(paint.rcPaint.top, 5);
    EXPECT_EQ(paint.rcPaint.right, 60);
    EXPECT_EQ(paint.rcPaint.bottom, 20);
    EXPECT_FALSE(paint.fErase) << "the class brush erased the background";
    EXPECT_EQ(recording::of_kind(WM_ERASEBKGND).size(), 1u);
    EXPECT_TRUE(EndPaint(window, &paint));
    platform::PixelSurface pixels = platform::window_client_surface(window);
    EXPECT_EQ(pixels.pixels[10 * pixels.stride + 55], 0x00FF0000u) << "filled with the brush";
    EXPECT_EQ(pixels.pixels[15 * pixels.stride + 15], 0x00FF0000u) << "both rectangles";
    EXPECT_EQ(pixels.pixels[15 * pixels.stride + 35], 0x00FFFFFFu) << "not the gap between";
    EXPECT_EQ(pixels.pixels[50 * pixels.stride + 55], 0x00FFFFFFu) << "only the update region";
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "validated by BeginPaint";
    DestroyWindow(window);
    DeleteObject(red);
}

TEST_F(Windows, ShowingErasesAtOnceAndAnEraseNotDoneIsLeftToThePainter) {
    HWND window = recording::make_window("No brush", 100, 80);  // the class has no brush
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(recording::of_kind(WM_ERASEBKGND).size(), 1u) << "sent while showing";
    recording::seen.clear();
    PAINTSTRUCT paint;
    ASSERT_NE(BeginPaint(window, &paint), nullptr);
    EXPECT_TRUE(paint.fErase) << "nobody erased: the painter must";
    EXPECT_TRUE(recording::of_kind(WM_ERASEBKGND).empty()) << "not asked twice";
    EndPaint(window, &paint);
    InvalidateRect(window, nullptr, FALSE);
    ASSERT_NE(BeginPaint(window, &paint), nullptr);
    EXPECT_FALSE(paint.fErase) << "a later invalidation without erase asks for none";
    EndPaint(window, &paint);
    DestroyWindow(window);
}

TEST_F(Windows, HiddenWindowsGetNoPaintAndPartialValidationShrinksTheRegion) {
    HWND window = recording::make_window("Hidden", 100, 80);
    InvalidateRect(window, nullptr, TRUE);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    ShowWindow(window, SW_SHOW);
    RECT client;
    GetClientRect(window, &client);
    RECT top_part{0, 0, client.right, 40};
    ValidateRect(window, &top_part);
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EXPECT_EQ(paint.rcPaint.top, 40);
    EXPECT_EQ(paint.rcPaint.bottom, client.bottom);
    EndPaint(window, &paint);
}

TEST_F(Windows, APressOverTheMenuBarIsANonClientPressAtItsScreenPoint) {
    recording::on_create = attach_menu_bar;
    HWND window = recording::make_window("Bar", 300, 200);
    recording::on_create = nullptr;
    ShowWindow(window, SW_SHOW);
    recording::drain();
    headless_host_click(window, 12, -5);
    headless_host_click(window, 12, 7);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_NCLBUTTONDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(HTMENU));
    // The client area sits inside an even frame, at the bottom of the outer rectangle.
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const LONG frame = (outer.right - outer.left - client.right) / 2;
    const LONG client_top = outer.bottom - frame - client.bottom;
    EXPECT_EQ(static_cast<short>(HIWORD(msg.lParam)), client_top - 5);
    EXPECT_EQ(LOWORD(msg.lParam), outer.left + frame + 12);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONUP));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(msg.lParam, MAKELPARAM(12, 7));
}

TEST_F(Windows, ClassesRegisterOnceAndUnregisterOnlyWithoutWindows) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = recording::procedure;
    wc.lpszClassName = "RECORDINGCLASS";
    EXPECT_EQ(RegisterClassA(&wc), 0) << "names ignore case";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    EXPECT_EQ(RegisterClassA(nullptr), 0);
    wc.lpszClassName = "Fresh";
    ATOM atom = RegisterClassA(&wc);
    ASSERT_NE(atom, 0);
    HWND window = CreateWindowExA(0, MAKEINTRESOURCEA(atom), "By atom", 0, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA(MAKEINTRESOURCEA(atom), nullptr), window);
    EXPECT_FALSE(UnregisterClassA("Fresh", nullptr)) << "a window still uses it";
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassA("Fresh", nullptr));
    EXPECT_EQ(FindWindowA(MAKEINTRESOURCEA(0x7777), nullptr), nullptr) << "never dereferenced";
}

TEST_F(Windows, ScreenMetricsAreTheHostsScreen) {
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    headless_host_set_screen(1280, 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
}

}  // namespace

// Each show command from each state: the WM_SIZE it sends (kind and size, none when nothing
// changes), and the state left behind. The headless screen is 1024 x 768, so a maximised client
// area is 1024 x (768 - caption).
TEST_F(Windows, ShowCommandsMinimiseMaximiseAndRestoreWithTheirSizes) {
    struct Case {
        int from;     // SW_SHOWNORMAL, SW_MINIMIZE or SW_SHOWMAXIMIZED
        int command;  // the command traced
        int sizes;    // WM_SIZE messages sent
        WPARAM kind;
        LPARAM size;
        bool iconic, zoomed;
    } cases[] = {
        {SW_SHOWNORMAL, SW_MINIMIZE, 1, SIZE_MINIMIZED, 0, true, false},
        {SW_SHOWNORMAL, SW_SHOWMAXIMIZED, 1, SIZE_MAXIMIZED, MAKELPARAM(1024, 749), false, true},
        {SW_SHOWNORMAL, SW_RESTORE, 0, 0, 0, false, false},
        {SW_MINIMIZE, SW_RESTORE, 1, SIZE_RESTORED, MAKELPARAM(292, 173), false, false},
        {SW_MINIMIZE, SW_SHOW, 0, 0, 0, true, false},
        {SW_SHOWMAXIMIZED, SW_RESTORE, 1, SIZE_RESTORED, MAKELPARAM(292, 173), false, false},
        {SW_SHOWMAXIMIZED, SW_MINIMIZE, 1, SIZE_MINIMIZED, 0, true, false},
    };
    for (const Case &c : cases) {
        HWND window = CreateWindowExA(0, recording::kClassName, "show", WS_OVERLAPPEDWINDOW, 40, 30,
                                      300, 200, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
        if (c.from != SW_SHOWNORMAL) ShowWindow(window, c.from);
        recording::seen.clear();
        EXPECT_TRUE(ShowWindow(window, c.command));
        const auto sizes = recording::of_kind(WM_SIZE);
        SCOPED_TRACE(testing::Message() << "from " << c.from << " command " << c.command);
        ASSERT_EQ(static_cast<int>(sizes.size()), c.sizes);
        if (c.sizes > 0) {
            EXPECT_EQ(sizes[0].wparam, c.kind);
            EXPECT_EQ(sizes[0].lparam, c.size);
        }
        EXPECT_EQ(IsIconic(window) != FALSE, c.iconic);
        EXPECT_EQ(IsZoomed(window) != FALSE, c.zoomed);
        DestroyWindow(window);
    }
    // Out of range: nothing happens, no error code; bad handles fail with theirs.
    HWND window = recording::make_window("range");
    SetLastError(0);
    EXPECT_FALSE(ShowWindow(window, 12));
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_FALSE(IsWindowVisible(window));
    DestroyWindow(window);
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(IsIconic(nullptr));
}

// SetFocus on a window that is not active activates it first; minimising takes the focus away
// and restoring gives it back.
TEST_F(Windows, SetFocusActivatesAndAnIconHasNoFocus) {
    HWND a = recording::make_window("a");
    HWND b = recording::make_window("b");
    ShowWindow(a, SW_SHOW);
    ShowWindow(b, SW_SHOW);
    ASSERT_EQ(GetActiveWindow(), b);
    recording::seen.clear();
    SetFocus(a);
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(recording::of_kind(WM_NCACTIVATE).size(), 2u);  // b loses, a gains
    ShowWindow(a, SW_MINIMIZE);
    EXPECT_EQ(GetFocus(), nullptr);
    ShowWindow(a, SW_RESTORE);
    EXPECT_EQ(GetFocus(), a);
    DestroyWindow(a);
    DestroyWindow(b);
}
