/*
 * record_and_play.c: join the dots you click, in a pen colour that changes with every periodic
 * event, then record what you did into a script and play it back.
 *
 * Recording and playback belong to the package, not to the program: "&Record Script" (Ctrl+R)
 * writes every event that VORBL_wait_event returns into VORBL.SCR in the working directory,
 * Ctrl+R again stops; "&Playback Script" (Ctrl+P) feeds the file back in place of the mouse,
 * the keyboard and the timer, and "Play &One Script" (Ctrl+O) one event at a time. The program
 * sees the same events either way. Type c before recording and again before playing, so both
 * start from the same state, and the same drawing comes back; s lists the script file. Playback
 * halts the animation; Ctrl+A starts it again.
 *
 * Build: cc record_and_play.c $(pkg-config --cflags --libs vorbl) -o record_and_play
 */
#include <stddef.h>
#include <stdio.h>
#include <vorbl.h>

static const int pens[] = {RED, ORANGE, GOLD, GREEN, SEA_GREEN, BLUE, PURPLE, MAGENTA};
#define PEN_COUNT ((int)(sizeof pens / sizeof pens[0]))

static int pen = 0, has_last = 0, last_x = 0, last_y = 0;

static void start_over(void) {
    pen = 0;
    has_last = 0;
    VORBL_clear_canvas();
    VORBL_draw_text(BLACK, -280, 220, 16,
                    "c clear   Ctrl+R record / stop   Ctrl+P play   s script");
}

static void next_pen(void) {
    pen = (pen + 1) % PEN_COUNT;
    VORBL_draw_circle(pens[pen], 270, 230, 10); /* the pen colour, top right */
}

static void dot(int x, int y) {
    if (has_last) VORBL_draw_line(pens[pen], last_x, last_y, x, y, 3);
    VORBL_draw_circle(pens[pen], x, y, 5);
    has_last = 1;
    last_x = x;
    last_y = y;
}

/* The script is a text file, one event per line; lines reach it when recording stops. */
static void list_script(void) {
    char text[128];
    FILE *script = fopen("VORBL.SCR", "r");
    if (script == NULL) {
        VORBL_text_printf("No VORBL.SCR here yet: record one with Ctrl+R\n");
        return;
    }
    while (fgets(text, sizeof text, script) != NULL) VORBL_text_printf("%s", text);
    fclose(script);
}

int main(void) {
    int kind, x, y;
    unsigned char key;

    if (!VORBL_startup(NULL, NULL, "", 1)) {
        return 1; /* no display: the package has said so on standard error */
    }
    VORBL_set_logging(0);
    VORBL_set_animation(ANIMATE_RUN);
    start_over();

    while ((kind = VORBL_wait_event(&x, &y, &key)) != EVENT_QUIT) {
        if (kind == EVENT_PERIODIC) next_pen();
        if (kind == EVENT_MOUSE) dot(x, y);
        if (kind == EVENT_KBD && key == 'c') start_over();
        if (kind == EVENT_KBD && key == 's') list_script();
    }
    VORBL_shutdown();
    return 0;
}
