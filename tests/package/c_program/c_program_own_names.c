/*
 * c_program_own_names.c: a C program on the package that uses, for its own globals and
 * functions, the names the package gives its internal state and routines. It must link (the
 * package exports only its VORBL_ calls) and its globals must stay its own while the package
 * runs: the program draws, waits and shuts down, then checks that nothing of its changed.
 */
#include <headless_host.h>
#include <stdio.h>

#include "vorbl.h"

/* The package's internal variable names, as this program's own globals. */
int animating = 11, app_instance = 12, canvas_bitmap = 13, canvas_dc = 14, ctrl_held = 15;
int event_key = 16, event_x = 17, event_y = 18, graphics_hwnd = 19, one_frame_pending = 20;
int origin_x = 21, origin_y = 22, periodic_run_count = 23, playback_periodic_owed = 24;
int quit_requested = 25, refused_write_reported = 26, run_menu = 27, script_file = 28;
int script_file_for_writing = 29, script_play_one = 30, script_playback = 31;
int script_recording = 32, text_hwnd = 33, text_lines = 34, text_next = 35, tick_pending = 36;
int window_dc = 37, canvas_dirty = 38, color_name = 39, event_kind = 40, logging_on = 41;
int text_block_allocator = 42, text_first = 43, SCRIPT_FILE_NAME = 44, color_rgb = 45;

/* And its internal routine names, as this program's own functions. */
int erase_canvas(void) { return 1; }
int render_record(void) { return 2; }
int pump_one_message(void) { return 3; }
int script_close(void) { return 4; }
int text_window_paint(void) { return 5; }
int format_message(void) { return 6; }
int graphics_window_proc(void) { return 7; }

static int sum_of_globals(void) {
    return animating + app_instance + canvas_bitmap + canvas_dc + ctrl_held + event_key + event_x +
           event_y + graphics_hwnd + one_frame_pending + origin_x + origin_y + periodic_run_count +
           playback_periodic_owed + quit_requested + refused_write_reported + run_menu +
           script_file + script_file_for_writing + script_play_one + script_playback +
           script_recording + text_hwnd + text_lines + text_next + tick_pending + window_dc +
           canvas_dirty + color_name + event_kind + logging_on + text_block_allocator + text_first +
           SCRIPT_FILE_NAME + color_rgb;
}

int main(void) {
    const int expected = sum_of_globals();
    int x = 0, y = 0, periodic = 0;
    unsigned char key = 0;
    headless_host_use();
    VORBL_startup(NULL, NULL, "", 1);
    VORBL_set_logging(1);
    VORBL_draw_circle(RED, 0, 0, 10);
    VORBL_text_printf("a line of %s\n", "text");
    VORBL_set_animation(ANIMATE_RUN);
    while (periodic < 3) {
        if (VORBL_wait_event(&x, &y, &key) == EVENT_PERIODIC) ++periodic;
    }
    VORBL_shutdown();
    if (sum_of_globals() != expected || erase_canvas() + render_record() + pump_one_message() +
                                                script_close() + text_window_paint() +
                                                format_message() + graphics_window_proc() !=
                                            28) {
        fprintf(stderr, "the package changed a global or a function of the program\n");
        return 1;
    }
    puts("the program's own names stayed its own");
    return 0;
}
