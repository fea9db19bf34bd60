// global_memory_test.cpp: moveable and fixed global blocks: lock counts, the results and last
// errors of GlobalUnlock, freeing, discarded blocks and bad handles.
#include <cstring>

#include <windows.h>

#include "object_counts.h"

using test_support::expect_same_objects;
using test_support::live_objects;

TEST(MoveableBlock, LockCountsAndUnlockResults) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);
    char *first = static_cast<char *>(GlobalLock(block));
    char *second = static_cast<char *>(GlobalLock(block));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_NE(static_cast<void *>(first), block);  // a handle, not the address
    std::strcpy(first, "fifteen bytes!!");
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 2u);
    EXPECT_TRUE(GlobalUnlock(block));  // still locked once
    SetLastError(12345);
    EXPECT_FALSE(GlobalUnlock(block));  // reached 0
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_FALSE(GlobalUnlock(block));  // was 0 already
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
    EXPECT_STREQ(static_cast<char *>(GlobalLock(block)), "fifteen bytes!!");
    EXPECT_EQ(GlobalSize(block), 16u);
    // Freeing a locked block is allowed and succeeds with NULL.
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(MoveableBlock, ZeroInitAndZeroSize) {
    HGLOBAL zeroed = GlobalAlloc(GHND, 64);
    const unsigned char *bytes = static_cast<const unsigned char *>(GlobalLock(zeroed));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(bytes[i], 0);
    GlobalUnlock(zeroed);
    GlobalFree(zeroed);
    // Zero bytes: a handle to a discarded block, which cannot be locked.
    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalLock(empty), nullptr);
    EXPECT_EQ(GlobalFlags(empty) & GMEM_LOCKCOUNT, 0u);
    EXPECT_EQ(GlobalSize(empty), 0u);
    EXPECT_EQ(GlobalFree(empty), nullptr);
}

TEST(FixedBlock, TheHandleIsTheAddressAndIsNeverCounted) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 8);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);
    EXPECT_TRUE(GlobalUnlock(block));
    std::memset(block, 0x5A, 8);  // usable directly
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(BadBlocks, AreRefusedWithTheirErrors) {
    HGLOBAL fake = reinterpret_cast<HGLOBAL>(0x9990);
    SetLastError(0);
    EXPECT_EQ(GlobalLock(fake), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(GlobalUnlock(fake));
    EXPECT_EQ(GlobalFree(fake), fake);  // failure returns the handle
    EXPECT_EQ(GlobalSize(fake), 0u);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    GlobalFree(block);
    EXPECT_EQ(GlobalLock(block), nullptr);  // freed handles stay invalid
    EXPECT_EQ(GlobalFree(block), block);
    SetLastError(0);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(-1)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(BlockAccounting, EveryAllocationIsCountedUntilFreed) {
    const PlatformObjectCounts before = live_objects();
    HGLOBAL a = GlobalAlloc(GMEM_MOVEABLE, 10), b = GlobalAlloc(GMEM_FIXED, 10),
            c = GlobalAlloc(GMEM_MOVEABLE, 0);
    EXPECT_EQ(live_objects().global_blocks, before.global_blocks + 3);
    GlobalFree(a), GlobalFree(b), GlobalFree(c);
    expect_same_objects(before, live_objects());
}
