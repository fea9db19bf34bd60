// drawing_calls_fuzzer.cpp: the package's drawing calls with extreme arguments, logging on, on
// the headless host.
//
// Each input is a sequence of calls (circle, triangle, rectangle, oval, line, text, formatted
// text, clear, colour check) whose colours, coordinates, widths and sizes come from the bytes,
// biased towards the edges of the canvas and of the 32-bit range. After every call:
// - its result is the one the call promises (1; the colour used; the count formatted);
// - the text ring took exactly the lines the call owes: one per corrected argument and the log
//   line, which names the colour used and the primitive with its corrected values;
// - the ring is whole: 25 stored lines, each block exactly its text and a NUL, at most 1024 bytes;
// - every pen, brush, font, bitmap, device context and global block the call made is gone.
// Depends on the package's internal state (vorbl_internal.h) and the headless host.
#include <algorithm>
#include <string>

#include "fuzz_support.h"
#include "vorbl_internal.h"

namespace {

constexpr int kMaxCallsPerInput = 48;
constexpr std::size_t kMaxTextLength = 80;

// What one call owes the ring and returns.
struct Expected {
    int result = 1;
    int lines = 1;       // correction messages and the log line
    std::string prefix;  // the start of the newest line
};

bool legal(int color) { return color >= 0 && color < COLOR_COUNT; }
int used_color(int color) { return legal(color) ? color : RED; }
std::string name_of(int color) { return vorbl::color_name[used_color(color)]; }

// The size a negative one is corrected to; INT_MIN, which has no positive counterpart, to INT_MAX.
int corrected_size(int value) {
    if (value >= 0) return value;
    return value == INT_MIN ? INT_MAX : -value;
}

std::string point(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }

int take_color(fuzz::Bytes &bytes) {
    const std::uint8_t choice = bytes.byte();
    return choice < 224 ? static_cast<int>(choice % 26) - 1 : bytes.coordinate();
}

std::string take_text(fuzz::Bytes &bytes) {
    std::string text;
    const std::size_t length = bytes.byte() % kMaxTextLength;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = static_cast<char>(bytes.byte());
        if (c == '\0') break;
        text.push_back(c);
    }
    return text;
}

Expected circle(fuzz::Bytes &bytes) {
    const int color = take_color(bytes), x = bytes.coordinate(), y = bytes.coordinate();
    const int radius = bytes.size_value();
    Expected e;
    e.result = VORBL_draw_circle(color, x, y, radius);
    e.lines = 1 + !legal(color) + (radius < 0);
    e.prefix = name_of(color) + " circle at " + point(x, y) + ", radius " +
               std::to_string(corrected_size(radius)) + "\n";
    return e;
}

Expected triangle(fuzz::Bytes &bytes) {
    const int color = take_color(bytes);
    int p[6];
    for (int &v : p) v = bytes.coordinate();
    const int width = bytes.size_value();
    Expected e;
    e.result = VORBL_draw_triangle(color, p[0], p[1], p[2], p[3], p[4], p[5], width);
    e.lines = 1 + !legal(color) + (width < 0);
    e.prefix = name_of(color) + " triangle at " + point(p[0], p[1]) + ", " + point(p[2], p[3]) +
               ", " + point(p[4], p[5]) + "\n";
    return e;
}

// Rectangles and ovals log their corners ordered: left and top first.
Expected box(fuzz::Bytes &bytes, bool oval) {
    const int color = take_color(bytes);
    const int x1 = bytes.coordinate(), y1 = bytes.coordinate();
    const int x2 = bytes.coordinate(), y2 = bytes.coordinate();
    const int width = bytes.size_value();
    Expected e;
    e.result = oval ? VORBL_draw_oval(color, x1, y1, x2, y2, width)
                    : VORBL_draw_rectangle(color, x1, y1, x2, y2, width);
    e.lines = 1 + !legal(color) + (width < 0);
    e.prefix = name_of(color) + (oval ? " oval" : " rectangle") + " with bounding box " +
               point(std::min(x1, x2), std::max(y1, y2)) + " to " +
               point(std::max(x1, x2), std::min(y1, y2));
    return e;
}

Expected line_call(fuzz::Bytes &bytes) {
    const int color = take_color(bytes);
    const int x1 = bytes.coordinate(), y1 = bytes.coordinate();
    const int x2 = bytes.coordinate(), y2 = bytes.coordinate();
    const int width = bytes.size_value();
    Expected e;
    e.result = VORBL_draw_line(color, x1, y1, x2, y2, width);
    e.lines = 1 + !legal(color) + (width < 0);
    e.prefix = name_of(color) + " line from " + point(x1, y1) + " to " + point(x2, y2) +
               ", width " + std::to_string(corrected_size(width)) + "\n";
    return e;
}

// The messages of a text: a negative size, a size above 127, the colour, then the log line.
Expected text_lines(int color, int x, int y, int ptsize, const std::string &text) {
    Expected e;
    const int size = corrected_size(ptsize);
    e.lines = 1 + (ptsize < 0) + (size > 127) + !legal(color);
    e.prefix = name_of(color) + " text at " + point(x, y) + ", \"" + text;
    return e;
}

Expected text(fuzz::Bytes &bytes) {
    const int color = take_color(bytes), x = bytes.coordinate(), y = bytes.coordinate();
    const int ptsize = bytes.size_value();
    const std::string content = take_text(bytes);
    Expected e = text_lines(color, x, y, ptsize, content);
    e.result = VORBL_draw_text(color, x, y, ptsize, content.c_str());
    return e;
}

// A fixed format with values from the bytes; the result is the count formatted, cut at 1023.
Expected formatted(fuzz::Bytes &bytes) {
    const int color = take_color(bytes), x = bytes.coordinate(), y = bytes.coordinate();
    const int ptsize = bytes.size_value();
    const std::string content = take_text(bytes);
    const int number = bytes.i32();
    std::string shown = content + "|" + std::to_string(number);
    Expected e = text_lines(color, x, y, ptsize, shown);
    e.result = VORBL_draw_printf(color, x, y, ptsize, "%s|%d", content.c_str(), number);
    FUZZ_CHECK(e.result == static_cast<int>(shown.size()));
    e.result = 1;  // checked here; the caller expects the usual 1
    return e;
}

Expected clear() {
    Expected e;
    e.result = VORBL_clear_canvas();
    e.prefix = "Clearing the graphics window\n";
    return e;
}

Expected check_color(fuzz::Bytes &bytes) {
    const int color = take_color(bytes);
    Expected e;
    e.result = VORBL_check_color(color) == used_color(color) ? 1 : 0;
    e.lines = !legal(color);
    e.prefix = legal(color) ? "" : "Illegal color " + std::to_string(color) + "; using RED.\n";
    return e;
}

Expected one_call(fuzz::Bytes &bytes) {
    switch (bytes.byte() % 9) {
        case 0: return circle(bytes);
        case 1: return triangle(bytes);
        case 2: return box(bytes, false);
        case 3: return box(bytes, true);
        case 4: return line_call(bytes);
        case 5: return text(bytes);
        case 6: return formatted(bytes);
        case 7: return clear();
        default: return check_color(bytes);
    }
}

std::string ring_line(int slot) {
    HGLOBAL block = vorbl::text_lines[slot];
    const char *bytes = static_cast<const char *>(GlobalLock(block));
    FUZZ_CHECK(bytes != nullptr);
    const std::string line(bytes);
    FUZZ_CHECK(GlobalSize(block) == line.size() + 1);
    FUZZ_CHECK(line.size() <= 1023);
    GlobalUnlock(block);
    return line;
}

int lines_added(int next_before) {
    return (vorbl::text_next - next_before + vorbl::TEXT_LINE_COUNT) % vorbl::TEXT_LINE_COUNT;
}

void check_ring_after(const Expected &expected, int next_before) {
    FUZZ_CHECK(vorbl::text_first == vorbl::text_next);  // all 25 slots in use
    FUZZ_CHECK(lines_added(next_before) == expected.lines);
    if (expected.lines == 0) return;
    const int newest = (vorbl::text_next + vorbl::TEXT_LINE_COUNT - 1) % vorbl::TEXT_LINE_COUNT;
    FUZZ_CHECK(ring_line(newest).starts_with(expected.prefix));
}

void check_whole_ring() {
    for (int slot = 0; slot < vorbl::TEXT_LINE_COUNT; ++slot) ring_line(slot);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::start_package_once();
    VORBL_set_logging(1);
    VORBL_set_animation(ANIMATE_HALT);
    for (int i = 0; i < vorbl::TEXT_LINE_COUNT; ++i) VORBL_text_printf("filler %d\n", i);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    for (int call = 0; call < kMaxCallsPerInput && !bytes.empty(); ++call) {
        const auto objects_before = fuzz::drawing_objects();
        const int next_before = vorbl::text_next;
        const Expected expected = one_call(bytes);
        FUZZ_CHECK(expected.result == 1);
        check_ring_after(expected, next_before);
        FUZZ_CHECK(fuzz::drawing_objects() == objects_before);
    }
    check_whole_ring();
    return 0;
}
