// message_text.h: the two text helpers shared by the drawing calls and the text window:
// formatting into the fixed 1024-byte message buffer, and copying a string into a moveable
// global block of its own.
//
// Depends on <windows.h> for the global memory calls. Formatting never writes past the buffer;
// output that does not fit is cut at 1023 characters.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstddef>

namespace vorbl {

// The size of the buffer every message and every formatted text is formatted into.
constexpr std::size_t MESSAGE_BUFFER_SIZE = 1024;

// Formats into `buffer` (MESSAGE_BUFFER_SIZE bytes), cutting what does not fit. Returns the
// number of characters stored, without the NUL (so never more than 1023), or a negative value
// when the format cannot be applied (the buffer then holds an empty string). A null format
// gives an empty string.
int format_message(char *buffer, const char *format, va_list args);

// The allocator of every text block: GlobalAlloc, unless a test puts another in its place to
// make an allocation fail.
typedef HGLOBAL(WINAPI *TextBlockAllocator)(UINT flags, SIZE_T bytes);
extern TextBlockAllocator text_block_allocator;

// A new moveable block of length + 1 bytes holding `length` bytes of `text` and a NUL, or NULL
// when the block cannot be allocated or filled (nothing is then left allocated).
HGLOBAL text_block_copy(const char *text, std::size_t length);

// The number of bytes before the NUL in the locked block `bytes` of `block`, never reading
// past the block's end.
std::size_t text_block_length(HGLOBAL block, const char *bytes);

}  // namespace vorbl
