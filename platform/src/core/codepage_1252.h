// codepage_1252.h: conversion between Unicode code points and Windows-1252 bytes.
//
// The package is an ANSI program: characters reach it as Windows-1252 bytes, and host text
// (SDL's UTF-8 input, window titles) must be converted both ways. Bytes 0x81, 0x8D, 0x8F, 0x90
// and 0x9D are undefined in the code page.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The Windows-1252 byte for a code point, or '?' when the code page has none.
unsigned char cp1252_from_unicode(std::uint32_t code_point);
// The code point of a Windows-1252 byte (an undefined byte maps to itself, as Windows does).
std::uint32_t cp1252_to_unicode(unsigned char byte);
// The first code point of a UTF-8 string, or 0xFFFD when it is empty or malformed.
std::uint32_t utf8_first_code_point(const char *text);
// A Windows-1252 string as UTF-8.
std::string cp1252_to_utf8(const char *text);

}  // namespace platform
