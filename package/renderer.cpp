// renderer.cpp: turns one DrawRecord into pixels on the off-screen canvas, erases the canvas,
// and keeps the flag that says the canvas changed since it was last copied to the screen.
//
// Depends on the canvas (canvas_dc) and the logical origin (origin_x, origin_y) that the windows
// module sets up, on the colour table, and on the GDI calls of <windows.h>. Every pen, brush
// and font is created for one primitive, selected, put back and deleted before the call
// returns, so between calls canvas_dc holds the objects it had before. The drawing calls have
// already corrected every argument; the renderer only guards against what would be unsafe
// (a colour outside the table, coordinates that overflow 32 bits, no canvas yet).
#include <climits>
#include <cstdint>

#include "message_text.h"
#include "vorbl_internal.h"

namespace vorbl {

int canvas_dirty = 1;

namespace {

int clamp_to_int(std::int64_t value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// Logical x to canvas column, and logical y (upward) plus a downward offset to canvas row.
int canvas_x(std::int64_t x) { return clamp_to_int(origin_x + x); }
int canvas_y(std::int64_t y, std::int64_t down = 0) { return clamp_to_int(origin_y - y + down); }

COLORREF record_rgb(const DrawRecord *record) {
    const bool known = record->color >= 0 && record->color < COLOR_COUNT;
    return color_rgb[known ? record->color : RED];
}

// The shapes' pen: solid, `width` pixels (0 gives the one-pixel pen).
HPEN shape_pen(const DrawRecord *record) {
    return CreatePen(PS_SOLID, record->width, record_rgb(record));
}

// Width 0 fills with a new brush of the pen's colour; any other width leaves the inside alone.
HBRUSH shape_brush(const DrawRecord *record) {
    if (record->width == 0) return CreateSolidBrush(record_rgb(record));
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// The shared hollow brush is never freed; a brush of our own is.
void delete_shape_brush(const DrawRecord *record, HBRUSH brush) {
    if (record->width == 0) DeleteObject(brush);
}

void render_triangle(const DrawRecord *record) {
    HPEN pen = shape_pen(record);
    HGDIOBJ previous_pen = SelectObject(canvas_dc, pen);
    const POINT corners[3] = {{canvas_x(record->x1), canvas_y(record->y1)},
                              {canvas_x(record->x2), canvas_y(record->y2)},
                              {canvas_x(record->x3), canvas_y(record->y3)}};
    HBRUSH brush = shape_brush(record);
    HGDIOBJ previous_brush = SelectObject(canvas_dc, brush);
    Polygon(canvas_dc, corners, 3);
    SelectObject(canvas_dc, previous_pen);
    SelectObject(canvas_dc, previous_brush);
    DeleteObject(pen);
    delete_shape_brush(record, brush);
}

// The rectangle and the oval: one box covering both corner pixels, since the primitives leave
// out their right and bottom edges.
void render_box(const DrawRecord *record) {
    HPEN pen = shape_pen(record);
    HBRUSH brush = shape_brush(record);
    HGDIOBJ previous_pen = SelectObject(canvas_dc, pen);
    HGDIOBJ previous_brush = SelectObject(canvas_dc, brush);
    const int left = canvas_x(record->x1);
    const int top = canvas_y(record->y1);
    const int right = canvas_x(std::int64_t{record->x2} + 1);
    const int bottom = canvas_y(record->y2, 1);
    if (record->kind == DRAW_RECTANGLE) {
        Rectangle(canvas_dc, left, top, right, bottom);
    } else {
        Ellipse(canvas_dc, left, top, right, bottom);
    }
    SelectObject(canvas_dc, previous_pen);
    SelectObject(canvas_dc, previous_brush);
    DeleteObject(pen);
    delete_shape_brush(record, brush);
}

void render_line(const DrawRecord *record) {
    HPEN pen = shape_pen(record);
    HGDIOBJ previous_pen = SelectObject(canvas_dc, pen);
    MoveToEx(canvas_dc, canvas_x(record->x1), canvas_y(record->y1), nullptr);
    LineTo(canvas_dc, canvas_x(record->x2), canvas_y(record->y2));
    SelectObject(canvas_dc, previous_pen);
    DeleteObject(pen);
}

void render_point(const DrawRecord *record) {
    SetPixel(canvas_dc, canvas_x(record->x1), canvas_y(record->y1), record_rgb(record));
}

HFONT create_text_font(int point_size) {
    // A negative height asks for a character (em) height of point_size pixels.
    return CreateFontA(-point_size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       "VORBL-font");
}

int byte_count(std::size_t length) {
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

// Draws the text's lines: line k (from 0) has its top-left at the anchor column and at
// (k - 1) * h rows below the anchor row, so the first line stands on the anchor.
void draw_text_lines(const DrawRecord *record, const char *bytes, std::size_t length) {
    SIZE extent{};
    GetTextExtentPointA(canvas_dc, bytes, byte_count(length), &extent);
    const std::int64_t line_height = extent.cy;
    const int left = canvas_x(record->x1);
    std::int64_t line = -1;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        if (i < length && bytes[i] != '\n') continue;
        if (i > start) {
            TextOutA(canvas_dc, left, canvas_y(record->y1, line * line_height), bytes + start,
                     byte_count(i - start));
        }
        ++line;
        start = i + 1;
    }
}

void render_text(const DrawRecord *record) {
    SetTextColor(canvas_dc, record_rgb(record));
    const int previous_mode = GetBkMode(canvas_dc);
    SetBkMode(canvas_dc, TRANSPARENT);
    HFONT font = create_text_font(record->x2);
    HGDIOBJ previous_font = SelectObject(canvas_dc, font);
    const char *bytes = static_cast<const char *>(GlobalLock(record->text));
    if (bytes != nullptr) {
        draw_text_lines(record, bytes, text_block_length(record->text, bytes));
        GlobalUnlock(record->text);
    }
    SetBkMode(canvas_dc, previous_mode);
    SelectObject(canvas_dc, previous_font);
    DeleteObject(font);
}

void render_kind(const DrawRecord *record) {
    switch (record->kind) {
        case DRAW_TRIANGLE: render_triangle(record); break;
        case DRAW_RECTANGLE:
        case DRAW_OVAL: render_box(record); break;  // both are drawn in their box
        case DRAW_LINE: render_line(record); break;
        case DRAW_POINT: render_point(record); break;
        case DRAW_TEXT: render_text(record); break;
        default: break;  // an unknown kind draws nothing
    }
}

}  // namespace

void render_record(const DrawRecord *record) {
    if (record != nullptr && canvas_dc != nullptr) render_kind(record);
    canvas_dirty = 1;
}

void erase_canvas(void) {
    if (canvas_dc != nullptr) {
        // The current pen is the canvas's default one-pixel black pen, which frames the white.
        HBRUSH white = CreateSolidBrush(color_rgb[WHITE]);
        HGDIOBJ previous_brush = SelectObject(canvas_dc, white);
        Rectangle(canvas_dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT);
        SelectObject(canvas_dc, previous_brush);
        DeleteObject(white);
    }
    canvas_dirty = 1;
}

}  // namespace vorbl
