/*
 * platform_object_counts.h: how many platform objects are alive, so a test or tool can check that
 * a piece of code gave back everything it created. Stock objects are not counted.
 */
#ifndef VORBL_PLATFORM_OBJECT_COUNTS_H
#define VORBL_PLATFORM_OBJECT_COUNTS_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlatformObjectCounts {
    int pens;
    int brushes;
    int fonts;
    int bitmaps;
    int memory_dcs;    /* CreateCompatibleDC without DeleteDC */
    int window_dcs;    /* GetDC / BeginPaint without ReleaseDC / EndPaint */
    int global_blocks; /* GlobalAlloc without GlobalFree */
    int windows;
    int menus;
    int timers;
} PlatformObjectCounts;

void platform_object_counts(PlatformObjectCounts *counts);

#ifdef __cplusplus
}
#endif

#endif /* VORBL_PLATFORM_OBJECT_COUNTS_H */
