// object_counts.cpp: reports the live-object counters to tests and tools.
#include <platform_object_counts.h>

#include "core/object_counts.h"

extern "C" void platform_object_counts(PlatformObjectCounts *counts) {
    if (counts == nullptr) return;
    counts->pens = platform::object_counts::pens;
    counts->brushes = platform::object_counts::brushes;
    counts->fonts = platform::object_counts::fonts;
    counts->bitmaps = platform::object_counts::bitmaps;
    counts->memory_dcs = platform::object_counts::memory_dcs;
    counts->window_dcs = platform::object_counts::window_dcs;
    counts->global_blocks = platform::object_counts::global_blocks;
    counts->windows = platform::object_counts::windows;
    counts->menus = platform::object_counts::menus;
    counts->timers = platform::object_counts::timers;
}
