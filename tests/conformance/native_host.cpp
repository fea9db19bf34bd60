// native_host.cpp: the one line the native build of a conformance program adds: it selects the
// platform layer's headless host before main runs, so the program itself stays plain Win32.
//
// Depends on: headless_host.h. Linked only into the native builds.
#include <headless_host.h>

namespace {
[[maybe_unused]] const bool kHeadless = (headless_host_use(), true);
}  // namespace
