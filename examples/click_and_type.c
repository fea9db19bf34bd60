/*
 * click_and_type.c: a dot where you click, your typing on the canvas, and every event written
 * in the text window ("VORBL Text").
 *
 * EVENT_MOUSE brings the logical position of a left click (0, 0 at the centre, y upward);
 * EVENT_KBD brings one typed character (Windows-1252; Enter gives 13, Backspace 8). Characters
 * typed with Ctrl held are the package's own menu keys and never reach the program.
 *
 * Build: cc click_and_type.c $(pkg-config --cflags --libs vorbl) -o click_and_type
 */
#include <stddef.h>
#include <vorbl.h>

#define LINE_LEFT -280
#define FIRST_LINE -120
#define LINE_HEIGHT 26
#define LINE_LENGTH 40

static char line[LINE_LENGTH + 1];
static int line_length = 0, line_y = FIRST_LINE;

/* The line being typed, over a white strip that hides what it said before: a text stands on
   its anchor, so its letters take the rows just above line_y. */
static void draw_line_being_typed(void) {
    VORBL_draw_rectangle(WHITE, LINE_LEFT, line_y + LINE_HEIGHT - 1, 290, line_y + 1, 0);
    VORBL_draw_text(BLUE, LINE_LEFT, line_y, 20, line);
}

static void click(int x, int y) {
    VORBL_draw_circle(RED, x, y, 4);
    VORBL_draw_printf(BLACK, x + 6, y + 2, 12, "(%d, %d)", x, y);
    VORBL_text_printf("click at (%d, %d)\n", x, y);
}

static void type(unsigned char key) {
    VORBL_text_printf("character %d\n", key);
    if (key == 13) { /* Enter: the next line */
        line_length = 0;
        line_y -= LINE_HEIGHT;
    } else if (key == 8 && line_length > 0) { /* Backspace */
        line_length -= 1;
    } else if (key >= 32 && line_length < LINE_LENGTH) {
        line[line_length++] = (char)key;
    }
    line[line_length] = '\0';
    draw_line_being_typed();
}

int main(void) {
    int kind, x, y;
    unsigned char key;

    if (!VORBL_startup(NULL, NULL, "", 1)) {
        return 1; /* no display: the package has said so on standard error */
    }
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    VORBL_draw_text(BLACK, LINE_LEFT, 200, 20, "Click anywhere, then type.");
    VORBL_draw_line(GRAY_50, LINE_LEFT, FIRST_LINE + LINE_HEIGHT + 4, 280,
                    FIRST_LINE + LINE_HEIGHT + 4, 1);

    while ((kind = VORBL_wait_event(&x, &y, &key)) != EVENT_QUIT) {
        if (kind == EVENT_MOUSE) {
            click(x, y);
        } else if (kind == EVENT_KBD) {
            type(key);
        }
    }
    VORBL_shutdown();
    return 0;
}
