// menu_font.h: a device context with the menu font selected, for measuring and drawing menus.
//
// Depends on the GDI (create_surface_dc, CreateFontA, GetTextExtentPoint32A). The context and
// the font are given back when the object goes; if the GDI cannot make them, text measures 0 wide
// and nothing is drawn. The measure handed out refers to this object and must not outlive it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/pixel_surface.h"
#include "user/menu/menu_layout.h"

namespace platform {

class MenuFontDC {
public:
    MenuFontDC();  // measuring only: draws into a private 1 x 1 surface
    explicit MenuFontDC(const PixelSurface &target);
    ~MenuFontDC();
    MenuFontDC(const MenuFontDC &) = delete;
    MenuFontDC &operator=(const MenuFontDC &) = delete;

    HDC dc() const { return dc_; }
    const TextMeasure &measure() const { return measure_; }

private:
    void open(const PixelSurface &target);

    std::uint32_t scratch_pixel_ = 0;
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ previous_font_ = nullptr;
    TextMeasure measure_;
};

}  // namespace platform
