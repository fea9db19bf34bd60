// menu_drawing.cpp: paints the menu bar and the open popup in classic colours.
//
// Depends on the GDI (through MenuFontDC), the layout and the tracker's highlight. The bar is
// painted into its own strip; the popup is painted over the composed picture of the window, below
// its title. Mnemonics are underlined, check marks drawn with lines in the left column, labels
// after '\t' right-aligned, grayed items in gray. Every pen and brush made here is deleted here.
#include "user/menu/menu_drawing.h"

#include "user/menu/menu_font.h"
#include "user/menu/menu_modal_loop.h"

namespace platform {
namespace {

const COLORREF kFace = RGB(212, 208, 200);
const COLORREF kHighlight = RGB(0, 0, 128);
const COLORREF kHighlightText = RGB(255, 255, 255);
const COLORREF kText = RGB(0, 0, 0);
const COLORREF kGrayText = RGB(128, 128, 128);
const COLORREF kLight = RGB(255, 255, 255);
const COLORREF kShadow = RGB(128, 128, 128);
const COLORREF kDarkShadow = RGB(64, 64, 64);

void fill(HDC dc, const RECT &area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) return;
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

// A one-pixel polyline in `colour` through `count` points.
void polyline(HDC dc, COLORREF colour, const POINT *points, int count) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (pen == nullptr) return;
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (int i = 1; i < count; ++i) LineTo(dc, points[i].x, points[i].y);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void hline(HDC dc, COLORREF colour, int x0, int x1, int y) {
    const POINT points[] = {{x0, y}, {x1, y}};
    polyline(dc, colour, points, 2);
}

// Text with its mnemonic underlined, the cell's top-left at (x, y).
void draw_text(HDC dc, const TextMeasure &measure, const MenuItemText &shown, int x, int y,
               COLORREF colour) {
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, shown.text.data(), static_cast<int>(shown.text.size()));
    if (shown.mnemonic_index < 0) return;
    const std::string_view text = shown.text;
    const int from =
        x + measure.width(text.substr(0, static_cast<std::size_t>(shown.mnemonic_index)));
    const int to =
        x + measure.width(text.substr(0, static_cast<std::size_t>(shown.mnemonic_index) + 1));
    hline(dc, colour, from, to, y + measure.ascent + 1);
}

// A check mark: a short stroke down and a long one up, two pixels thick.
void draw_check(HDC dc, COLORREF colour, int x, int y) {
    for (int dy = 0; dy < 2; ++dy) {
        const POINT points[] = {{x, y + 2 + dy}, {x + 2, y + 4 + dy}, {x + 7, y - 1 + dy}};
        polyline(dc, colour, points, 3);
    }
}

void draw_raised_border(HDC dc, const RECT &r) {
    const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
    const POINT outer_light[] = {{rr - 1, t}, {l, t}, {l, b}};
    const POINT inner_light[] = {{rr - 2, t + 1}, {l + 1, t + 1}, {l + 1, b - 1}};
    const POINT outer_dark[] = {{l, b}, {rr, b}, {rr, t - 1}};
    const POINT inner_dark[] = {{l + 1, b - 1}, {rr - 1, b - 1}, {rr - 1, t}};
    polyline(dc, kFace, outer_light, 3);
    polyline(dc, kLight, inner_light, 3);
    polyline(dc, kDarkShadow, outer_dark, 3);
    polyline(dc, kShadow, inner_dark, 3);
}

COLORREF text_colour(const MenuItem &item, bool highlighted) {
    if (menu_item_is_inactive(item)) return kGrayText;
    return highlighted ? kHighlightText : kText;
}

void draw_popup_item(HDC dc, const TextMeasure &measure, const PopupLayout &layout,
                     const MenuItem &item, RECT area, bool highlighted) {
    if (menu_item_is_separator(item)) {
        const int middle = (area.top + area.bottom) / 2 - 1;
        hline(dc, kShadow, area.left + 1, area.right - 1, middle);
        hline(dc, kLight, area.left + 1, area.right - 1, middle + 1);
        return;
    }
    if (highlighted) fill(dc, area, kHighlight);
    const COLORREF colour = text_colour(item, highlighted);
    const int text_y = area.top + (area.bottom - area.top - measure.height) / 2;
    if ((item.flags & MF_CHECKED) != 0) {
        draw_check(dc, colour, area.left + 5, (area.top + area.bottom) / 2 - 2);
    }
    const MenuItemText shown = split_menu_text(item.text);
    draw_text(dc, measure, shown, area.left + (layout.text_x - kPopupBorder), text_y, colour);
    if (!shown.label.empty()) {
        const int label_x =
            area.left + (layout.label_right - kPopupBorder) - measure.width(shown.label);
        draw_text(dc, measure, MenuItemText{shown.label, {}, -1, 0}, label_x, text_y, colour);
    }
}

void draw_popup(const MenuFontDC &font, const MenuObject &popup, const PopupLayout &layout,
                int left, int top, int selection) {
    HDC dc = font.dc();
    const RECT frame{left, top, left + layout.width, top + layout.height};
    fill(dc, frame, kFace);
    draw_raised_border(dc, frame);
    for (std::size_t i = 0; i < popup.items.size() && i < layout.items.size(); ++i) {
        RECT area = layout.items[i];
        area.left += left;
        area.right += left;
        area.top += top;
        area.bottom += top;
        draw_popup_item(dc, font.measure(), layout, popup.items[i], area,
                        static_cast<int>(i) == selection);
    }
}

}  // namespace

int menu_bar_height(HMENU menu, int width) {
    const MenuObject *object = menu_object(menu);
    if (object == nullptr) return 0;
    MenuFontDC font;
    return layout_menu_bar(*object, width, font.measure()).height;
}

void menu_bar_paint(HMENU menu, const PixelSurface &bar, HWND owner) {
    if (bar.pixels == nullptr || bar.width <= 0 || bar.height <= 0) return;
    MenuFontDC font(bar);
    if (font.dc() == nullptr) return;
    fill(font.dc(), RECT{0, 0, bar.width, bar.height}, kFace);
    const MenuObject *object = menu_object(menu);
    if (object == nullptr) return;
    const MenuStateMachine *tracker = menu_state_of(owner);
    const int selected =
        tracker != nullptr && tracker->bar() == menu ? tracker->bar_selection() : -1;
    const BarLayout layout = layout_menu_bar(*object, bar.width, font.measure());
    for (std::size_t i = 0; i < layout.items.size(); ++i) {
        const MenuItem &item = object->items[i];
        const RECT &area = layout.items[i];
        const bool highlighted = static_cast<int>(i) == selected;
        if (highlighted) fill(font.dc(), area, kHighlight);
        const int text_y = area.top + (kMenuBarRowHeight - font.measure().height) / 2;
        draw_text(font.dc(), font.measure(), split_menu_text(item.text),
                  area.left + kMenuBarItemPadding, text_y, text_colour(item, highlighted));
    }
}

bool menu_overlay_open(HWND owner) {
    const MenuStateMachine *tracker = menu_state_of(owner);
    return tracker != nullptr && menu_object(tracker->open_popup()) != nullptr;
}

void menu_overlay_paint(HWND owner, const PixelSurface &frame, int client_top) {
    const MenuStateMachine *tracker = menu_state_of(owner);
    if (tracker == nullptr || frame.pixels == nullptr) return;
    const MenuObject *popup = menu_object(tracker->open_popup());
    if (popup == nullptr) return;
    MenuFontDC font(frame);
    if (font.dc() == nullptr) return;
    const RECT where = tracker->popup_rect();
    draw_popup(font, *popup, layout_popup(*popup, font.measure()), where.left,
               where.top + client_top, tracker->popup_selection());
}

}  // namespace platform
