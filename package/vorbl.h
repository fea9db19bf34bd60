/*
 * vorbl.h: the VORBL package, everything a program written on it needs.
 *
 * A 601 x 540 canvas in logical coordinates (origin at the centre of the graphics window's
 * client area, y upward), drawing calls in 24 named colours that correct bad arguments and say
 * so in the text window, one blocking event wait, the text window itself, and the "&Run" menu
 * that starts, halts and single-steps the animation, switches the drawing log and records and
 * plays back scripts. A program includes this header only.
 */
#ifndef VORBL_H
#define VORBL_H

#ifdef __cplusplus
extern "C" {
#endif

/* The 24 colours (indices into the package's colour table). */
enum {
    BLACK = 0,
    WHITE = 1,
    RED = 2,
    GREEN = 3,
    BLUE = 4,
    YELLOW = 5,
    MAGENTA = 6,
    CYAN = 7,
    PURPLE = 8,
    NAVY_BLUE = 9,
    DUSTY_PLUM = 10,
    ICE_BLUE = 11,
    TURQUOISE = 12,
    ORANGE = 13,
    BROWN = 14,
    PINK = 15,
    CHALK = 16,
    GOLD = 17,
    PEACH = 18,
    FOREST_GREEN = 19,
    SEA_GREEN = 20,
    OLIVE = 21,
    GRAY_50 = 22,
    GRAY_20 = 23,
    COLOR_COUNT = 24
};

/* What VORBL_wait_event returns. */
enum { EVENT_MOUSE = 1, EVENT_KBD = 2, EVENT_PERIODIC = 3, EVENT_QUIT = 4 };

/* The actions of VORBL_set_animation. */
enum { ANIMATE_HALT = 0, ANIMATE_ONE_FRAME = 1, ANIMATE_RUN = 2, ANIMATE_QUIT = 5 };

/* The command identifiers of the "&Run" menu. */
enum {
    CMD_ANIMATE = 1,
    CMD_HALT = 2,
    CMD_ONE_FRAME = 3,
    CMD_LOGGING = 4,
    CMD_RECORD = 5,
    CMD_PLAYBACK = 6,
    CMD_PLAY_ONE = 7,
    CMD_QUIT = 8,
    CMD_INFO = 9
};

/* Drawing calls: each returns 1, except VORBL_draw_printf (characters formatted). */
int VORBL_draw_circle(int color, int x, int y, int radius);
int VORBL_draw_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width);
int VORBL_draw_rectangle(int color, int x1, int y1, int x2, int y2, int width);
int VORBL_draw_oval(int color, int x1, int y1, int x2, int y2, int width);
int VORBL_draw_line(int color, int x1, int y1, int x2, int y2, int width);
int VORBL_draw_text(int color, int x, int y, int ptsize, const char *text);
int VORBL_draw_printf(int color, int x, int y, int ptsize, const char *format, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 5, 6)))
#endif
    ;
int VORBL_clear_canvas(void);
int VORBL_check_color(int color);

/* The text window. */
int VORBL_text_printf(const char *format, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
int VORBL_show_text_window(int show);
int VORBL_set_logging(int on);

/* Events and animation. */
int VORBL_set_animation(int action);
int VORBL_wait_event(int *x, int *y, unsigned char *key);

/* Start-up and shutdown: the process entry's four arguments are handed on unchanged. */
int VORBL_startup(void *instance, void *previous_instance, char *command_line, int show_mode);
int VORBL_shutdown(void);

#ifdef __cplusplus
}
#endif

#endif /* VORBL_H */
