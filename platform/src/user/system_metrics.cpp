// system_metrics.cpp: the small user32 calls: system metrics, the stock icon and cursor, and
// MessageBeep.
//
// Depends on the host (screen size) and the window layout (the frame metrics it lays windows
// out with, which GetSystemMetrics reports).
#include "user/system_metrics.h"
#include "core/memory_exhaustion.h"

#include <cstdint>

#include "host/host.h"
#include "user/window_layout.h"

namespace platform {

namespace {

constexpr std::uintptr_t kStockIcon = 0x10001;
constexpr std::uintptr_t kStockCursor = 0x10003;
constexpr std::uintptr_t kFirstStockResource = 32512;
constexpr std::uintptr_t kLastStockResource = 32651;
constexpr DWORD kErrorResourceNameNotFound = 1814;

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

extern "C" int WINAPI GetSystemMetrics(int index) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(0), [&]() -> int {
        using namespace platform;
        switch (index) {
            case SM_CXSCREEN: return screen_metric(true);
            case SM_CYSCREEN: return screen_metric(false);
            case SM_CYCAPTION: return kCaptionHeight;
            case SM_CYMENU: return kMenuBarHeight;
            case SM_CXFIXEDFRAME:
            case SM_CYFIXEDFRAME: return kFixedFrame;
            case SM_CXSIZEFRAME:
            case SM_CYSIZEFRAME: return kSizingFrame;
            default: return 0;
        }
    });
}

extern "C" HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    return platform::fail_when_memory_runs_out<HICON>(nullptr, [&]() -> HICON {
        if (!platform::is_stock_resource(instance, name)) {
            SetLastError(platform::kErrorResourceNameNotFound);
            return nullptr;
        }
        return reinterpret_cast<HICON>(platform::kStockIcon);
    });
}

extern "C" HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return platform::fail_when_memory_runs_out<HCURSOR>(nullptr, [&]() -> HCURSOR {
        if (!platform::is_stock_resource(instance, name)) {
            SetLastError(platform::kErrorResourceNameNotFound);
            return nullptr;
        }
        return reinterpret_cast<HCURSOR>(platform::kStockCursor);
    });
}

extern "C" BOOL WINAPI MessageBeep(UINT) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        ++platform::beeps;
        return TRUE;
    });
}
