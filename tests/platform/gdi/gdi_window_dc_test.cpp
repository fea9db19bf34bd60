// gdi_window_dc_test.cpp: device contexts of a window on the headless host draw into its client
// pixels, clipped to the client area, and are given back by ReleaseDC and EndPaint.
#include <headless_host.h>

#include "gdi_test_support.h"

using namespace gdi_test;

namespace {

LRESULT CALLBACK plain_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND make_window(int width, int height) {
    headless_host_use();
    WNDCLASSA wc{};
    wc.lpfnWndProc = plain_window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GdiTestWindow";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "GdiTestWindow", "GDI test", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace

TEST(WindowDC, DrawsIntoTheClientAreaClippedToIt) {
    HWND window = make_window(300, 200);
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    ASSERT_GT(client.right, 10);
    const PlatformObjectCounts before = live_objects();
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(live_objects().window_dcs, before.window_dcs + 1);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);  // default attributes
    {
        PenAndBrush paint(dc, 1, true);
        EXPECT_TRUE(Rectangle(dc, -10, -10, client.right + 10, client.bottom + 10));
    }
    EXPECT_EQ(GetPixel(dc, 0, 0), kBrush);
    EXPECT_EQ(GetPixel(dc, client.right - 1, client.bottom - 1), kBrush);
    EXPECT_EQ(GetPixel(dc, client.right, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 0, client.bottom), CLR_INVALID);
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    expect_same_objects(before, live_objects());
    DestroyWindow(window);
}

TEST(WindowDC, CanvasCopyThroughAWindowDcIsClippedToTheClientArea) {
    HWND window = make_window(200, 150);
    RECT client{};
    GetClientRect(window, &client);
    TestCanvas canvas(601, 540);
    canvas.clear(kBrush);
    SetPixel(canvas.dc(), 0, 0, kPen);
    HDC dc = GetDC(window);
    EXPECT_TRUE(BitBlt(dc, 0, 0, 601, 540, canvas.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 0, 0), kPen);
    EXPECT_EQ(GetPixel(dc, client.right - 1, client.bottom - 1), kBrush);
    ReleaseDC(window, dc);
    // A window DC is not deleted with DeleteDC, nor released to another window or twice.
    HDC again = GetDC(window);
    EXPECT_FALSE(DeleteDC(again));
    EXPECT_EQ(ReleaseDC(nullptr, again), 0);
    EXPECT_EQ(ReleaseDC(window, again), 1);
    EXPECT_EQ(ReleaseDC(window, again), 0);
    DestroyWindow(window);
}

TEST(WindowDC, PaintDcIsGivenBackByEndPaint) {
    HWND window = make_window(120, 100);
    ShowWindow(window, SW_SHOW);  // all of the client area is to be painted
    const PlatformObjectCounts before = live_objects();
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(live_objects().window_dcs, before.window_dcs + 1);
    EXPECT_NE(SetPixel(dc, 3, 3, kPen), CLR_INVALID);
    EndPaint(window, &paint);
    expect_same_objects(before, live_objects());
    HDC check = GetDC(window);
    EXPECT_EQ(GetPixel(check, 3, 3), kPen);
    ReleaseDC(window, check);
    DestroyWindow(window);
}

// Two invalid rectangles: a paint over the whole client area reaches them and neither the gap
// between them nor the rest; SetPixel and GetPixel outside them fail; ValidateRect cuts a hole.
TEST(WindowDC, PaintDcIsClippedToTheRectanglesOfTheUpdateRegion) {
    HWND window = make_window(200, 150);
    ShowWindow(window, SW_SHOW);
    ValidateRect(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    const RECT first{10, 20, 20, 30}, second{40, 20, 50, 30};
    InvalidateRect(window, &first, FALSE);
    InvalidateRect(window, &second, FALSE);
    const RECT hole{12, 22, 14, 24};
    ValidateRect(window, &hole);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    EXPECT_EQ(paint.rcPaint.left, 10);
    EXPECT_EQ(paint.rcPaint.right, 50);
    HBRUSH brush = CreateSolidBrush(kBrush);
    EXPECT_NE(FillRect(dc, &client, brush), 0);
    DeleteObject(brush);
    EXPECT_EQ(SetPixel(dc, 30, 25, kPen), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 30, 25), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, 45, 25, kPen), kPen);
    EndPaint(window, &paint);
    HDC check = GetDC(window);
    const struct {
        int x, y;
        bool painted;
    } probes[] = {{10, 20, true},  {19, 29, true}, {20, 25, false}, {30, 25, false},
                  {40, 20, true},  {49, 29, true}, {9, 25, false},  {12, 22, false},
                  {13, 23, false}, {14, 22, true}, {25, 50, false}, {0, 0, false}};
    for (const auto &probe : probes) {
        const COLORREF pixel = GetPixel(check, probe.x, probe.y);
        EXPECT_EQ(pixel == kBrush, probe.painted) << probe.x << "," << probe.y;
    }
    EXPECT_EQ(GetPixel(check, 45, 25), kPen);
    ReleaseDC(window, check);
    // Nothing left to paint: a BeginPaint now clips everything away.
    dc = BeginPaint(window, &paint);
    EXPECT_EQ(SetPixel(dc, 15, 25, kPen), CLR_INVALID);
    EndPaint(window, &paint);
    DestroyWindow(window);
}
