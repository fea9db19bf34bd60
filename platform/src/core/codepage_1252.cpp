// codepage_1252.cpp: Windows-1252 <-> Unicode, and the small UTF-8 helpers the hosts need.
//
// Depends on nothing but the standard library. Only the 0x80-0x9F block differs from Latin-1.
#include "core/codepage_1252.h"

#include <array>

namespace platform {

namespace {

// Code points of bytes 0x80..0x9F; an undefined byte keeps its own value.
constexpr std::array<std::uint16_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool is_undefined_byte(unsigned byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

}  // namespace

unsigned char cp1252_from_unicode(std::uint32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
        return static_cast<unsigned char>(code_point);
    }
    for (unsigned i = 0; i < kHighControlBlock.size(); ++i) {
        if (!is_undefined_byte(0x80 + i) && kHighControlBlock[i] == code_point) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return '?';
}

std::uint32_t cp1252_to_unicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControlBlock[byte - 0x80];
    return byte;
}

std::uint32_t utf8_first_code_point(const char *text) {
    constexpr std::uint32_t kReplacement = 0xFFFD;
    if (text == nullptr || text[0] == '\0') return kReplacement;
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    unsigned lead = bytes[0];
    int extra = 0;
    std::uint32_t value = 0;
    if (lead < 0x80) return lead;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07;
    } else
        return kReplacement;
    for (int i = 1; i <= extra; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) return kReplacement;  // also stops at the terminator
        value = (value << 6) | (bytes[i] & 0x3F);
    }
    return value;
}

std::string cp1252_to_utf8(const char *text) {
    std::string out;
    if (text == nullptr) return out;
    for (const char *p = text; *p != '\0'; ++p) {
        std::uint32_t cp = cp1252_to_unicode(static_cast<unsigned char>(*p));
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace platform
