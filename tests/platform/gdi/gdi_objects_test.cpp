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
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    // Compatible with the screen: colour.
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
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

// Indices 0 to 20 as Windows hands them out: 9 is unused, 15 the palette, 18 and 19 the DC brush
// and pen, 20 the 1 x 1 bitmap of a fresh memory DC.
TEST(StockObjects, EveryIndexHasItsKind) {
    const DWORD kinds[] = {OBJ_BRUSH, OBJ_BRUSH, OBJ_BRUSH, OBJ_BRUSH, OBJ_BRUSH, OBJ_BRUSH,
                           OBJ_PEN,   OBJ_PEN,   OBJ_PEN,   0,         OBJ_FONT,  OBJ_FONT,
                           OBJ_FONT,  OBJ_FONT,  OBJ_FONT,  OBJ_PAL,   OBJ_FONT,  OBJ_FONT,
                           OBJ_BRUSH, OBJ_PEN,   OBJ_BITMAP};
    for (int index = 0; index <= 20; ++index)
        EXPECT_EQ(GetObjectType(GetStockObject(index)), kinds[index]) << index;
    EXPECT_EQ(GetStockObject(21), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), GetStockObject(20));
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_PALETTE)), nullptr);  // SelectPalette's job
    EXPECT_NE(GetStockObject(DEVICE_DEFAULT_FONT), GetStockObject(SYSTEM_FONT));
    DeleteDC(dc);
}

// GetObject copies the record an object was made from; no buffer asks for its size, a buffer
// too short for a pen, brush or bitmap gets nothing, and a font's record may be cut short.
TEST(ObjectRecords, GetObjectReportsWhatTheObjectWasMadeFrom) {
    HPEN pen = CreatePen(PS_SOLID, -3, 0x7F123456);
    LOGPEN logical_pen{};
    EXPECT_EQ(GetObjectA(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(GetObjectA(pen, sizeof logical_pen, &logical_pen), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(logical_pen.lopnWidth.x, 3);
    EXPECT_EQ(logical_pen.lopnColor, 0x7F123456u);
    EXPECT_EQ(GetObjectA(pen, 4, &logical_pen), 0);
    DeleteObject(pen);
    LOGBRUSH brush{};
    EXPECT_EQ(GetObjectA(GetStockObject(NULL_BRUSH), sizeof brush, &brush),
              static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_NULL));
    LOGFONTA font{};
    EXPECT_EQ(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof font, &font),
              static_cast<int>(sizeof(LOGFONTA)));
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_EQ(font.lfWidth, 7);
    EXPECT_STREQ(font.lfFaceName, "System");
    LONG height = 0;
    EXPECT_EQ(GetObjectA(GetStockObject(ANSI_FIXED_FONT), sizeof height, &height),
              static_cast<int>(sizeof height));
    EXPECT_EQ(height, 12);
    TestCanvas canvas(7, 5);
    BITMAP bitmap{};
    HGDIOBJ selected = GetCurrentObject(canvas.dc(), OBJ_BITMAP);
    EXPECT_EQ(GetObjectA(selected, sizeof bitmap, &bitmap), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bitmap.bmWidth, 7);
    EXPECT_EQ(bitmap.bmHeight, 5);
    EXPECT_EQ(bitmap.bmWidthBytes, 28);
    EXPECT_EQ(bitmap.bmBitsPixel, 32);
    EXPECT_EQ(GetObjectA(canvas.dc(), sizeof bitmap, &bitmap), 0);  // a DC is no object
    EXPECT_EQ(GetObjectType(canvas.dc()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_DC), nullptr);
    EXPECT_EQ(GetCurrentObject(nullptr, OBJ_PEN), nullptr);
}
