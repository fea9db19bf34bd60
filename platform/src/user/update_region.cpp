// update_region.cpp: the update region and the calls around it: InvalidateRect, ValidateRect,
// UpdateWindow, BeginPaint, EndPaint, GetDC and ReleaseDC.
//
// The update region is kept as its bounding box in client coordinates, which is what
// PAINTSTRUCT.rcPaint reports; validating a part of it shrinks the box only where the part
// covers whole rows or columns, so the region may stay larger than Windows' but never smaller
// (a repaint too many, never one too few). Hidden windows collect no update region: showing a
// window invalidates all of it, and showing or resizing a window erases it at once, as Windows
// does. Device contexts come from the GDI (gdi/device_contexts.h).
#include "user/update_region.h"
#include "core/memory_exhaustion.h"

#include <algorithm>

#include "gdi/device_contexts.h"
#include "user/window_table.h"

namespace platform {

namespace {

RECT client_rect(const Window &window) {
    return RECT{0, 0, window.client_width, window.client_height};
}

bool is_empty(const RECT &r) { return r.right <= r.left || r.bottom <= r.top; }

RECT intersect(const RECT &a, const RECT &b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

RECT unite(const RECT &a, const RECT &b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// A rectangle with its corners in order (callers may pass them swapped).
RECT normalised(const RECT &r) {
    return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

bool contains(const RECT &outer, const RECT &inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// Remove `cut` from the update box where that leaves a box.
void subtract_from_update(Window &window, const RECT &cut) {
    RECT &box = window.update;
    if (contains(cut, box)) {
        window.has_update = false;
        return;
    }
    bool full_width = cut.left <= box.left && cut.right >= box.right;
    bool full_height = cut.top <= box.top && cut.bottom >= box.bottom;
    if (full_width && cut.top <= box.top && cut.bottom > box.top)
        box.top = cut.bottom;
    else if (full_width && cut.bottom >= box.bottom && cut.top < box.bottom)
        box.bottom = cut.top;
    else if (full_height && cut.left <= box.left && cut.right > box.left)
        box.left = cut.right;
    else if (full_height && cut.right >= box.right && cut.left < box.right)
        box.right = cut.left;
    if (is_empty(box)) window.has_update = false;
}

// WM_ERASEBKGND for the update region through `dc`, with the box the default procedure erases;
// true when the window procedure erased.
bool send_erase(HWND handle, HDC dc, const RECT &box) {
    if (Window *window = find_window(handle)) {
        window->erasing_update = true;
        window->erase_box = box;
    }
    const LRESULT erased = SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (Window *still = find_window(handle)) still->erasing_update = false;
    return erased != 0;
}

}  // namespace

void window_erase_now(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr || !window->visible || !window->has_update || !window->erase_pending)
        return;
    HDC dc = create_window_dc(handle);
    if (dc == nullptr) return;  // left for BeginPaint
    window->erase_pending = false;
    window->erase_declined = false;
    const bool erased = send_erase(handle, dc, window->update);
    release_window_dc(handle, dc);
    window = find_window(handle);
    if (window != nullptr && !erased && window->has_update) window->erase_declined = true;
}

}  // namespace platform

using platform::find_window;
using platform::Window;

extern "C" BOOL WINAPI InvalidateRect(HWND handle, const RECT *rect, BOOL erase) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        using namespace platform;
        if (handle == nullptr) {  // no window: every window of the program
            for (HWND each : all_windows()) InvalidateRect(each, rect, erase);
            return TRUE;
        }
        Window *window = find_window(handle);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (!window->visible) return TRUE;
        RECT area = client_rect(*window);
        if (rect != nullptr) area = intersect(area, normalised(*rect));
        if (is_empty(area)) return TRUE;
        window->update = window->has_update ? unite(window->update, area) : area;
        window->has_update = true;
        if (erase) window->erase_pending = true;
        return TRUE;
    });
}

extern "C" BOOL WINAPI ValidateRect(HWND handle, const RECT *rect) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        using namespace platform;
        Window *window = find_window(handle);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (!window->has_update) return TRUE;
        if (rect == nullptr) {
            window->has_update = false;
        } else {
            subtract_from_update(*window, normalised(*rect));
        }
        if (!window->has_update) window->erase_pending = window->erase_declined = false;
        return TRUE;
    });
}

extern "C" BOOL WINAPI UpdateWindow(HWND handle) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        const Window *window = find_window(handle);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (window->visible && window->has_update) SendMessageA(handle, WM_PAINT, 0, 0);
        return TRUE;
    });
}

extern "C" HDC WINAPI BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
    return platform::fail_when_memory_runs_out<HDC>(nullptr, [&]() -> HDC {
        Window *window = find_window(handle);
        if (window == nullptr || paint == nullptr) {
            SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        *paint = PAINTSTRUCT{};
        paint->rcPaint = window->has_update ? window->update : RECT{0, 0, 0, 0};
        const bool erase = window->erase_pending;
        paint->fErase = window->erase_declined ? TRUE : FALSE;
        window->has_update = false;  // validated now, before any drawing
        window->erase_pending = window->erase_declined = false;
        HDC dc = platform::create_window_dc(handle);
        paint->hdc = dc;
        if (erase && dc != nullptr) {
            paint->fErase = platform::send_erase(handle, dc, paint->rcPaint) ? FALSE : TRUE;
        }
        return dc;
    });
}

extern "C" BOOL WINAPI EndPaint(HWND handle, const PAINTSTRUCT *paint) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        if (paint == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (paint->hdc != nullptr) platform::release_window_dc(handle, paint->hdc);
        return TRUE;
    });
}

extern "C" HDC WINAPI GetDC(HWND handle) {
    return platform::fail_when_memory_runs_out<HDC>(nullptr, [&]() -> HDC {
        if (find_window(handle) == nullptr) {  // no screen DC in this layer
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        return platform::create_window_dc(handle);
    });
}

extern "C" int WINAPI ReleaseDC(HWND handle, HDC dc) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(0), [&]() -> int {
        if (dc == nullptr) return 0;
        return platform::release_window_dc(handle, dc);
    });
}
