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

/*
 * Drawing calls. Positions are logical: (0, 0) is the centre of the graphics window's client
 * area, x grows to the right and y upward, one unit per pixel; whatever falls outside the
 * 601 x 540 canvas is clipped. A call draws onto the off-screen canvas at once; the screen shows
 * it after the program's next VORBL_wait_event. No call refuses its arguments: each bad one is
 * replaced, and every replacement writes one line in the text window, logging on or off:
 *   colour c not in 0..23   "Illegal color %d; using RED."                (c)       uses RED
 *   radius r below 0        "Radius of %d not possible, using radius %d"  (r, -r)   uses -r
 *   width w below 0         "Width of %d not possible, using width %d"    (w, -w)   uses -w
 *   ptsize p below 0        "ptsize of %d not possible, using ptsize %d"  (p, -p)   uses -p
 *   ptsize p above 127      "ptsize of %d not possible, using ptsize %d"  (p, 127)  uses 127
 * While logging is on (VORBL_set_logging) each call also writes one line describing what it
 * drew, with the colour's name ("red", "navy blue", "50% gray" ...) and the corrected values.
 * Width 0 fills a triangle, rectangle or oval; a width w > 0 draws only its outline, w pixels
 * wide and centred on the shape's edge. The drawing calls need VORBL_startup first.
 */

/* A filled disc of `radius` around (x, y): (2 radius + 1) pixels across. Colour checked first,
   then the radius. Returns 1. */
int VORBL_draw_circle(int color, int x, int y, int radius);
/* A triangle through the three corners, in the order given. Colour checked first, then the
   width. Returns 1. */
int VORBL_draw_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width);
/* A rectangle between two opposite corners given in any order; both corner pixels are part of
   it. Colour checked first, then the width. Returns 1. */
int VORBL_draw_rectangle(int color, int x1, int y1, int x2, int y2, int width);
/* The oval inscribed in the rectangle between two opposite corners (any order). The width is
   checked first, then the colour. Returns 1. */
int VORBL_draw_oval(int color, int x1, int y1, int x2, int y2, int width);
/* A line from (x1, y1) to (x2, y2), `width` pixels wide with round ends; a one-pixel line
   leaves out its end pixel. Width 0 draws one pixel wide without a message. The width is
   checked first, then the colour. Returns 1. */
int VORBL_draw_line(int color, int x1, int y1, int x2, int y2, int width);
/* `text` with characters `ptsize` pixels high (0: the font's default height; at most 127).
   Its first line stands on (x, y): the letters fill the rows just above y, starting at column
   x; each '\n' starts a new line below. Bytes are Windows-1252. ptsize is corrected first
   (both messages can come from one call), then the colour; a NULL text draws nothing.
   Returns 1. */
int VORBL_draw_text(int color, int x, int y, int ptsize, const char *text);
/* VORBL_draw_text of the text that `format` and the further arguments give (printf rules), cut
   at 1023 characters. Returns the number of characters drawn (a negative number when the
   format cannot be applied), not 1. */
int VORBL_draw_printf(int color, int x, int y, int ptsize, const char *format, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 5, 6)))
#endif
    ;
/* Paints the whole canvas white inside a black one-pixel frame (its outermost rows and
   columns). Logs "Clearing the graphics window" while logging is on. Returns 1. */
int VORBL_clear_canvas(void);
/* The colour to draw with for `color`: itself when it is 0 to 23; otherwise RED (2), after the
   message "Illegal color %d; using RED.". Every drawing call checks its colour this way. */
int VORBL_check_color(int color);

/*
 * The text window, "VORBL Text": the 25 most recent messages, newest in the bottom row. A
 * message is one row whatever it holds; the line feed that ends it is not drawn.
 */

/* Stores one message formatted by printf rules (cut at 1023 characters) and shows it. Returns
   the number of characters stored, or -1 when there is no memory to store it. */
int VORBL_text_printf(const char *format, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
/* Shows the text window (`show` not 0) or hides it (0). Returns non-zero when it was visible
   before, 0 when it was hidden. Messages are stored while it is hidden, too. */
int VORBL_show_text_window(int show);
/* Switches the drawing log on (`on` not 0) or off, with the check mark of "&Logging" in the Run
   menu; switching it on also shows the text window. Logging is on when the package starts.
   Returns 1, or 0 (and changes nothing) before VORBL_startup. */
int VORBL_set_logging(int on);

/* Events and animation. */

/* ANIMATE_RUN: a periodic event at every wait that has no other event first, about ten a
   second (the timer runs every 50 ms; with nothing else to do, one periodic event comes per two
   timer messages). ANIMATE_HALT: none. ANIMATE_ONE_FRAME: one more periodic event, leaving a
   running animation running (the menu's "Advance one frame" halts it after that frame).
   ANIMATE_QUIT: every later wait returns EVENT_QUIT. Other codes do nothing. Returns 1 (also
   for a code without an action), or 0 (and changes nothing) before VORBL_startup. */
int VORBL_set_animation(int action);
/* Blocks until the next event and returns its kind: EVENT_MOUSE (a left click in the graphics
   window; *x, *y its logical position), EVENT_KBD (a character typed without Ctrl; *key its
   Windows-1252 code), EVENT_PERIODIC (an animation tick) or EVENT_QUIT (Ctrl+Q, "&Quit", the
   graphics window closed, or ANIMATE_QUIT). All three out-parameters are written every time; a
   value the event does not set is 0; a NULL pointer is skipped. While a script plays, the
   events come from it. Windows are painted, menus work and the drawing reaches the screen only
   inside this call. Before VORBL_startup, or once the graphics window is gone, it returns
   EVENT_QUIT at once. */
int VORBL_wait_event(int *x, int *y, unsigned char *key);

/* Start-up and shutdown. */

/* Opens the graphics window "VORBL Graphics" (601 x 540 at the top-left of the screen, with the
   "&Run" menu) and the text window "VORBL Text" below it, makes the canvas (not yet cleared)
   and starts the 50 ms animation timer; the animation itself is halted. On Windows, hand on the
   four arguments of WinMain; elsewhere pass NULL, NULL, "" and 1 (show normally). The command
   line is only read. Returns 1, also for a second call, which does nothing. Returns 0 when the
   package could not start (no graphical display, or the graphics window could not be made),
   after saying why in one line on standard error; every other call is then harmless (drawing
   does nothing, a wait returns EVENT_QUIT), so a program that checks the result can end. */
int VORBL_startup(void *instance, void *previous_instance, const char *command_line, int show_mode);
/* Closes the script file and gives back the windows, the canvas and what start-up made; call it
   once the program has received EVENT_QUIT. Returns 1. */
int VORBL_shutdown(void);

#ifdef __cplusplus
}
#endif

#endif /* VORBL_H */
