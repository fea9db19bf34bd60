// update_region.cpp: the update region and the calls around it: InvalidateRect, ValidateRect,
// UpdateWindow, BeginPaint, EndPaint, GetDC and ReleaseDC.
//
// The update region is kept as a list of rectangles in client coordinates and their bounding
// box, which is what PAINTSTRUCT.rcPaint reports; the DC BeginPaint returns is clipped to the
// rectangles, so a paint changes nothing outside the region. Past kMaxUpdateParts rectangles the
// list becomes its bounding box (a repaint too large, never one too small). Hidden windows collect
// no update region: showing a window invalidates all of it, and showing or resizing a window
// erases it at once, as Windows does. GetDC(NULL) gives the screen's DC, which has no pixels
// here. Device contexts come from the GDI (gdi/device_contexts.h, gdi/clip_region.h).
#include "user/update_region.h"
#include "core/memory_exhaustion.h"

#include <algorithm>
#include <vector>

#include "gdi/clip_region.h"
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

constexpr std::size_t kMaxUpdateParts = 32;

// The bounding box follows the parts; no parts, no update region.
void refresh_update_box(Window &window) {
    window.has_update = !window.update_parts.empty();
    if (!window.has_update) return;
    RECT box = window.update_parts.front();
    for (const RECT &part : window.update_parts) box = unite(box, part);
    window.update = box;
}

void add_to_update(Window &window, const RECT &area) {
    std::vector<RECT> &parts = window.update_parts;
    for (const RECT &part : parts) {
        if (contains(part, area)) return;
    }
    std::erase_if(parts, [&area](const RECT &part) { return contains(area, part); });
    parts.push_back(area);
    refresh_update_box(window);
    if (parts.size() > kMaxUpdateParts) parts.assign(1, window.update);
}

// Remove `cut` from the update region: each rectangle it overlaps leaves up to four pieces.
void subtract_from_update(Window &window, const RECT &cut) {
    std::vector<RECT> kept;
    for (const RECT &part : window.update_parts) {
        const RECT overlap = intersect(part, cut);
        if (is_empty(overlap)) {
            kept.push_back(part);
            continue;
        }
        const RECT pieces[] = {{part.left, part.top, part.right, overlap.top},
                               {part.left, overlap.bottom, part.right, part.bottom},
                               {part.left, overlap.top, overlap.left, overlap.bottom},
                               {overlap.right, overlap.top, part.right, overlap.bottom}};
        for (const RECT &piece : pieces) {
            if (!is_empty(piece)) kept.push_back(piece);
        }
    }
    window.update_parts = std::move(kept);
    refresh_update_box(window);
    if (window.update_parts.size() > kMaxUpdateParts) {
        window.update_parts.assign(1, window.update);
    }
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
    dc_clip_to_rects(dc, window->update_parts);  // only the region is erased
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
        if (!window->has_update) window->update_parts.clear();
        add_to_update(*window, area);
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
            window->update_parts.clear();
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
        std::vector<RECT> parts =
            window->has_update ? std::move(window->update_parts) : std::vector<RECT>{};
        const bool erase = window->erase_pending;
        paint->fErase = window->erase_declined ? TRUE : FALSE;
        window->has_update = false;  // validated now, before any drawing
        window->update_parts.clear();
        window->erase_pending = window->erase_declined = false;
        const bool whole_client = parts.size() == 1 && parts.front().left <= 0 &&
                                  parts.front().top <= 0 &&
                                  parts.front().right >= window->client_width &&
                                  parts.front().bottom >= window->client_height;
        // With no update region the DC clips everything away: an empty rectangle stands for it.
        if (parts.empty()) parts.push_back(RECT{0, 0, 0, 0});
        HDC dc = platform::create_window_dc(handle);
        if (dc != nullptr && !whole_client) platform::dc_clip_to_rects(dc, std::move(parts));
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
        // No window is the screen: its DC has the screen's colour format, for bitmaps made
        // compatible with it, but no pixels this layer draws on.
        if (handle != nullptr && find_window(handle) == nullptr) {
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
