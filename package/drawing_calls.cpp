// drawing_calls.cpp: the package's public drawing calls and the colour check.
//
// Each public call is a thin entry over a worker of the same parameters. A worker never refuses
// an argument: it corrects each bad one in a fixed order, reports every correction in the text
// window, writes one log line while logging is on, builds one DrawRecord and hands it to the
// renderer, which draws it onto the canvas at once.
//
// Depends on the colour table (color_table.cpp), the renderer (renderer.cpp), the text window
// (text_window.cpp) for every message, and message_text for the formatting buffer and the text
// copy. Needs the canvas that VORBL_startup creates; before that nothing reaches any pixels.
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <utility>

#include "message_text.h"
#include "vorbl_internal.h"

namespace vorbl {

namespace {

// The positive counterpart of a negative size. INT_MIN has none in 32 bits, so it becomes
// INT_MAX, the nearest value that can be used.
int positive_size(int value) { return value == INT_MIN ? INT_MAX : -value; }

// Corrects a negative size, writing "<Noun> of v not possible, using <noun> w".
int correct_negative(const char *capitalised, const char *noun, int value) {
    if (value >= 0) return value;
    const int used = positive_size(value);
    VORBL_text_printf("%s of %d not possible, using %s %d\n", capitalised, value, noun, used);
    return used;
}

// A coordinate computed in 64 bits, held to the 32-bit range of the record's fields.
std::int32_t saturate(std::int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

// Exchanges the corners so (x1, y1) is the upper-left and (x2, y2) the lower-right one.
void order_corners(int &x1, int &y1, int &x2, int &y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 < y2) std::swap(y1, y2);
}

DrawRecord shape_record(int kind, int color, int width, int x1, int y1, int x2, int y2) {
    DrawRecord record{};
    record.kind = kind;
    record.color = color;
    record.width = width;
    record.x1 = x1;
    record.y1 = y1;
    record.x2 = x2;
    record.y2 = y2;
    return record;
}

int draw_circle(int color, int x, int y, int radius) {
    color = VORBL_check_color(color);
    radius = correct_negative("Radius", "radius", radius);
    if (logging_on) {
        VORBL_text_printf("%s circle at (%d,%d), radius %d\n", color_name[color], x, y, radius);
    }
    // The disc's bounding box; a radius near INT_MAX would overflow 32 bits, so the box is held
    // to the representable range (which lies far outside the canvas either way).
    const std::int64_t r = radius;
    DrawRecord record = shape_record(DRAW_OVAL, color, 0, saturate(x - r), saturate(y + r),
                                     saturate(x + r), saturate(y - r));
    render_record(&record);
    return 1;
}

int draw_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width) {
    color = VORBL_check_color(color);
    width = correct_negative("Width", "width", width);
    if (logging_on) {
        VORBL_text_printf("%s triangle at (%d,%d), (%d,%d), (%d,%d)\n", color_name[color], x1, y1,
                          x2, y2, x3, y3);
    }
    DrawRecord record = shape_record(DRAW_TRIANGLE, color, width, x1, y1, x2, y2);
    record.x3 = x3;
    record.y3 = y3;
    render_record(&record);
    return 1;
}

int draw_rectangle(int color, int x1, int y1, int x2, int y2, int width) {
    order_corners(x1, y1, x2, y2);
    color = VORBL_check_color(color);
    width = correct_negative("Width", "width", width);
    if (logging_on && width != 0) {
        VORBL_text_printf("%s rectangle with bounding box (%d,%d) to (%d,%d) with line width %d\n",
                          color_name[color], x1, y1, x2, y2, width);
    } else if (logging_on) {
        VORBL_text_printf("%s rectangle with bounding box (%d,%d) to (%d,%d), filled\n",
                          color_name[color], x1, y1, x2, y2);
    }
    DrawRecord record = shape_record(DRAW_RECTANGLE, color, width, x1, y1, x2, y2);
    render_record(&record);
    return 1;
}

// As the rectangle, except that the width is corrected before the colour is checked.
int draw_oval(int color, int x1, int y1, int x2, int y2, int width) {
    order_corners(x1, y1, x2, y2);
    width = correct_negative("Width", "width", width);
    color = VORBL_check_color(color);
    if (logging_on && width != 0) {
        VORBL_text_printf("%s oval with bounding box (%d,%d) to (%d,%d), line width %d\n",
                          color_name[color], x1, y1, x2, y2, width);
    } else if (logging_on) {
        VORBL_text_printf("%s oval with bounding box (%d,%d) to (%d,%d), filled\n",
                          color_name[color], x1, y1, x2, y2);
    }
    DrawRecord record = shape_record(DRAW_OVAL, color, width, x1, y1, x2, y2);
    render_record(&record);
    return 1;
}

int draw_line(int color, int x1, int y1, int x2, int y2, int width) {
    width = correct_negative("Width", "width", width);
    color = VORBL_check_color(color);
    if (logging_on) {
        VORBL_text_printf("%s line from (%d,%d) to (%d,%d), width %d\n", color_name[color], x1, y1,
                          x2, y2, width);
    }
    // A line is never thinner than one pixel; width 0 is logged as given and drawn as 1.
    DrawRecord record = shape_record(DRAW_LINE, color, width == 0 ? 1 : width, x1, y1, x2, y2);
    render_record(&record);
    return 1;
}

int draw_text(int color, int x, int y, int ptsize, const char *text) {
    if (text == nullptr) text = "";  // nothing to read: drawn as the empty text
    ptsize = correct_negative("ptsize", "ptsize", ptsize);
    if (ptsize > 127) {
        VORBL_text_printf("ptsize of %d not possible, using ptsize %d\n", ptsize, 127);
        ptsize = 127;
    }
    color = VORBL_check_color(color);
    if (logging_on) {
        VORBL_text_printf("%s text at (%d,%d), \"%s\"\n", color_name[color], x, y, text);
    }
    HGLOBAL copy = text_block_copy(text, std::strlen(text));
    if (copy == nullptr) {
        VORBL_text_printf("No memory for a copy of the text; text not drawn\n");
        return 1;
    }
    DrawRecord record = shape_record(DRAW_TEXT, color, 0, x, y, ptsize, 0);
    record.text = copy;
    render_record(&record);
    GlobalFree(copy);
    return 1;
}

// The result is the number of characters drawn: output longer than 1023 characters is cut
// there, and the count says how much of it the canvas shows.
int draw_printf(int color, int x, int y, int ptsize, const char *format, va_list args) {
    char buffer[MESSAGE_BUFFER_SIZE];
    const int count = format_message(buffer, format, args);
    VORBL_draw_text(color, x, y, ptsize, buffer);
    return count;
}

int clear_canvas() {
    if (logging_on) VORBL_text_printf("Clearing the graphics window\n");
    erase_canvas();
    return 1;
}

}  // namespace

extern "C" int VORBL_check_color(int color) {
    if (color >= 0 && color < COLOR_COUNT) return color;
    VORBL_text_printf("Illegal color %d; using RED.\n", color);
    return RED;
}

extern "C" int VORBL_draw_circle(int color, int x, int y, int radius) {
    return draw_circle(color, x, y, radius);
}

extern "C" int VORBL_draw_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3,
                                   int width) {
    return draw_triangle(color, x1, y1, x2, y2, x3, y3, width);
}

extern "C" int VORBL_draw_rectangle(int color, int x1, int y1, int x2, int y2, int width) {
    return draw_rectangle(color, x1, y1, x2, y2, width);
}

extern "C" int VORBL_draw_oval(int color, int x1, int y1, int x2, int y2, int width) {
    return draw_oval(color, x1, y1, x2, y2, width);
}

extern "C" int VORBL_draw_line(int color, int x1, int y1, int x2, int y2, int width) {
    return draw_line(color, x1, y1, x2, y2, width);
}

extern "C" int VORBL_draw_text(int color, int x, int y, int ptsize, const char *text) {
    return draw_text(color, x, y, ptsize, text);
}

extern "C" int VORBL_draw_printf(int color, int x, int y, int ptsize, const char *format, ...) {
    va_list args;
    va_start(args, format);
    const int count = draw_printf(color, x, y, ptsize, format, args);
    va_end(args);
    return count;
}

extern "C" int VORBL_clear_canvas(void) { return clear_canvas(); }

}  // namespace vorbl
