// Tests of message retrieval: the order of the five sources, the quit flag, merging of mouse
// moves, error results for bad arguments, and the headless host's loud failure on a dead wait.
#include <gtest/gtest.h>

#include "recording_window.h"

namespace {

constexpr UINT kMarker = WM_USER + 1;

class MessageQueue : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        recording::register_class();
        window = recording::make_window("Queue");
        ASSERT_NE(window, nullptr);
    }
    HWND window = nullptr;
};

HWND target_window = nullptr;

// At one instant: a posted message, a key, the quit request and an invalidation, after a timer
// has already expired; then a marker that lets the test's filtered wait return.
void make_everything_pending(void *) {
    ShowWindow(target_window, SW_SHOW);
    PostMessageA(target_window, WM_USER, 1, 0);
    headless_host_key('A', 1);
    PostQuitMessage(3);
    PostMessageA(target_window, kMarker, 0, 0);
}

TEST_F(MessageQueue, RetrievesPostedThenQuitThenInputThenPaintThenTimer) {
    target_window = window;
    SetTimer(window, 9, 50, nullptr);
    headless_host_after(100, make_everything_pending, nullptr);
    MSG msg;
    // A range that excludes WM_TIMER: the wait sleeps to the action without taking the timer.
    ASSERT_EQ(GetMessageA(&msg, nullptr, kMarker, kMarker), TRUE);
    ASSERT_EQ(msg.message, kMarker);
    EXPECT_EQ(headless_host_now_ms(), 100u);

    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0) << "WM_QUIT comes after the posted messages";
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN)) << "input comes after the quit";
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageA(&msg);  // DefWindowProcA validates
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(MessageQueue, QuitRequestsCoalesceKeepTheLastCodeAndClearOnRetrieval) {
    PostQuitMessage(1);
    PostQuitMessage(2);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT)) << "a peek leaves the flag set";
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.wParam, 2u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "only one WM_QUIT";
}

TEST_F(MessageQueue, PostedMessagesAreFifoAndFilteredByWindowAndRange) {
    HWND other = recording::make_window("Other");
    PostMessageA(window, WM_USER + 5, 1, 0);
    PostMessageA(other, WM_USER + 5, 2, 0);
    PostMessageA(window, WM_USER + 7, 3, 0);
    PostMessageA(nullptr, WM_USER + 5, 4, 0);  // a thread message
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, other, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessageA(&msg, window, WM_USER + 6, WM_USER + 9, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, MouseMovesMergeButButtonMessagesDoNot) {
    ShowWindow(window, SW_SHOW);
    headless_host_move(window, 1, 1);
    headless_host_move(window, 2, 2);
    headless_host_move(window, 3, 4);
    headless_host_click(window, 5, 6);
    headless_host_move(window, 7, 8);
    std::vector<MSG> got = recording::drain();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(got[0].lParam, MAKELPARAM(3, 4)) << "the latest position replaces a pending one";
    EXPECT_EQ(got[1].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(got[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(got[1].lParam, MAKELPARAM(5, 6));
    EXPECT_EQ(got[2].message, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(got[3].message, static_cast<UINT>(WM_MOUSEMOVE));
}

TEST_F(MessageQueue, BadArgumentsFailWithoutDispatchingAnything) {
    EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
    MSG msg;
    msg.message = 1234;
    HWND stale = recording::make_window("Stale");
    DestroyWindow(stale);
    EXPECT_EQ(GetMessageA(&msg, stale, 0, 0), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(msg.hwnd, nullptr) << "an error leaves no message to dispatch";
    EXPECT_EQ(msg.message, 0u);
    EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(stale, WM_USER, 0, 0));

    recording::seen.clear();
    MSG forged{};
    forged.hwnd = stale;
    forged.message = WM_USER;
    EXPECT_EQ(DispatchMessageA(&forged), 0);
    EXPECT_EQ(DispatchMessageA(nullptr), 0);
    forged.hwnd = window;
    forged.message = WM_TIMER;
    forged.lParam = 0x1234;  // not the callback of any timer
    EXPECT_EQ(DispatchMessageA(&forged), 0);
    EXPECT_TRUE(recording::seen.empty());
}

TEST_F(MessageQueue, ScheduledActionsRunInOrderAtTheirVirtualTime) {
    static std::vector<unsigned> ran;
    auto note = [](void *arg) {
        auto tag = static_cast<unsigned>(reinterpret_cast<uintptr_t>(arg));
        ran.push_back(headless_host_now_ms() * 10 + tag);
        if (ran.size() == 3) PostMessageA(nullptr, kMarker, 0, 0);
    };
    headless_host_after(30, note, reinterpret_cast<void *>(2));
    headless_host_after(10, note, reinterpret_cast<void *>(1));
    headless_host_after(30, note, reinterpret_cast<void *>(3));
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, kMarker);
    EXPECT_EQ(ran, (std::vector<unsigned>{101, 302, 303}));
}

using MessageQueueDeathTest = MessageQueue;

TEST_F(MessageQueueDeathTest, WaitingWithNothingThatCanHappenAbortsLoudly) {
    MSG msg;
    EXPECT_DEATH(GetMessageA(&msg, nullptr, 0, 0), "can ever arrive");
}

}  // namespace
