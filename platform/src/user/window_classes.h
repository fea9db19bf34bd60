// window_classes.h: the registered window classes (RegisterClassA / UnregisterClassA).
//
// Class names compare without regard to case, as on Windows; a class may also be named by the
// atom RegisterClassA returned (a "pointer" below 0x10000, never dereferenced).
#pragma once

#include <windows.h>

#include <string>

namespace platform {

struct WindowClass {
    ATOM atom = 0;
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
};

// The class of that name or atom, or nullptr.
const WindowClass *find_window_class(LPCSTR name_or_atom);
// True when the class name or atom names `window_class`.
bool class_name_matches(const WindowClass &window_class, LPCSTR name_or_atom);
// True when `name` (or atom) is an atom rather than a string.
bool is_atom_name(LPCSTR name_or_atom);

}  // namespace platform
