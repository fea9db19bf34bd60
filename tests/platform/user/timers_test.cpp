// Tests of window timers on the headless host's virtual clock: the first expiry, coalescing with
// the phase kept, replacement, the period clamp, callbacks, and timers dying with their window.
#include <gtest/gtest.h>
#include <platform_object_counts.h>

#include "recording_window.h"

namespace {

constexpr UINT kMarker = WM_USER + 1;

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        recording::register_class();
        window = recording::make_window("Timers");
        ASSERT_NE(window, nullptr);
    }

    // The virtual time of the next WM_TIMER retrieved.
    unsigned next_timer_time(WPARAM *id = nullptr) {
        MSG msg;
        EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
        if (id != nullptr) *id = msg.wParam;
        return headless_host_now_ms();
    }

    // Let virtual time reach now + ms without retrieving any timer message.
    void let_time_pass(unsigned ms) {
        headless_host_after(
            ms, [](void *) { PostMessageA(nullptr, kMarker, 0, 0); }, nullptr);
        MSG msg;
        ASSERT_EQ(GetMessageA(&msg, nullptr, kMarker, kMarker), TRUE);
    }

    HWND window = nullptr;
};

int timer_count() {
    PlatformObjectCounts counts{};
    platform_object_counts(&counts);
    return counts.timers;
}

TEST_F(Timers, FirstExpiryIsOnePeriodAfterSetTimerAndThePhaseIsKept) {
    ASSERT_EQ(SetTimer(window, 2, 50, nullptr), 2u);
    EXPECT_EQ(next_timer_time(), 50u);
    EXPECT_EQ(next_timer_time(), 100u);
    let_time_pass(75);  // 175: the ticks at 150 passed unretrieved
    WPARAM id = 0;
    EXPECT_EQ(next_timer_time(&id), 175u) << "one message for all the missed periods";
    EXPECT_EQ(id, 2u);
    EXPECT_EQ(next_timer_time(), 200u) << "the next tick stays on the original schedule";
    EXPECT_EQ(next_timer_time(), 250u);
}

TEST_F(Timers, PeekingWithoutRemovingLeavesTheTimerExpired) {
    SetTimer(window, 1, 20, nullptr);
    let_time_pass(30);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "next expiry is at 40";
}

TEST_F(Timers, SettingTheSameTimerAgainRestartsItsPeriod) {
    SetTimer(window, 4, 50, nullptr);
    let_time_pass(30);
    SetTimer(window, 4, 50, nullptr);
    EXPECT_EQ(next_timer_time(), 80u);
    EXPECT_EQ(timer_count(), 1);
}

TEST_F(Timers, ShortPeriodsAreRaisedToTenMilliseconds) {
    SetTimer(window, 1, 0, nullptr);
    EXPECT_EQ(next_timer_time(), 10u);
}

TEST_F(Timers, SeveralDueTimersComeInExpiryOrder) {
    SetTimer(window, 1, 30, nullptr);
    SetTimer(window, 2, 20, nullptr);
    let_time_pass(35);
    WPARAM first = 0, second = 0;
    next_timer_time(&first);
    next_timer_time(&second);
    EXPECT_EQ(first, 2u);
    EXPECT_EQ(second, 1u);
}

UINT_PTR callback_id = 0;
HWND callback_window = nullptr;
void CALLBACK note_callback(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    callback_window = hwnd;
    callback_id = id;
}

TEST_F(Timers, ACallbackTimerIsDispatchedToItsCallbackOnlyWhileItLives) {
    SetTimer(window, 6, 20, note_callback);
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(note_callback));
    recording::seen.clear();
    DispatchMessageA(&msg);
    EXPECT_EQ(callback_id, 6u);
    EXPECT_EQ(callback_window, window);
    EXPECT_TRUE(recording::seen.empty()) << "the window procedure does not see it";

    callback_id = 0;
    EXPECT_TRUE(KillTimer(window, 6));
    DispatchMessageA(&msg);
    EXPECT_EQ(callback_id, 0u) << "a killed timer's callback is not called";
    EXPECT_FALSE(KillTimer(window, 6));
}

TEST_F(Timers, DestroyingTheWindowKillsItsTimersAndDropsItsMessages) {
    SetTimer(window, 1, 20, nullptr);
    SetTimer(window, 2, 30, nullptr);
    HWND other = recording::make_window("Other");
    SetTimer(other, 1, 500, nullptr);
    EXPECT_EQ(timer_count(), 3);
    PostMessageA(window, WM_USER, 0, 0);
    let_time_pass(40);
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_EQ(timer_count(), 1);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "nothing of the window is left";
    EXPECT_FALSE(KillTimer(window, 1));
    EXPECT_EQ(SetTimer(window, 1, 20, nullptr), 0u) << "no timers for a stale window";
    EXPECT_EQ(next_timer_time(), 500u);
}

TEST_F(Timers, TimersOfNoWindowGetIdentifiersOfTheirOwn) {
    UINT_PTR first = SetTimer(nullptr, 0, 30, nullptr);
    UINT_PTR second = SetTimer(nullptr, 0, 40, nullptr);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    WPARAM id = 0;
    EXPECT_EQ(next_timer_time(&id), 30u);
    EXPECT_EQ(id, first);
    EXPECT_TRUE(KillTimer(nullptr, first));
    EXPECT_TRUE(KillTimer(nullptr, second));
    EXPECT_EQ(timer_count(), 0);
}

}  // namespace
