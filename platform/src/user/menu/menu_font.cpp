// menu_font.cpp: opens a device context on a surface with the menu's UI font and measures text.
//
// Depends on the GDI (gdi/device_contexts.h). The face is a common sans face at a 12-pixel
// character height, like the classic 8-point menu font; fontconfig picks a substitute when the
// face is missing.
#include "user/menu/menu_font.h"

#include "gdi/device_contexts.h"

namespace platform {
namespace {

constexpr int kMenuFontHeight = -12;  // negative: character (em) height in pixels
constexpr const char *kMenuFontFace = "DejaVu Sans";

}  // namespace

MenuFontDC::MenuFontDC() { open(PixelSurface{&scratch_pixel_, 1, 1, 1}); }

MenuFontDC::MenuFontDC(const PixelSurface &target) { open(target); }

void MenuFontDC::open(const PixelSurface &target) {
    measure_.width = [this](std::string_view text) {
        SIZE size{0, 0};
        if (dc_ == nullptr || text.empty()) return 0;
        if (!GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size))
            return 0;
        return static_cast<int>(size.cx);
    };
    dc_ = create_surface_dc(target);
    if (dc_ == nullptr) return;
    font_ = CreateFontA(kMenuFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        VARIABLE_PITCH | FF_SWISS, kMenuFontFace);
    if (font_ != nullptr) previous_font_ = SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(dc_, &metrics)) {
        measure_.height = static_cast<int>(metrics.tmHeight);
        measure_.ascent = static_cast<int>(metrics.tmAscent);
    }
}

MenuFontDC::~MenuFontDC() {
    if (dc_ == nullptr) return;
    if (previous_font_ != nullptr) SelectObject(dc_, previous_font_);
    if (font_ != nullptr) DeleteObject(font_);
    DeleteDC(dc_);
}

}  // namespace platform
