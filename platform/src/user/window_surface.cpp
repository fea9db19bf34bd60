// window_surface.cpp: client pixels, the menu bar strip, and presentation to the host.
//
// A frame travels from the program's canvas to the screen in two copies: BitBlt into the client
// rows of the content buffer, then the host's copy to its window. The menu bar is painted into
// its strip of the same buffer before each present; only while a popup is open is the picture
// composed into a second buffer, so that the popup never overwrites client pixels. The bar is
// painted again only when the menu or its highlight changed, not for every frame.
#include "user/window_surface.h"

#include <algorithm>

#include "user/menu/menu_drawing.h"

namespace platform {

namespace {

constexpr std::uint32_t kFreshPixel = 0x00FFFFFF;

PixelSurface content_surface(Window &window) {
    return {window.content_pixels.data(), window.content_width,
            window.bar_height + window.client_height, window.content_width};
}

// The bar strip is painted again only when the menu or its highlight changed since the last time.
void paint_bar(Window &window) {
    if (!window.bar_dirty || window.bar_height <= 0 || window.content_width <= 0) return;
    window.bar_dirty = false;
    PixelSurface bar{window.content_pixels.data(), window.content_width, window.bar_height,
                     window.content_width};
    menu_bar_paint(window.menu, bar, window.handle);
}

// The picture the host shows: the content buffer itself, or a copy with the open popup on it.
PixelSurface picture_of(Window &window) {
    paint_bar(window);
    PixelSurface content = content_surface(window);
    if (content.width == 0 || content.height == 0) return content;
    if (!menu_overlay_open(window.handle)) {
        window.composed_pixels.clear();
        return content;
    }
    window.composed_pixels = window.content_pixels;
    PixelSurface frame{window.composed_pixels.data(), content.width, content.height, content.width};
    menu_overlay_paint(window.handle, frame, window.bar_height);
    return frame;
}

}  // namespace

void window_surface_resize(Window &window, int content_width, int bar_height, int client_height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(content_width) *
                                          static_cast<std::size_t>(bar_height + client_height),
                                      kFreshPixel);
    // The old buffer's rows are as wide as the old client area.
    const std::size_t old_stride = static_cast<std::size_t>(window.client_width);
    int rows = std::min(client_height, window.client_height);
    int columns = std::min(content_width, window.client_width);
    for (int row = 0; row < rows; ++row) {
        const std::uint32_t *from = window.content_pixels.data() +
                                    static_cast<std::size_t>(row + window.bar_height) * old_stride;
        std::copy(from, from + columns,
                  pixels.data() + static_cast<std::size_t>(row + bar_height) * content_width);
    }
    window.content_pixels = std::move(pixels);
    window.bar_height = bar_height;
    window.bar_dirty = true;
    window.client_width = content_width;
    window.client_height = client_height;
}

PixelSurface window_client_surface(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr || window->client_width == 0 || window->client_height == 0) return {};
    std::uint32_t *first = window->content_pixels.data() +
                           static_cast<std::size_t>(window->bar_height) * window->content_width;
    return {first, window->client_width, window->client_height, window->content_width};
}

void window_client_changed(HWND handle) {
    if (Window *window = find_window(handle)) window->needs_present = true;
}

void window_request_present(HWND handle) {
    if (Window *window = find_window(handle)) {
        window->needs_present = true;
        window->bar_dirty = true;
    }
}

void windows_present_pending() {
    if (!host().shows_pictures) return;
    for (HWND handle : all_windows()) {
        Window *window = find_window(handle);
        if (window == nullptr || !window->visible || !window->needs_present) continue;
        window->needs_present = false;
        host().present(window->host_window, picture_of(*window));
    }
}

PixelSurface window_composed_surface(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr) return {};
    return picture_of(*window);
}

}  // namespace platform
