// kernel_misc.cpp: the small kernel32 calls: last error, module handle, tick count.
//
// Depends on the host (its clock).
#include <windows.h>

#include <cstdint>

#include "core/memory_exhaustion.h"
#include "host/host.h"

namespace platform {

namespace {

constexpr std::uintptr_t kModuleHandle = 0x400000;  // the usual base of a Windows program
constexpr DWORD kErrorModuleNotFound = 126;

thread_local DWORD last_error = 0;

}  // namespace

}  // namespace platform

extern "C" DWORD WINAPI GetLastError(void) { return platform::last_error; }

extern "C" void WINAPI SetLastError(DWORD code) { platform::last_error = code; }

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR module_name) {
    return platform::fail_when_memory_runs_out<HMODULE>(nullptr, [&]() -> HMODULE {
        if (module_name != nullptr) {  // only the program itself is loaded
            SetLastError(platform::kErrorModuleNotFound);
            return nullptr;
        }
        return reinterpret_cast<HMODULE>(platform::kModuleHandle);
    });
}

extern "C" DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(platform::host().now_ms()); }
