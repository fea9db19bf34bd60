// accounting.cpp: reports the live-object counters to tests and tools.
#include <platform_accounting.h>

#include "live_objects.h"

extern "C" void platform_object_counts(PlatformObjectCounts *counts) {
    if (counts == nullptr) return;
    counts->pens = platform::live::pens;
    counts->brushes = platform::live::brushes;
    counts->fonts = platform::live::fonts;
    counts->bitmaps = platform::live::bitmaps;
    counts->memory_dcs = platform::live::memory_dcs;
    counts->window_dcs = platform::live::window_dcs;
    counts->global_blocks = platform::live::global_blocks;
    counts->windows = platform::live::windows;
    counts->menus = platform::live::menus;
    counts->timers = platform::live::timers;
}
