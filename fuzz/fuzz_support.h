// fuzz_support.h: what the fuzz targets share: a check that reports and aborts (libFuzzer then
// keeps the input that broke it), a reader of typed values from the fuzzer's bytes, the package
// started once on the headless host, and the live-object counts.
//
// Depends on the headless host and the platform's object counts. Header only; every target is a
// program of its own, so the few definitions here are inline.
#pragma once

#include <headless_host.h>
#include <platform_object_counts.h>

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vorbl.h"

namespace fuzz {

// A broken rule is a finding: say which, where, and stop so libFuzzer saves the input.
[[noreturn]] inline void fail(const char *what, const char *file, int line) {
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::fuzz::fail(#condition, __FILE__, __LINE__))

// Typed values taken from the front of the fuzzer's bytes; once they run out, every value is 0.
class Bytes {
public:
    Bytes(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return used_ >= size_; }

    std::uint8_t byte() { return used_ < size_ ? data_[used_++] : 0; }

    std::uint32_t u32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | byte();
        return value;
    }

    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    // A value one byte chooses: mostly small, often an edge of the canvas or of the 32-bit
    // range, sometimes any 32-bit value.
    std::int32_t coordinate() {
        static constexpr std::array<std::int32_t, 24> kEdges = {
            0,       1,          -1,      2,       -2,          269,         -270,    300,
            -300,    301,        540,     601,     32767,       -32768,      65535,   65536,
            1 << 30, -(1 << 30), INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, 1000000, -1000000};
        const std::uint8_t choice = byte();
        if (choice < 96) return static_cast<std::int32_t>(choice % 64) * 10 - 320;
        if (choice < 224) return kEdges[choice % kEdges.size()];
        return i32();
    }

    // A width, radius or point size: small ones most, then the extremes.
    std::int32_t size_value() {
        static constexpr std::array<std::int32_t, 12> kSizes = {
            0, 1, 2, 3, 10, 100, 1000, 65536, 65537, INT_MAX, INT_MIN, -1};
        const std::uint8_t choice = byte();
        if (choice < 128) return choice % 16;
        if (choice < 240) return kSizes[choice % kSizes.size()];
        return i32();
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

inline PlatformObjectCounts live_objects() {
    PlatformObjectCounts counts{};
    platform_object_counts(&counts);
    return counts;
}

// The kinds a drawing call or a wait makes and must give back.
inline std::array<int, 7> drawing_objects() {
    const PlatformObjectCounts c = live_objects();
    return {c.pens, c.brushes, c.fonts, c.bitmaps, c.memory_dcs, c.window_dcs, c.global_blocks};
}

// The package on the headless host, started once for the whole run.
inline void start_package_once() {
    static bool started = false;
    if (started) return;
    started = true;
    headless_host_use();
    static char no_arguments[] = "";
    VORBL_startup(nullptr, nullptr, no_arguments, 1);
}

}  // namespace fuzz
