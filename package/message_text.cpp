// message_text.cpp: bounded message formatting and text copies in moveable global blocks.
//
// Depends on <windows.h> (GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree, GlobalSize) and on
// std::vsnprintf. Used by the drawing calls (the private copy of a drawn text) and by the text
// window (one block per stored line).
#include "message_text.h"

#include <cstdio>
#include <cstring>

namespace vorbl {

TextBlockAllocator text_block_allocator = GlobalAlloc;

int format_message(char *buffer, const char *format, va_list args) {
    buffer[0] = '\0';
    if (format == nullptr) return 0;
    const int produced = std::vsnprintf(buffer, MESSAGE_BUFFER_SIZE, format, args);
    if (produced < 0) {
        buffer[0] = '\0';
        return produced;
    }
    // vsnprintf reports what it would have written; what was kept is at most the buffer less
    // its terminator.
    const int kept = static_cast<int>(MESSAGE_BUFFER_SIZE - 1);
    return produced < kept ? produced : kept;
}

HGLOBAL text_block_copy(const char *text, std::size_t length) {
    HGLOBAL block = text_block_allocator(GMEM_MOVEABLE, length + 1);
    if (block == nullptr) return nullptr;
    char *bytes = static_cast<char *>(GlobalLock(block));
    if (bytes == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    if (length > 0) std::memcpy(bytes, text, length);
    bytes[length] = '\0';
    GlobalUnlock(block);
    return block;
}

std::size_t text_block_length(HGLOBAL block, const char *bytes) {
    const std::size_t size = GlobalSize(block);
    const void *nul = std::memchr(bytes, '\0', size);
    return nul != nullptr ? static_cast<std::size_t>(static_cast<const char *>(nul) - bytes) : size;
}

}  // namespace vorbl
