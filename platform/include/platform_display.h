/*
 * platform_display.h: whether the program had a display to show its windows on.
 *
 * The platform layer says in one line on standard error when no graphical display can be opened,
 * or when the display goes away while the program runs (its windows are then closed, so the
 * program ends the usual way). A process entry reads this to end with a non-zero exit code.
 */
#ifndef VORBL_PLATFORM_DISPLAY_H
#define VORBL_PLATFORM_DISPLAY_H

#ifdef __cplusplus
extern "C" {
#endif

/* 1 when no display could be opened or the display was lost; 0 otherwise (and always 0 on the
 * headless host). */
int platform_display_failed(void);

#ifdef __cplusplus
}
#endif

#endif /* VORBL_PLATFORM_DISPLAY_H */
