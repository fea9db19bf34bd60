// object_counts.h: counters of the platform objects that are alive, one per kind.
//
// Each module counts what it creates and frees (one thread, no locks); platform_object_counts.h
// reads them. Stock objects are never counted.
#pragma once

namespace platform::object_counts {

inline int pens = 0;
inline int brushes = 0;
inline int fonts = 0;
inline int bitmaps = 0;
inline int memory_dcs = 0;
inline int window_dcs = 0;
inline int global_blocks = 0;
inline int windows = 0;
inline int menus = 0;
inline int timers = 0;

}  // namespace platform::object_counts
