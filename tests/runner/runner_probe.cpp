// runner_probe.cpp: tests for the process-per-test main to run, not for CTest to run directly.
// The isolation pair passes only when each test has a fresh process; the faulty pair must fail,
// one by a crash and one by leaving the process early with exit code 0.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int tests_seen_by_this_process = 0;

TEST(Isolation, FirstSeesAFreshProcess) { EXPECT_EQ(++tests_seen_by_this_process, 1); }

TEST(Isolation, SecondSeesAFreshProcess) { EXPECT_EQ(++tests_seen_by_this_process, 1); }

TEST(Faulty, Crashes) { std::abort(); }

TEST(Faulty, LeavesEarlyWithSuccess) { std::exit(0); }

TEST(Faulty, DISABLED_IsNeverRun) { FAIL(); }

}  // namespace
