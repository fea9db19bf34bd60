// page_hooks.cpp: two functions the page's JavaScript calls in a program on the package while it
// waits for input (web/script_keeper.js): one pushes the C library's buffered output into the
// in-memory files, so a recording in progress can be kept in the browser's storage line for
// line; one writes a line of the page's own into the package's text window.
//
// Linked into every page program that uses the package (web/CMakeLists.txt). Both are safe to
// call between two of the program's waits, which is the only time page code runs.
#include <emscripten.h>

#include <cstdio>

#include "vorbl.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE void vorbl_page_flush(void) { std::fflush(nullptr); }

EMSCRIPTEN_KEEPALIVE void vorbl_page_note(const char *line) {
    if (line != nullptr) VORBL_text_printf("%s\n", line);
}
}
