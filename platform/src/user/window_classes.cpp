// window_classes.cpp: RegisterClassA, UnregisterClassA and class lookup.
//
// Depends on the window table (a class with live windows cannot be unregistered). The icon,
// cursor, extra bytes and menu name are accepted and not used: no window of this layer has a
// class menu, and the host draws the frame.
#include "user/window_classes.h"
#include "core/memory_exhaustion.h"

#include <strings.h>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "user/window_table.h"

namespace platform {

namespace {

constexpr ATOM kFirstClassAtom = 0xC000;
constexpr DWORD kErrorClassDoesNotExist = 1411;
constexpr DWORD kErrorClassHasWindows = 1412;

std::vector<WindowClass> classes;
ATOM next_atom = kFirstClassAtom;

ATOM atom_of(LPCSTR name) { return static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name)); }

bool class_has_windows(const WindowClass &window_class) {
    const std::vector<HWND> windows = all_windows();
    // std::any_of, not std::ranges: the browser build's C++ library (Emscripten 3.1.6) lacks it.
    return std::any_of(windows.begin(), windows.end(), [&](HWND handle) {
        const Window *window = find_window(handle);
        return window != nullptr &&
               strcasecmp(window->class_name.c_str(), window_class.name.c_str()) == 0;
    });
}

}  // namespace

bool is_atom_name(LPCSTR name_or_atom) {
    return reinterpret_cast<std::uintptr_t>(name_or_atom) < 0x10000;
}

bool class_name_matches(const WindowClass &window_class, LPCSTR name_or_atom) {
    if (name_or_atom == nullptr) return false;
    if (is_atom_name(name_or_atom)) return window_class.atom == atom_of(name_or_atom);
    return strcasecmp(window_class.name.c_str(), name_or_atom) == 0;
}

const WindowClass *find_window_class(LPCSTR name_or_atom) {
    for (const WindowClass &window_class : classes) {
        if (class_name_matches(window_class, name_or_atom)) return &window_class;
    }
    return nullptr;
}

}  // namespace platform

extern "C" ATOM WINAPI RegisterClassA(const WNDCLASSA *wc) {
    return platform::fail_when_memory_runs_out<ATOM>(static_cast<ATOM>(0), [&]() -> ATOM {
        using namespace platform;
        if (wc == nullptr || wc->lpfnWndProc == nullptr || wc->lpszClassName == nullptr ||
            is_atom_name(wc->lpszClassName) || wc->lpszClassName[0] == '\0') {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        if (find_window_class(wc->lpszClassName) != nullptr) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
        WindowClass window_class;
        window_class.atom = next_atom++;
        window_class.name = wc->lpszClassName;
        window_class.style = wc->style;
        window_class.procedure = wc->lpfnWndProc;
        window_class.background = wc->hbrBackground;
        classes.push_back(window_class);
        return window_class.atom;
    });
}

extern "C" BOOL WINAPI UnregisterClassA(LPCSTR class_name, HINSTANCE) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        using namespace platform;
        for (auto it = classes.begin(); it != classes.end(); ++it) {
            if (!class_name_matches(*it, class_name)) continue;
            if (class_has_windows(*it)) {
                SetLastError(kErrorClassHasWindows);
                return FALSE;
            }
            classes.erase(it);
            return TRUE;
        }
        SetLastError(kErrorClassDoesNotExist);
        return FALSE;
    });
}
