// menu_tracking.h: the menu being tracked right now, for the drawing code.
#pragma once

#include <windows.h>

#include "menu_tracker.h"

namespace platform {

// The tracker of the menu open on `owner`, or nullptr when none is open there.
const MenuTracker *menu_tracker_of(HWND owner);

}  // namespace platform
