// gdi_objects_test.cpp: DC defaults, selection, deletion rules, bitmaps, bad handles and the
// live-object counters.
#include "gdi_test_support.h"

using namespace gdi_test;

TEST(DeviceContextState, NewMemoryDcHasWindowsDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 77), 0);  // not a mode: refused, unchanged
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    // The default pen and brush come back when something else is selected.
    HPEN pen = CreatePen(PS_SOLID, 1, kPen);
    HBRUSH brush = CreateSolidBrush(kBrush);
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, GetStockObject(ANSI_FIXED_FONT)), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), brush);
    DeleteObject(pen);
    DeleteObject(brush);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(ObjectLifetime, StockObjectsAreSharedAndDeletingThemIsHarmless) {
    EXPECT_EQ(GetStockObject(NULL_BRUSH), GetStockObject(HOLLOW_BRUSH));
    EXPECT_TRUE(DeleteObject(GetStockObject(NULL_BRUSH)));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_NE(GetStockObject(NULL_BRUSH), nullptr);
    // Still usable after the "deletion".
    TestCanvas canvas(4, 4);
    HGDIOBJ old = SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_NE(old, nullptr);
    SelectObject(canvas.dc(), old);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);
}

// Deleting an object that a DC still holds fails and leaves it working; deselected, it goes.
TEST(ObjectLifetime, DeletingASelectedObjectFailsUntilItIsDeselected) {
    TestCanvas canvas(6, 6);
    HBRUSH brush = CreateSolidBrush(kBrush);
    HGDIOBJ old = SelectObject(canvas.dc(), brush);
    const PlatformObjectCounts with_brush = live_objects();
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(live_objects().brushes, with_brush.brushes);
    Rectangle(canvas.dc(), 0, 0, 6, 6);
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 2), kBrush);  // the brush still paints
    EXPECT_EQ(SelectObject(canvas.dc(), old), brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(live_objects().brushes, with_brush.brushes - 1);
    EXPECT_FALSE(DeleteObject(brush));                     // gone: a second delete fails
    EXPECT_EQ(SelectObject(canvas.dc(), brush), nullptr);  // and it cannot be selected
}

TEST(ObjectLifetime, CountersFollowEveryKind) {
    const PlatformObjectCounts before = live_objects();
    HPEN pen = CreatePen(PS_SOLID, 3, kPen);
    HBRUSH brush = CreateSolidBrush(kBrush);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "VORBL-font");
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 10, 10);
    PlatformObjectCounts during = live_objects();
    EXPECT_EQ(during.pens, before.pens + 1);
    EXPECT_EQ(during.brushes, before.brushes + 1);
    EXPECT_EQ(during.fonts, before.fonts + 1);
    EXPECT_EQ(during.bitmaps, before.bitmaps + 1);
    EXPECT_EQ(during.memory_dcs, before.memory_dcs + 1);
    // Deleting the DC does not delete what was selected in it.
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(live_objects().bitmaps, before.bitmaps + 1);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    expect_same_objects(before, live_objects());
}

TEST(Bitmaps, SizesSelectionAndColour) {
    HDC dc = CreateCompatibleDC(nullptr);
    // Compatible with a fresh memory DC, and still colour.
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 3, 2);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ stock = SelectObject(dc, bitmap);
    EXPECT_NE(stock, nullptr);
    EXPECT_EQ(SetPixel(dc, 2, 1, RGB(10, 200, 30)), RGB(10, 200, 30));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(10, 200, 30));
    EXPECT_EQ(GetPixel(dc, 3, 1), CLR_INVALID);
    // One DC at a time.
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);
    // Zero sizes give the shared 1 x 1 bitmap, negative and absurd ones fail.
    EXPECT_EQ(CreateCompatibleBitmap(dc, 0, 5), stock);
    EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 1 << 20, 1 << 20), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 5, 5), nullptr);
    SelectObject(dc, stock);
    DeleteObject(bitmap);
    DeleteDC(other);
    DeleteDC(dc);
}

TEST(BadHandles, AreRefusedWithoutHarm) {
    HDC fake_dc = reinterpret_cast<HDC>(0x1234);
    EXPECT_FALSE(Rectangle(nullptr, 0, 0, 5, 5));
    EXPECT_FALSE(LineTo(fake_dc, 3, 3));
    EXPECT_EQ(SelectObject(fake_dc, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x4321)));
    EXPECT_EQ(CreateCompatibleDC(fake_dc), nullptr);
    EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
    // A pen handle is not a DC and a DC handle is not an object; a deleted DC stays invalid.
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(Rectangle(reinterpret_cast<HDC>(pen), 0, 0, 2, 2));
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(dc)), nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    DeleteObject(pen);
}

TEST(Pens, WidthsAndStyles) {
    TestCanvas canvas(20, 20);
    // A negative width is its size; width 0 is one pixel.
    for (int width : {0, -3}) {
        canvas.clear(kWhite);
        PenAndBrush paint(canvas.dc(), width, false);
        MoveToEx(canvas.dc(), 2, 10, nullptr);
        LineTo(canvas.dc(), 12, 10);
        // Width 3: a 10 x 3 band plus the round caps (3-pixel plus signs) at (2, 10) and (12, 10),
        // which add one pixel at the start and four at the end.
        EXPECT_EQ(canvas.count(kPen), width == 0 ? 10 : 3 * 10 + 1 + 4) << width;
    }
    // An absurd width is capped and still draws without trouble.
    HPEN huge = CreatePen(PS_SOLID, INT_MAX, kPen);
    HGDIOBJ old = SelectObject(canvas.dc(), huge);
    MoveToEx(canvas.dc(), 10, 10, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc(), 11, 10));
    EXPECT_EQ(canvas.count(kPen), 400);
    SelectObject(canvas.dc(), old);
    DeleteObject(huge);
}
