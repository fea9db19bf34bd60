// kernel_misc.cpp: the small kernel32 and user32 calls: last error, module handle, tick count,
// system metrics, the stock icon and cursor, and MessageBeep.
//
// Depends on the host (clock and screen size). Frames are the host's, so the frame metrics are
// the classic Windows values, reported for programs that ask and used by nothing here.
#include "kernel/kernel_misc.h"

#include <cstdint>

#include "host/host.h"

namespace platform {

namespace {

constexpr std::uintptr_t kModuleHandle = 0x400000;  // the usual base of a Windows program
constexpr std::uintptr_t kStockIcon = 0x10001;
constexpr std::uintptr_t kStockCursor = 0x10003;
constexpr std::uintptr_t kFirstStockResource = 32512;
constexpr std::uintptr_t kLastStockResource = 32651;
constexpr DWORD kErrorModuleNotFound = 126;
constexpr DWORD kErrorResourceNameNotFound = 1814;

constexpr int kClassicCaption = 19;
constexpr int kClassicMenu = 19;
constexpr int kClassicFixedFrame = 3;
constexpr int kClassicSizeFrame = 4;

thread_local DWORD last_error = 0;
int beeps = 0;

// IDI_* and IDC_* of the system (instance NULL, an integer resource in the stock range).
bool is_stock_resource(HINSTANCE instance, LPCSTR name) {
    auto value = reinterpret_cast<std::uintptr_t>(name);
    return instance == nullptr && value >= kFirstStockResource && value <= kLastStockResource;
}

int screen_metric(bool width) {
    int w = 0, h = 0;
    host().screen_size(&w, &h);
    return width ? w : h;
}

}  // namespace

int message_beep_count() { return beeps; }

}  // namespace platform

extern "C" DWORD WINAPI GetLastError(void) { return platform::last_error; }

extern "C" void WINAPI SetLastError(DWORD code) { platform::last_error = code; }

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR module_name) {
    if (module_name != nullptr) {  // only the program itself is loaded
        SetLastError(platform::kErrorModuleNotFound);
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(platform::kModuleHandle);
}

extern "C" DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(platform::host().now_ms()); }

extern "C" int WINAPI GetSystemMetrics(int index) {
    using namespace platform;
    switch (index) {
        case SM_CXSCREEN: return screen_metric(true);
        case SM_CYSCREEN: return screen_metric(false);
        case SM_CYCAPTION: return kClassicCaption;
        case SM_CYMENU: return kClassicMenu;
        case SM_CXFIXEDFRAME:
        case SM_CYFIXEDFRAME: return kClassicFixedFrame;
        case SM_CXSIZEFRAME:
        case SM_CYSIZEFRAME: return kClassicSizeFrame;
        default: return 0;
    }
}

extern "C" HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!platform::is_stock_resource(instance, name)) {
        SetLastError(platform::kErrorResourceNameNotFound);
        return nullptr;
    }
    return reinterpret_cast<HICON>(platform::kStockIcon);
}

extern "C" HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (!platform::is_stock_resource(instance, name)) {
        SetLastError(platform::kErrorResourceNameNotFound);
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(platform::kStockCursor);
}

extern "C" BOOL WINAPI MessageBeep(UINT) {
    ++platform::beeps;
    return TRUE;
}
