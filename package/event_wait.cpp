// event_wait.cpp: the package's one blocking event wait and the animation switch.
//
// Depends on the window procedures (windows_and_input.cpp) to turn messages into event state,
// on the renderer for the canvas copy after each message, and on the script reader for played
// back events. Everything runs on the thread that calls VORBL_wait_event.
#include "vorbl_internal.h"

// ---- Event state --------------------------------------------------------------------------
std::int32_t event_kind = EVENT_NONE;  // the event decided by the window procedure, not yet returned
std::int32_t event_x = 0;
std::int32_t event_y = 0;
unsigned char event_key = 0;
unsigned char animating = 0;          // periodic events are being produced
unsigned char one_frame_pending = 0;  // one periodic event is owed, then the animation halts
std::int32_t tick_pending = 0;        // a periodic event is decided and waits for a timer message
unsigned char quit_requested = 0;     // the program is to end; every further wait says so
