// object_counts.h: the live platform objects, read for tests that prove a piece of code gave
// back everything it created.
#pragma once

#include <gtest/gtest.h>
#include <platform_object_counts.h>

#include <vector>

namespace test_support {

// Every live object now, by kind.
inline PlatformObjectCounts live_objects() {
    PlatformObjectCounts counts{};
    platform_object_counts(&counts);
    return counts;
}

// The kinds drawing code creates and must give back before it returns: pens, brushes, fonts,
// bitmaps, memory DCs, window DCs and global blocks, in that order (comparable with EXPECT_EQ).
inline std::vector<int> drawing_objects() {
    const PlatformObjectCounts counts = live_objects();
    return {counts.pens,       counts.brushes,    counts.fonts,        counts.bitmaps,
            counts.memory_dcs, counts.window_dcs, counts.global_blocks};
}

inline void expect_same_objects(const PlatformObjectCounts &before,
                                const PlatformObjectCounts &after) {
    EXPECT_EQ(before.pens, after.pens);
    EXPECT_EQ(before.brushes, after.brushes);
    EXPECT_EQ(before.fonts, after.fonts);
    EXPECT_EQ(before.bitmaps, after.bitmaps);
    EXPECT_EQ(before.memory_dcs, after.memory_dcs);
    EXPECT_EQ(before.window_dcs, after.window_dcs);
    EXPECT_EQ(before.global_blocks, after.global_blocks);
}

}  // namespace test_support
