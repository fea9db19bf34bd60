// handle_kinds_test.cpp: handles of different kinds never share a number, so a handle given to a
// call for another kind fails and changes nothing, as on Windows (where SelectObject and
// DeleteObject refuse a window handle, and DestroyWindow and DestroyMenu refuse a pen).
#include <gtest/gtest.h>
#include <platform_object_counts.h>

#include <set>
#include <vector>

#include "user/recording_window.h"

namespace {

constexpr int kEachKind = 40;  // enough for every counter to pass the others' first values

struct Handles {
    std::vector<HWND> windows;
    std::vector<HMENU> menus;
    std::vector<HDC> dcs;
    std::vector<HGDIOBJ> objects;  // pens, brushes, fonts, bitmaps and the stock objects
    std::vector<HGLOBAL> blocks;
};

Handles make_many(HDC reference) {
    Handles made;
    for (int i = 0; i < kEachKind; ++i) {
        made.windows.push_back(recording::make_window("kind"));
        made.menus.push_back(i % 2 ? CreateMenu() : CreatePopupMenu());
        made.dcs.push_back(CreateCompatibleDC(reference));
        made.objects.push_back(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        made.objects.push_back(CreateSolidBrush(RGB(4, 5, 6)));
        made.objects.push_back(CreateCompatibleBitmap(reference, 2, 2));
        made.blocks.push_back(GlobalAlloc(GMEM_MOVEABLE, 8));
    }
    for (int stock = WHITE_BRUSH; stock <= DEFAULT_GUI_FONT; ++stock) {
        if (HGDIOBJ object = GetStockObject(stock)) made.objects.push_back(object);
    }
    return made;
}

template <typename Handle>
void add_numbers(std::set<std::uintptr_t> &numbers, const std::vector<Handle> &handles,
                 std::size_t &total) {
    for (Handle handle : handles) {
        ASSERT_NE(handle, nullptr);
        numbers.insert(reinterpret_cast<std::uintptr_t>(handle));
        ++total;
    }
}

class HandleKinds : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        recording::register_class();
        owner_ = recording::make_window("owner");
        window_dc_ = GetDC(owner_);
        made_ = make_many(window_dc_);
    }
    void TearDown() override { ReleaseDC(owner_, window_dc_); }

    HWND owner_ = nullptr;
    HDC window_dc_ = nullptr;
    Handles made_;
};

TEST_F(HandleKinds, NoTwoLiveHandlesShareANumber) {
    std::set<std::uintptr_t> numbers;
    std::size_t total = 0;
    add_numbers(numbers, made_.windows, total);
    add_numbers(numbers, made_.menus, total);
    add_numbers(numbers, made_.dcs, total);
    add_numbers(numbers, made_.objects, total);
    add_numbers(numbers, made_.blocks, total);
    add_numbers(numbers, std::vector<HDC>{window_dc_}, total);
    add_numbers(numbers, std::vector<HWND>{owner_}, total);
    EXPECT_EQ(numbers.size(), total);
}

TEST_F(HandleKinds, CallsForOneKindRefuseEveryOtherKind) {
    HDC dc = made_.dcs.front();
    PlatformObjectCounts before{};
    platform_object_counts(&before);
    for (HWND window : made_.windows) {
        const auto as_object = reinterpret_cast<HGDIOBJ>(window);
        EXPECT_EQ(SelectObject(dc, as_object), nullptr);
        EXPECT_FALSE(DeleteObject(as_object));
        EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(window)));
        EXPECT_FALSE(DestroyMenu(reinterpret_cast<HMENU>(window)));
        EXPECT_EQ(GlobalLock(reinterpret_cast<HGLOBAL>(window)), nullptr);
    }
    for (HMENU menu : made_.menus) {
        EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(menu)));
        EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(menu)));
    }
    for (HGDIOBJ object : made_.objects) {
        EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(object)));
        EXPECT_FALSE(DestroyWindow(reinterpret_cast<HWND>(object)));
        EXPECT_FALSE(DestroyMenu(reinterpret_cast<HMENU>(object)));
        EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(object)));
    }
    for (HDC context : made_.dcs) {
        EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(context)));
        EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(context)));
    }
    PlatformObjectCounts after{};
    platform_object_counts(&after);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.menus, before.menus);
    EXPECT_EQ(after.memory_dcs, before.memory_dcs);
    EXPECT_EQ(after.pens, before.pens);
    EXPECT_EQ(after.brushes, before.brushes);
    EXPECT_EQ(after.bitmaps, before.bitmaps);
    EXPECT_EQ(after.global_blocks, before.global_blocks);
}

}  // namespace
