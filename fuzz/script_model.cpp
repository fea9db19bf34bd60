// script_model.cpp: the reading rules of a script file, one rule per function.
//
// The rules, as a user could check them by hand:
// - A read takes the characters up to and including the next line feed, at most 511 of them; a
//   longer line is read in pieces of 511, each one a line of its own. A piece that ends in
//   carriage return and line feed loses the carriage return.
// - A last line without its line feed is a line like the others; playback ends with the
//   end-of-file message at the read that finds nothing but empty lines before the end.
// - Empty lines are passed over, at most 4096 in a row in one read; the 4097th ends playback
//   with its message.
// - Position 6 holds the kind: K, M or P; anything else (or a line too short to have it) ends
//   playback with the message for a line that is not an event.
// - K: the first run of digits after position 6, negated when a minus sign stands right before
//   it, its value's low 8 bits (a key above 127 is written as a signed byte). M: two runs of digits
//   and minus signs, each read as an optional minus and the digits that follow it. P: a run of
//   digits n gives n periodic events (0 gives one). A run counts its first 11 characters.
// Depends on the standard library only.
#include "script_model.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace fuzz {
namespace {

constexpr int kMouse = 1;
constexpr int kKeyboard = 2;
constexpr int kPeriodic = 3;
constexpr std::size_t kPieceLength = 511;
constexpr int kEmptyLinesPassed = 4096;
constexpr std::size_t kNumberLength = 11;
constexpr std::size_t kKindAt = 6;

struct File {
    std::string_view bytes;
    std::size_t next = 0;
    bool end_seen = false;
};

std::string next_piece(File &file) {
    std::string piece;
    while (piece.size() < kPieceLength) {
        if (file.next == file.bytes.size()) {
            file.end_seen = true;
            break;
        }
        const char c = file.bytes[file.next++];
        piece.push_back(c);
        if (c == '\n') break;
    }
    if (piece.size() >= 2 && piece.compare(piece.size() - 2, 2, "\r\n") == 0) {
        piece.erase(piece.size() - 2, 1);
    }
    return piece;
}

bool is_empty_line(const std::string &piece) { return !piece.empty() && piece[0] == '\n'; }

enum class LineRead { line, end, too_many_empty };

LineRead next_line(File &file, std::string *line) {
    *line = next_piece(file);
    int passed = 0;
    while (!file.end_seen && is_empty_line(*line)) {
        if (passed == kEmptyLinesPassed) return LineRead::too_many_empty;
        ++passed;
        *line = next_piece(file);
    }
    return line->empty() || is_empty_line(*line) ? LineRead::end : LineRead::line;
}

bool digit(char c) { return c >= '0' && c <= '9'; }
bool digit_or_minus(char c) { return digit(c) || c == '-'; }

// The next run of characters `belongs` accepts, from `*from` on; `*from` moves past all of it,
// the run returned keeps its first 11 characters.
std::string_view next_run(std::string_view line, std::size_t *from, bool (*belongs)(char)) {
    std::size_t start = *from;
    while (start < line.size() && !belongs(line[start])) ++start;
    std::size_t end = start;
    while (end < line.size() && belongs(line[end])) ++end;
    *from = end;
    return line.substr(start, std::min(end - start, kNumberLength));
}

std::int64_t leading_digits(std::string_view text) {
    std::int64_t value = 0;
    for (std::size_t i = 0; i < text.size() && digit(text[i]); ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

int to_int32(std::int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int>(value);
}

// The first run of digits after the kind letter, as the byte a key was recorded as.
int key_byte(std::string_view line) {
    std::size_t start = kKindAt;
    while (start < line.size() && !digit(line[start])) ++start;
    std::size_t at = start;
    const std::int64_t value = leading_digits(next_run(line, &at, digit));
    const bool negative = start < line.size() && line[start - 1] == '-';
    return static_cast<int>((negative ? -value : value) & 0xFF);
}

int signed_number(std::string_view run) {
    if (!run.empty() && run[0] == '-') return to_int32(-leading_digits(run.substr(1)));
    return to_int32(leading_digits(run));
}

}  // namespace

ModelPlayback model_playback(const std::string &bytes, std::size_t max_events) {
    ModelPlayback playback;
    File file{bytes};
    std::int64_t periodic_owed = 0;
    while (playback.events.size() < max_events) {
        if (periodic_owed > 0) {
            --periodic_owed;
            playback.events.push_back({kPeriodic, 0, 0, 0});
            continue;
        }
        std::string line;
        const LineRead read = next_line(file, &line);
        if (read != LineRead::line) {
            playback.ending = read == LineRead::end ? ModelEnding::end_of_file
                                                    : ModelEnding::too_many_empty_lines;
            return playback;
        }
        const char kind = line.size() > kKindAt ? line[kKindAt] : '\0';
        std::size_t at = kKindAt;
        if (kind == 'K') {
            playback.events.push_back({kKeyboard, 0, 0, key_byte(line)});
        } else if (kind == 'M') {
            const int x = signed_number(next_run(line, &at, digit_or_minus));
            const int y = signed_number(next_run(line, &at, digit_or_minus));
            playback.events.push_back({kMouse, x, y, 0});
        } else if (kind == 'P') {
            periodic_owed = to_int32(leading_digits(next_run(line, &at, digit))) - 1;
            playback.events.push_back({kPeriodic, 0, 0, 0});
        } else {
            playback.ending = ModelEnding::unknown_line;
            return playback;
        }
    }
    playback.ending = ModelEnding::limit_reached;
    return playback;
}

}  // namespace fuzz
