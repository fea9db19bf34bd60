// menu_layout.h: where the menu bar's titles and a popup's items lie, in pixels.
//
// Layout only measures text, through a TextMeasure, so it works the same with the real menu font
// (menu_font.h) and with a fixed-width stand-in in tests. The bar is laid out in bar coordinates
// (row 0 is the top of the bar); a popup in its own coordinates (0, 0 is its top-left corner).
// Limits: one level of popups below the bar is laid out; items of a popup that are popups
// themselves are shown but not opened.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "user/menu/menus.h"

namespace platform {

struct TextMeasure {
    std::function<int(std::string_view)> width;  // advance width of a run of text
    int height = 0;                              // cell height of a line
    int ascent = 0;                              // from the cell top to the baseline
};

// Classic metrics.
inline constexpr int kMenuBarRowHeight = 19;   // SM_CYMENU
inline constexpr int kMenuBarItemPadding = 7;  // each side of a title
inline constexpr int kPopupBorder = 3;
inline constexpr int kPopupCheckColumn = 18;  // left margin holding the check mark
inline constexpr int kPopupLabelGap = 20;     // between the text and the right-aligned label
inline constexpr int kPopupRightMargin = 16;
inline constexpr int kPopupMinItemHeight = 17;
inline constexpr int kPopupSeparatorHeight = 9;

struct BarLayout {
    std::vector<RECT> items;  // one per item, bar coordinates
    int height = 0;           // whole rows of kMenuBarRowHeight
};
BarLayout layout_menu_bar(const MenuObject &menu, int width, const TextMeasure &measure);

struct PopupLayout {
    int width = 0;
    int height = 0;
    std::vector<RECT> items;  // one per item, popup coordinates, full width inside the border
    int text_x = 0;           // where item text starts
    int label_right = 0;      // where right-aligned labels end
};
PopupLayout layout_popup(const MenuObject &menu, const TextMeasure &measure);

// Index of the rectangle containing (x, y), or -1.
int rect_index_at(const std::vector<RECT> &rects, int x, int y);

}  // namespace platform
