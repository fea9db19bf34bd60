// menu_layout.cpp: places bar titles in rows and popup items in a column.
//
// Depends only on the menu objects and a text measure. Titles flow left to right and wrap to a
// new row only when the next one does not fit (a title wider than the bar gets a row of its own).
// A popup is as wide as its widest text plus its widest label, the check column and the margins.
#include "user/menu/menu_layout.h"

#include <algorithm>

namespace platform {

BarLayout layout_menu_bar(const MenuObject &menu, int width, const TextMeasure &measure) {
    BarLayout layout;
    int x = 0;
    int row_top = 0;
    for (const MenuItem &item : menu.items) {
        const int item_width =
            measure.width(split_menu_text(item.text).text) + 2 * kMenuBarItemPadding;
        if (x > 0 && x + item_width > width) {
            x = 0;
            row_top += kMenuBarRowHeight;
        }
        layout.items.push_back(RECT{x, row_top, x + item_width, row_top + kMenuBarRowHeight});
        x += item_width;
    }
    layout.height = row_top + kMenuBarRowHeight;
    return layout;
}

PopupLayout layout_popup(const MenuObject &menu, const TextMeasure &measure) {
    PopupLayout layout;
    int widest_text = 0;
    int widest_label = 0;
    for (const MenuItem &item : menu.items) {
        if (menu_item_is_separator(item)) continue;
        const MenuItemText shown = split_menu_text(item.text);
        widest_text = std::max(widest_text, measure.width(shown.text));
        if (!shown.label.empty()) widest_label = std::max(widest_label, measure.width(shown.label));
    }
    const int item_height = std::max(kPopupMinItemHeight, measure.height + 4);
    layout.text_x = kPopupBorder + kPopupCheckColumn;
    layout.label_right =
        layout.text_x + widest_text + (widest_label > 0 ? kPopupLabelGap + widest_label : 0);
    layout.width = layout.label_right + kPopupRightMargin + kPopupBorder;
    int y = kPopupBorder;
    for (const MenuItem &item : menu.items) {
        const int h = menu_item_is_separator(item) ? kPopupSeparatorHeight : item_height;
        layout.items.push_back(RECT{kPopupBorder, y, layout.width - kPopupBorder, y + h});
        y += h;
    }
    layout.height = y + kPopupBorder;
    return layout;
}

int rect_index_at(const std::vector<RECT> &rects, int x, int y) {
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RECT &r = rects[i];
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace platform
