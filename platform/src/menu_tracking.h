// menu_tracking.h: the menu being tracked right now, for the drawing code.
//
// Depends on the tracker. Only one menu is tracked at a time, inside the modal loop of
// menu_tracking.cpp; outside that loop there is none.
#pragma once

#include <windows.h>

#include "menu_tracker.h"

namespace platform {

// The tracker of the menu open on `owner`, or nullptr when none is open there.
const MenuTracker *menu_tracker_of(HWND owner);

}  // namespace platform
