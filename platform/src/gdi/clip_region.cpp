// clip_region.cpp: clipping a device context to a set of rectangles by saving and restoring the
// pixels outside them (clip_region.h).
//
// Rectangles may overlap; each row puts back the gaps between the runs the rectangles cover on it.
#include "gdi/clip_region.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform::gdi {

bool clip_contains(const DeviceContext &dc, int x, int y) {
    if (dc.clip.empty()) return true;
    return std::any_of(dc.clip.begin(), dc.clip.end(), [x, y](const RECT &r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

void clip_save(DeviceContext &dc, const PixelSurface &surface) {
    dc.clip_saved_valid = false;
    if (dc.clip.empty() || surface.pixels == nullptr) return;
    const auto width = static_cast<std::size_t>(surface.width);
    dc.clip_saved.resize(width * static_cast<std::size_t>(surface.height));
    for (int y = 0; y < surface.height; ++y) {
        std::memcpy(&dc.clip_saved[static_cast<std::size_t>(y) * width],
                    surface.pixels + static_cast<std::size_t>(y) * surface.stride,
                    width * sizeof(std::uint32_t));
    }
    dc.clip_saved_valid = true;
}

void clip_restore(DeviceContext &dc, const PixelSurface &surface) {
    if (!std::exchange(dc.clip_saved_valid, false) || surface.pixels == nullptr) return;
    const auto width = static_cast<std::size_t>(surface.width);
    if (dc.clip_saved.size() != width * static_cast<std::size_t>(surface.height)) return;
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < surface.height; ++y) {
        runs.clear();
        for (const RECT &r : dc.clip) {
            if (y < r.top || y >= r.bottom) continue;
            const int left = std::max<int>(0, r.left);
            const int right = std::min<int>(surface.width, r.right);
            if (left < right) runs.emplace_back(left, right);
        }
        std::sort(runs.begin(), runs.end());
        std::uint32_t *row = surface.pixels + static_cast<std::size_t>(y) * surface.stride;
        const std::uint32_t *saved = &dc.clip_saved[static_cast<std::size_t>(y) * width];
        int x = 0;
        auto put_back = [&](int end) {
            if (end > x) {
                std::memcpy(row + x, saved + x, static_cast<std::size_t>(end - x) * sizeof *row);
            }
        };
        for (const auto &[left, right] : runs) {
            put_back(left);
            x = std::max(x, right);
        }
        put_back(surface.width);
    }
}

}  // namespace platform::gdi

namespace platform {

void dc_clip_to_rects(HDC handle, std::vector<RECT> parts) {
    if (gdi::DeviceContext *dc = gdi::find_dc(handle)) {
        dc->clip = std::move(parts);
        dc->clip_saved_valid = false;
    }
}

}  // namespace platform
