/*
 * headless_host.h: select and drive the headless host, a screen-less stand-in for the desktop.
 *
 * Time is virtual: when nothing is queued, a wait for messages moves the clock straight to the
 * next timer deadline or scheduled action, so tests run fast and the same way every time. Input
 * is injected by these calls and becomes the window messages a real desktop would produce.
 * A wait on which nothing can ever happen (no input, no timer, no scheduled action) is reported
 * on standard error and aborts the process: a test fails instead of hanging.
 */
#ifndef VORBL_PLATFORM_HEADLESS_HOST_H
#define VORBL_PLATFORM_HEADLESS_HOST_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Select the headless host; call before the first window is created. */
void headless_host_use(void);
/* The virtual clock, in milliseconds since the host was selected. */
unsigned headless_host_now_ms(void);
/* Run action(arg) when the virtual clock reaches now + ms, before any message due later. */
void headless_host_after(unsigned ms, void (*action)(void *), void *arg);
/* A key going down (down != 0) or up, with the character the US layout gives. */
void headless_host_key(int vk, int down);
/* A key-down and key-up that type exactly this Windows-1252 byte. */
void headless_host_char(unsigned char code);
/* A left press and release at client pixel (x, y); a negative y lands above the client area. */
void headless_host_click(HWND window, int x, int y);
/* The mouse moves to client pixel (x, y). */
void headless_host_move(HWND window, int x, int y);
/* The user resizes the window on the desktop: its content area (menu bar and client area) becomes
 * width x height pixels. */
void headless_host_resize(HWND window, int width, int height);
/* The user asks to close the window (the close button of its frame). */
void headless_host_close(HWND window);
/* The screen size the host reports (default 1024 x 768). */
void headless_host_set_screen(int width, int height);

#ifdef __cplusplus
}
#endif

#endif /* VORBL_PLATFORM_HEADLESS_HOST_H */
