// system_metrics.h: test hooks of the small user32 calls (system_metrics.cpp).
#pragma once

namespace platform {

// How many times MessageBeep was called (there is no sound; tests count the beeps).
int message_beep_count();

}  // namespace platform
