// handle_kinds.h: how the platform numbers its handles, so that two kinds never share a number.
//
// Every handle the platform makes is a multiple of kHandleStep plus the tag of its kind in the
// low four bits. A handle of one kind can then never name an object of another: a window handle
// given to DeleteObject, or a pen given to DestroyWindow, is simply not in that table and the
// call fails, as on Windows. Each kind counts up from its own first handle and never reuses one.
//
// Tag 0 is left to handles that are addresses or fixed values (fixed global blocks, the module
// handle); the stock icon and cursor are odd fixed values. Depends on nothing; header only.
#pragma once

#include <cstdint>

namespace platform {

constexpr std::uintptr_t kHandleStep = 16;

constexpr std::uintptr_t kMenuHandleTag = 0x2;
constexpr std::uintptr_t kMoveableBlockHandleTag = 0x4;
constexpr std::uintptr_t kGdiObjectHandleTag = 0x6;
constexpr std::uintptr_t kDeviceContextHandleTag = 0x8;
constexpr std::uintptr_t kWindowHandleTag = 0xC;

// True when `first` is a handle of the kind `tag`: counting up from it in kHandleStep keeps it so.
constexpr bool starts_kind(std::uintptr_t first, std::uintptr_t tag) {
    return first % kHandleStep == tag;
}

}  // namespace platform
