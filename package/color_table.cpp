// color_table.cpp: the package's 24 fixed colours, as RGB values and as the names the drawing
// log prints.
//
// Depends on nothing but RGB from <windows.h>. The two tables are parallel and constant; an
// index is valid from 0 to COLOR_COUNT - 1, and VORBL_check_color keeps every caller inside.
#include "vorbl_internal.h"

namespace vorbl {

const COLORREF color_rgb[COLOR_COUNT] = {
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(255, 0, 0),     RGB(0, 255, 0),
    RGB(0, 0, 255),     RGB(255, 255, 0),   RGB(255, 0, 255),   RGB(0, 255, 255),
    RGB(153, 0, 204),   RGB(0, 51, 153),    RGB(153, 102, 153), RGB(153, 255, 255),
    RGB(153, 255, 204), RGB(255, 102, 0),   RGB(153, 102, 51),  RGB(255, 153, 204),
    RGB(255, 255, 153), RGB(204, 153, 51),  RGB(255, 153, 102), RGB(0, 102, 51),
    RGB(51, 204, 153),  RGB(153, 153, 51),  RGB(128, 128, 128), RGB(204, 204, 204),
};

const char *const color_name[COLOR_COUNT] = {
    "black",     "white",        "red",       "green",     "blue",       "yellow",
    "magenta",   "cyan",         "purple",    "navy blue", "dusty plum", "ice blue",
    "turquoise", "orange",       "brown",     "pink",      "chalk",      "gold",
    "peach",     "forest green", "sea green", "olive",     "50% gray",   "20% gray",
};

}  // namespace vorbl
