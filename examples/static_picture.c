/*
 * static_picture.c: a still picture made with every drawing call of the VORBL package and all
 * of its 24 colours.
 *
 * The shape of every program on the package: start it, draw, then wait for events until the
 * quit (Ctrl+Q, "&Quit" in the Run menu, or closing the window), and shut it down. Nothing
 * moves here, so the animation is never started and every other event is ignored. Positions are
 * logical: (0, 0) is the centre of the window, y grows upward, one unit is one pixel.
 *
 * Build: cc static_picture.c $(pkg-config --cflags --libs vorbl) -o static_picture
 */
#include <stddef.h>
#include <vorbl.h>

/* The 24 colours as circles with a black rim, eight to a row, each with its index beside it. */
static void draw_palette(void) {
    int color;
    for (color = 0; color < COLOR_COUNT; ++color) {
        int x = -270 + (color % 8) * 70;
        int y = -40 - (color / 8) * 45;
        VORBL_draw_circle(BLACK, x, y, 14);
        VORBL_draw_circle(color, x, y, 12);
        VORBL_draw_printf(BLACK, x + 18, y + 8, 14, "%d", color);
    }
}

int main(void) {
    int x, y;
    unsigned char key;

    /* Off Windows there are no instance handles to hand on; 1 shows the windows normally. */
    if (!VORBL_startup(NULL, NULL, "", 1)) {
        return 1; /* no display: the package has said so on standard error */
    }
    VORBL_set_logging(0); /* Ctrl+L switches the log of every drawing call on again */
    VORBL_clear_canvas(); /* white, with a black one-pixel frame */

    VORBL_draw_text(BLACK, -280, 200, 22, "Every drawing call, every colour");

    /* Width 0 fills a shape; a width above 0 draws only its outline, that many pixels wide. */
    VORBL_draw_circle(RED, -240, 130, 35);
    VORBL_draw_triangle(GREEN, -190, 95, -120, 95, -155, 165, 0);
    VORBL_draw_triangle(BLUE, -100, 95, -30, 95, -65, 165, 3);
    VORBL_draw_rectangle(YELLOW, -10, 165, 60, 95, 0);
    VORBL_draw_rectangle(PURPLE, 80, 165, 150, 95, 2);
    VORBL_draw_oval(ORANGE, 170, 165, 270, 95, 0);
    VORBL_draw_oval(NAVY_BLUE, -280, 70, -180, 10, 4);
    VORBL_draw_line(BROWN, -160, 10, -60, 70, 1);
    VORBL_draw_line(FOREST_GREEN, -40, 10, 60, 70, 6);
    VORBL_draw_text(MAGENTA, 80, 55, 18, "text, and\na second line");
    draw_palette();

    /* Corrected, not refused: colour 99 does not exist, so this text is drawn in red and the
       text window says "Illegal color 99; using RED." */
    VORBL_draw_text(99, -280, -190, 16, "colour 99 does not exist: drawn in red");

    while (VORBL_wait_event(&x, &y, &key) != EVENT_QUIT) {
        /* a still picture: every event but the quit is ignored */
    }
    VORBL_shutdown();
    return 0;
}
