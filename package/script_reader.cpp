// script_reader.cpp: playing back the script file, one event per call.
//
// Depends on the shared event variables of the event wait, the script state (script_files.cpp),
// script_open.h for opening the file (only a regular file opens) and VORBL_text_printf for the
// messages. The reader is lenient by design: it looks only at the kind letter at position 6 and
// at the numbers after it, so hand-written scripts work. It is also bounded by design: a line is
// read into a buffer of 512 characters and a number into one of 12, nothing is ever looked at
// beyond what was read, and one call reads a bounded number of characters, whatever the file.
//
// Rules for lines the format does not cover:
// - shorter than seven characters (no kind letter): like any unknown kind, no event;
// - a known kind with a number missing (a mouse line with one number included): that number is 0;
// - a number run longer than 11 characters: its first 11 are the number, the rest is passed over;
// - longer than 511 characters: read 511 at a time, each piece taken as a line of its own, so
//   one call reads at most 511 characters of text that is not an empty line, whatever the file;
// - ending in carriage return and line feed: the carriage return is dropped;
// - more than 4096 empty lines in a row: playback stops with a message at the 4097th, and the
//   next playback goes on from there;
// - an unknown kind letter, or none (a UTF-16 file, a NUL there): playback stops with a message,
//   and the next playback goes on after that line;
// - a last line without a line end: played like the others.
// Passing over empty lines is the one loop whose length the file decides; the cap keeps every
// call's work bounded, whatever the file holds.
#include <cstdint>
#include <cstdio>

#include "script_file_access.h"
#include "script_open.h"
#include "vorbl_internal.h"

namespace vorbl {

constexpr int LINE_BUFFER_SIZE = 512;   // 511 characters of a line, line feed included, and a NUL
constexpr int NUMBER_BUFFER_SIZE = 12;  // "-2147483648" and a NUL
constexpr int KIND_POSITION = 6;        // after the prefix "VORBL_"
constexpr int MAX_EMPTY_LINES_PASSED = 4096;  // per call; no hand-made script needs more

enum LineOutcome { LINE_READ, LINE_AT_END, LINE_READ_FAILED, LINE_TOO_MANY_EMPTY };

// A line held in the line buffer and the position the parser has reached in it.
struct LineCursor {
    const char *text;
    int length;
    int position;
};

// ---- Reading lines ---------------------------------------------------------------------------

// Opens the script for reading; on failure says so and ends playback. Only a regular file opens.
static bool open_for_reading(void) {
    script_file = open_script_for_reading(SCRIPT_FILE_NAME).file;
    if (script_file == nullptr) {
        VORBL_text_printf("Cannot open script file %s for reading\n", SCRIPT_FILE_NAME);
        script_stop_playback();
        return false;
    }
    script_file_for_writing = 0;
    return true;
}

static bool stream_stopped(void) { return std::feof(script_file) || std::ferror(script_file); }

// Reads characters up to and including the next line feed, at most `capacity`; returns how many.
// Counting them (rather than measuring a string) keeps a NUL inside a line harmless.
static int read_piece(char *line, int capacity) {
    int length = 0;
    while (length < capacity) {
        int c = std::getc(script_file);
        if (c == EOF) {
            break;
        }
        line[length++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    line[length] = '\0';
    return length;
}

// A script made where lines end in CR LF reads like one made here.
static void drop_carriage_return(char *line, int *length) {
    if (*length >= 2 && line[*length - 1] == '\n' && line[*length - 2] == '\r') {
        line[*length - 2] = '\n';
        line[*length - 1] = '\0';
        --*length;
    }
}

// A line longer than the buffer is not skipped to its end: what follows the first 511 characters
// is the next line. Skipping would read without bound a file that never ends a line.
static int read_one_line(char *line) {
    int length = read_piece(line, LINE_BUFFER_SIZE - 1);
    drop_carriage_return(line, &length);
    return length;
}

// Reads the next line that is not empty. A last line without its line end is a line like any
// other (a recording cut short by a full disk or a crash ends so); the end of the file is met
// only when nothing but empty lines is left.
static LineOutcome read_script_line(char *line, int *length) {
    *length = read_one_line(line);
    for (int passed = 0; !stream_stopped() && line[0] == '\n'; ++passed) {
        if (passed == MAX_EMPTY_LINES_PASSED) {
            return LINE_TOO_MANY_EMPTY;
        }
        *length = read_one_line(line);
    }
    if (std::ferror(script_file)) {
        return LINE_READ_FAILED;
    }
    if (*length == 0 || line[0] == '\n') {
        return LINE_AT_END;
    }
    return LINE_READ;
}

// ---- Parsing numbers ---------------------------------------------------------------------------

static bool is_digit(char c) { return c >= '0' && c <= '9'; }

static bool is_digit_or_minus(char c) { return is_digit(c) || c == '-'; }

// Moves to the next run of characters that `in_run` accepts and copies it into `number`, at most
// NUMBER_BUFFER_SIZE - 1 characters; the rest of a longer run is passed over. No run: "".
static void collect_run(LineCursor *cursor, bool (*in_run)(char), char *number) {
    while (cursor->position < cursor->length && !in_run(cursor->text[cursor->position])) {
        ++cursor->position;
    }
    int kept = 0;
    while (cursor->position < cursor->length && in_run(cursor->text[cursor->position])) {
        if (kept < NUMBER_BUFFER_SIZE - 1) {
            number[kept++] = cursor->text[cursor->position];
        }
        ++cursor->position;
    }
    number[kept] = '\0';
}

// The value of the leading digits; at most 11 of them, so it fits in 64 bits.
static std::int64_t digits_value(const char *text) {
    std::int64_t value = 0;
    for (; is_digit(*text); ++text) {
        value = value * 10 + (*text - '0');
    }
    return value;
}

static std::int32_t clamp_to_int32(std::int64_t value) {
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(value);
}

// A decimal integer with an optional leading minus sign; "1-2" is 1 and "-" is 0.
static std::int32_t signed_value(const char *text) {
    if (*text == '-') {
        return clamp_to_int32(-digits_value(text + 1));
    }
    return clamp_to_int32(digits_value(text));
}

// ---- Parsing lines ---------------------------------------------------------------------------

// A key is written as a signed byte: a minus sign right before the digits counts, so -23 is the
// byte 233 again (a minus anywhere else is passed over, as it always was).
static void parse_keyboard(LineCursor *cursor) {
    char number[NUMBER_BUFFER_SIZE];
    collect_run(cursor, is_digit, number);
    int first_digit = cursor->position;
    while (first_digit > KIND_POSITION && is_digit(cursor->text[first_digit - 1])) {
        --first_digit;
    }
    const bool negative = number[0] != '\0' && cursor->text[first_digit - 1] == '-';
    const std::int64_t value = digits_value(number);
    event_kind = EVENT_KBD;
    event_key = static_cast<unsigned char>((negative ? -value : value) & 0xFF);
}

static void parse_mouse(LineCursor *cursor) {
    char number[NUMBER_BUFFER_SIZE];
    collect_run(cursor, is_digit_or_minus, number);
    event_x = signed_value(number);
    collect_run(cursor, is_digit_or_minus, number);
    event_y = signed_value(number);
    event_kind = EVENT_MOUSE;
}

// This call delivers the first event of the run, so one fewer is owed.
static void parse_periodic(LineCursor *cursor) {
    char number[NUMBER_BUFFER_SIZE];
    collect_run(cursor, is_digit, number);
    event_kind = EVENT_PERIODIC;
    playback_periodic_owed = clamp_to_int32(digits_value(number)) - 1;
}

// Sets the event of one line; returns 0, changing nothing, when the kind letter is unknown.
static int parse_script_line(const char *line, int length) {
    if (length <= KIND_POSITION) {
        return 0;
    }
    LineCursor cursor = {line, length, KIND_POSITION};
    switch (line[KIND_POSITION]) {
        case 'K': parse_keyboard(&cursor); return 1;
        case 'M': parse_mouse(&cursor); return 1;
        case 'P': parse_periodic(&cursor); return 1;
        default: return 0;
    }
}

// ---- The reader ------------------------------------------------------------------------------

// A handle that a recording opened was opened for writing: nothing can be read from it, and
// trying would parse text that was never read.
static int refuse_read_while_writing(void) {
    VORBL_text_printf("Script file %s is being recorded, it cannot be played back\n",
                      SCRIPT_FILE_NAME);
    script_stop_playback();
    return 0;
}

static int end_playback_with(const char *message) {
    VORBL_text_printf(message, SCRIPT_FILE_NAME);
    script_stop_playback();
    return 0;
}

int script_read_event(void) {
    if (script_file == nullptr && !open_for_reading()) {
        return 0;
    }
    if (script_file_for_writing) {
        return refuse_read_while_writing();
    }
    if (playback_periodic_owed > 0) {
        --playback_periodic_owed;
        event_kind = EVENT_PERIODIC;
        return 1;
    }
    char line[LINE_BUFFER_SIZE];
    int length = 0;
    switch (read_script_line(line, &length)) {
        case LINE_AT_END: return end_playback_with("EOF encountered in script file %s\n");
        case LINE_READ_FAILED: return end_playback_with("Cannot read script file %s\n");
        case LINE_TOO_MANY_EMPTY:
            return end_playback_with("Script file %s has too many empty lines in a row\n");
        case LINE_READ: break;
    }
    if (!parse_script_line(line, length)) {
        return end_playback_with("Script file %s has a line that is not an event\n");
    }
    return 1;
}

}  // namespace vorbl
