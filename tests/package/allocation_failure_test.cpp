// allocation_failure_test.cpp: memory running out at any allocation of a start-up, a frame and a
// shutdown never ends the program with an exception: the Windows call that could not allocate
// fails as it does on Windows, and the package goes on.
//
// Replaces the global operator new of this test program with one that can be told to fail its
// n-th allocation (a countdown, off unless armed). For every n, a child process arms it and runs
// the whole scenario; the child reports whether the failure was reached and whether anything
// escaped. The run stops at the first n the scenario never reaches.
#include <gtest/gtest.h>
#include <headless_host.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <new>

#include "vorbl_internal.h"

// The address sanitizer brings its own operator new; there the test is skipped.
#if defined(__SANITIZE_ADDRESS__)
#define VORBL_OWN_OPERATOR_NEW 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORBL_OWN_OPERATOR_NEW 0
#endif
#endif
#ifndef VORBL_OWN_OPERATOR_NEW
#define VORBL_OWN_OPERATOR_NEW 1
#endif

namespace {

long allocations_left = -1;  // -1: off; otherwise the allocation that reaches 0 fails
bool failure_reached = false;
bool every_allocation_fails = false;

#if VORBL_OWN_OPERATOR_NEW
void *allocate(std::size_t bytes) {
    if (every_allocation_fails || (allocations_left >= 0 && allocations_left-- == 0)) {
        failure_reached = true;
        return nullptr;
    }
    return std::malloc(bytes == 0 ? 1 : bytes);
}

#endif

}  // namespace

#if VORBL_OWN_OPERATOR_NEW
void *operator new(std::size_t bytes) {
    if (void *block = allocate(bytes)) return block;
    throw std::bad_alloc();
}
void *operator new[](std::size_t bytes) {
    if (void *block = allocate(bytes)) return block;
    throw std::bad_alloc();
}
void *operator new(std::size_t bytes, const std::nothrow_t &) noexcept { return allocate(bytes); }
void *operator new[](std::size_t bytes, const std::nothrow_t &) noexcept { return allocate(bytes); }
void operator delete(void *block) noexcept { std::free(block); }
void operator delete[](void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }
void operator delete[](void *block, std::size_t) noexcept { std::free(block); }
#endif

namespace {

enum ChildResult { SCENARIO_WHOLE = 0, FAILURE_NEVER_REACHED = 4, EXCEPTION_ESCAPED = 3 };

// Start-up, one frame drawn and delivered, a message, and shutdown, as a program does them.
void scenario() {
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    VORBL_set_animation(ANIMATE_RUN);
    VORBL_draw_circle(MAGENTA, 10, 20, 5);
    VORBL_draw_text(BLACK, -100, 0, 12, "Run");
    VORBL_text_printf("frame %d\n", 1);
    int x = 0;
    int y = 0;
    unsigned char key = 0;
    VORBL_wait_event(&x, &y, &key);
    VORBL_wait_event(&x, &y, &key);
    VORBL_set_animation(ANIMATE_QUIT);
    VORBL_wait_event(&x, &y, &key);
    VORBL_shutdown();
}

int run_child(long n) {
    headless_host_use();
    // Should the animation timer be the allocation that fails, closing the window later still
    // ends the waits (the headless host stops a program that waits for what can never come).
    headless_host_after(
        5000, [](void *) { headless_host_close(vorbl::graphics_hwnd); }, nullptr);
    allocations_left = n;
    try {
        scenario();
    } catch (...) {
        return EXCEPTION_ESCAPED;
    }
    return failure_reached ? SCENARIO_WHOLE : FAILURE_NEVER_REACHED;
}

// A start-up that cannot allocate its windows fails (0) and its one line names the cause.
TEST(AllocationFailure, AStartUpWithoutMemoryFailsAndSaysWhy) {
    if (!VORBL_OWN_OPERATOR_NEW) {
        GTEST_SKIP() << "the address sanitizer replaces operator new itself";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            headless_host_use();
            every_allocation_fails = true;
            const int started = VORBL_startup(GetModuleHandleA(nullptr), nullptr, "", SW_SHOW);
            every_allocation_fails = false;
            std::exit(started == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0),
        "^VORBL: the graphics window could not be made: not enough memory; the package did not "
        "start\n$");
}

TEST(AllocationFailure, EveryAllocationOfAStartUpAFrameAndAShutdownMayFail) {
    if (!VORBL_OWN_OPERATOR_NEW) {
        GTEST_SKIP() << "the address sanitizer replaces operator new itself";
    }
    long n = 0;
    int escaped = 0;
    for (;; ++n) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            _exit(run_child(n));
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFEXITED(status) && WEXITSTATUS(status) == FAILURE_NEVER_REACHED) {
            break;
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != SCENARIO_WHOLE) {
            ++escaped;
            ADD_FAILURE() << "allocation " << n
                          << (WIFEXITED(status) ? ": an exception left a call"
                                                : ": the program ended by a signal");
        }
    }
    EXPECT_EQ(escaped, 0);
    std::printf("allocation points covered: %ld\n", n);
    EXPECT_GT(n, 100);
}

}  // namespace
