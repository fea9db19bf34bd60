// text_window.cpp: the package's message channel. A ring of the 25 most recent messages, each
// one line in a moveable global block of its own, and the text window's paint routine, which
// draws them from the bottom up, newest in the bottom row, off screen first and then in one copy.
//
// Depends on message_text (the formatting buffer and the line blocks), on text_hwnd from the
// windows module, and on the window-system and GDI calls of <windows.h>. A message that arrives
// before the text window exists is stored like any other and shows at the window's first paint.
// A message that cannot be stored (no memory for its block) is dropped and the ring is left as
// it was; there is no other channel to report that on. VORBL_shutdown frees the stored lines.
#include <cstdarg>
#include <cstring>

#include "message_text.h"
#include "unattended_run.h"
#include "vorbl_internal.h"

namespace vorbl {

HGLOBAL text_lines[TEXT_LINE_COUNT] = {};
int text_first = -1;  // the oldest stored line; -1 until the first line is stored
int text_next = 0;    // the slot the next line goes into

namespace {

int next_slot(int index) { return (index + 1) % TEXT_LINE_COUNT; }

// Puts a copy of the text into the ring, dropping the oldest line when all slots are in use.
// The block is allocated first, so a failed allocation leaves the ring untouched.
bool store_line(const char *text, std::size_t length) {
    HGLOBAL block = text_block_copy(text, length);
    if (block == nullptr) return false;
    if (text_first == text_next) {
        GlobalFree(text_lines[text_first]);
        text_lines[text_first] = nullptr;
        text_first = next_slot(text_first);
    }
    text_lines[text_next] = block;
    if (text_first < 0) text_first = text_next;
    text_next = next_slot(text_next);
    return true;
}

int stored_line_count() {
    if (text_first < 0) return 0;
    if (text_first == text_next) return TEXT_LINE_COUNT;
    return (text_next - text_first + TEXT_LINE_COUNT) % TEXT_LINE_COUNT;
}

// Removes one trailing line feed from the stored line itself, so it stays shorter from then on.
std::size_t strip_trailing_line_feed(char *bytes, std::size_t length) {
    if (length == 0 || bytes[length - 1] != '\n') return length;
    bytes[length - 1] = '\0';
    return length - 1;
}

// Scrolls the picture up one line and draws the line in the freed bottom row.
void paint_line(HDC memory, HBRUSH background, HGLOBAL block, const RECT &client, int height) {
    ScrollDC(memory, 0, -height, nullptr, nullptr, nullptr, nullptr);
    const RECT strip = {0, client.bottom - height, client.right, client.bottom + 1};
    FillRect(memory, &strip, background);
    char *bytes = static_cast<char *>(GlobalLock(block));
    if (bytes == nullptr) return;
    const std::size_t length = strip_trailing_line_feed(bytes, text_block_length(block, bytes));
    const int count = length > 0x7fffffffu ? 0x7fffffff : static_cast<int>(length);
    TextOutA(memory, 5, client.bottom - height, bytes, count);
    GlobalUnlock(block);
}

// Draws the ring, oldest first, each line pushing the earlier ones up by one line height.
void paint_lines(HDC memory, HBRUSH background, const RECT &client) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(memory, &metrics);
    const int height = metrics.tmHeight + metrics.tmExternalLeading;
    const int count = stored_line_count();
    for (int i = 0, slot = text_first; i < count; ++i, slot = next_slot(slot)) {
        paint_line(memory, background, text_lines[slot], client, height);
    }
}

}  // namespace

extern "C" int VORBL_text_printf(const char *format, ...) {
    char buffer[MESSAGE_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    int count = format_message(buffer, format, args);
    va_end(args);
    // A line that cannot be stored changes nothing on screen; the result is still the count.
    const bool stored = store_line(buffer, count > 0 ? static_cast<std::size_t>(count) : 0);
    // Before the text window exists there is nothing to repaint; its first paint shows the line.
    if (stored && text_hwnd != nullptr) InvalidateRect(text_hwnd, nullptr, TRUE);
    // Every stored message, not only the 25 the ring keeps, when the environment asks for them.
    if (stored) unattended_run_message(buffer, count > 0 ? static_cast<std::size_t>(count) : 0);
    return count;
}

void text_ring_free(void) {
    for (HGLOBAL &block : text_lines) {
        if (block != nullptr) GlobalFree(block);
        block = nullptr;
    }
    text_first = -1;
    text_next = 0;
}

void text_window_paint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    HDC window_context = GetDC(window);
    HDC memory = CreateCompatibleDC(window_context);
    // Made from the window's context, not the fresh memory one, so it is a colour bitmap.
    HBITMAP picture = CreateCompatibleBitmap(window_context, client.right, client.bottom);
    HGDIOBJ previous_bitmap = SelectObject(memory, picture);
    HBRUSH background = CreateSolidBrush(GetBkColor(memory));
    HGDIOBJ previous_brush = SelectObject(memory, background);
    FillRect(memory, &client, background);
    HGDIOBJ previous_font = SelectObject(memory, GetStockObject(ANSI_FIXED_FONT));
    paint_lines(memory, background, client);
    BitBlt(window_context, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
    SelectObject(memory, previous_font);
    SelectObject(memory, previous_brush);
    SelectObject(memory, previous_bitmap);
    DeleteObject(background);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(window, window_context);
}

}  // namespace vorbl
