// text_ring.h: the text window's stored lines, read back for tests of the messages and the log.
//
// Lines come back exactly as the package stored them, with their closing line feed: the text
// window does not draw it, but it is part of every message the package writes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "vorbl_internal.h"

namespace test_support {

// The stored lines, oldest first; a slot whose block cannot be read gives an empty string.
inline std::vector<std::string> ring_lines() {
    std::vector<std::string> lines;
    if (vorbl::text_first < 0) return lines;
    int slot = vorbl::text_first;
    do {
        const char *bytes = static_cast<const char *>(GlobalLock(vorbl::text_lines[slot]));
        lines.emplace_back(bytes != nullptr ? bytes : "");
        if (bytes != nullptr) GlobalUnlock(vorbl::text_lines[slot]);
        slot = (slot + 1) % vorbl::TEXT_LINE_COUNT;
    } while (slot != vorbl::text_next);
    return lines;
}

// The newest `count` lines, oldest first, each without its closing line feed.
inline std::vector<std::string> newest_lines_without_line_feed(std::size_t count) {
    std::vector<std::string> lines = ring_lines();
    if (lines.size() > count)
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(count));
    for (std::string &line : lines) {
        if (!line.empty() && line.back() == '\n') line.pop_back();
    }
    return lines;
}

}  // namespace test_support
