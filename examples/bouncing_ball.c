/*
 * bouncing_ball.c: a ball bouncing in a box, one step for every periodic event.
 *
 * VORBL_set_animation(ANIMATE_RUN) makes VORBL_wait_event return an EVENT_PERIODIC about ten
 * times a second; the program moves the ball and draws the frame again for each one. The Run
 * menu controls the animation without any code here: "Halt animation" (Ctrl+H) stops it,
 * "Advance one frame" (Ctrl+F) gives exactly one more periodic event, "Animate" (Ctrl+A) goes
 * on. Typing h, f or a asks the same of the package through VORBL_set_animation.
 *
 * Build: cc bouncing_ball.c $(pkg-config --cflags --libs vorbl) -o bouncing_ball
 */
#include <stddef.h>
#include <vorbl.h>

#define BOX_HALF_WIDTH 200
#define BOX_HALF_HEIGHT 150
#define RADIUS 15

static int ball_x = 0, ball_y = 0, step_x = 9, step_y = 6, frame = 0;

/* Everything is drawn again for every frame, from a cleared canvas. */
static void draw_frame(void) {
    VORBL_clear_canvas();
    VORBL_draw_rectangle(NAVY_BLUE, -BOX_HALF_WIDTH, BOX_HALF_HEIGHT, BOX_HALF_WIDTH,
                         -BOX_HALF_HEIGHT, 3);
    VORBL_draw_circle(ORANGE, ball_x, ball_y, RADIUS);
    VORBL_draw_printf(BLACK, -BOX_HALF_WIDTH, BOX_HALF_HEIGHT + 10, 16, "frame %d", frame);
}

/* One step; a ball that would leave the box turns back, and the text window says where. */
static void move_ball(void) {
    if (ball_x + step_x + RADIUS > BOX_HALF_WIDTH || ball_x + step_x - RADIUS < -BOX_HALF_WIDTH) {
        step_x = -step_x;
        VORBL_text_printf("bounce at (%d, %d) in frame %d\n", ball_x, ball_y, frame);
    }
    if (ball_y + step_y + RADIUS > BOX_HALF_HEIGHT || ball_y + step_y - RADIUS < -BOX_HALF_HEIGHT) {
        step_y = -step_y;
        VORBL_text_printf("bounce at (%d, %d) in frame %d\n", ball_x, ball_y, frame);
    }
    ball_x += step_x;
    ball_y += step_y;
    frame += 1;
}

int main(void) {
    int kind, x, y;
    unsigned char key;

    if (!VORBL_startup(NULL, NULL, "", 1)) {
        return 1; /* no display: the package has said so on standard error */
    }
    VORBL_set_logging(0);
    VORBL_text_printf("Ctrl+H halts, Ctrl+F advances one frame, Ctrl+A animates again\n");
    VORBL_set_animation(ANIMATE_RUN);
    draw_frame();

    while ((kind = VORBL_wait_event(&x, &y, &key)) != EVENT_QUIT) {
        if (kind == EVENT_PERIODIC) {
            move_ball();
            draw_frame();
        } else if (kind == EVENT_KBD && key == 'h') {
            VORBL_set_animation(ANIMATE_HALT);
        } else if (kind == EVENT_KBD && key == 'f') {
            VORBL_set_animation(ANIMATE_ONE_FRAME); /* halted: one frame; running: no change */
        } else if (kind == EVENT_KBD && key == 'a') {
            VORBL_set_animation(ANIMATE_RUN);
        }
    }
    VORBL_shutdown();
    return 0;
}
