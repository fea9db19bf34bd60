// kernel_misc.h: test hooks of the small kernel and user calls (kernel_misc.cpp).
#pragma once

namespace platform {

// How many times MessageBeep was called (there is no sound; tests count the beeps).
int message_beep_count();

}  // namespace platform
