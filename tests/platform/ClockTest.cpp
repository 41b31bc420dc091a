#include "testing/ManualClock.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

namespace {

struct ManualClockTest : ::testing::Test {
    void TearDown() override
    {
        platform::testing::UseManualClock(false);
        platform::testing::SetPerformanceCounterAvailable(true);
    }
};

TEST_F(ManualClockTest, AllTimeSourcesFollowTheManualClock)
{
    platform::testing::UseManualClock(true, 5000);
    LARGE_INTEGER f{}, c0{}, c1{};
    ASSERT_TRUE(QueryPerformanceFrequency(&f));
    ASSERT_TRUE(QueryPerformanceCounter(&c0));
    EXPECT_EQ(timeGetTime(), 5000u);
    Sleep(250);
    ASSERT_TRUE(QueryPerformanceCounter(&c1));
    EXPECT_EQ(timeGetTime(), 5250u);
    EXPECT_EQ((c1.QuadPart - c0.QuadPart) * 1000 / f.QuadPart, 250);
}

TEST_F(ManualClockTest, MillisecondCountWrapsAt32Bits)
{
    platform::testing::UseManualClock(true, (1ull << 32) + 7);
    EXPECT_EQ(timeGetTime(), 7u);
}

TEST_F(ManualClockTest, CounterCanBeMadeUnavailable)
{
    platform::testing::SetPerformanceCounterAvailable(false);
    LARGE_INTEGER f{};
    f.QuadPart = 123;
    EXPECT_FALSE(QueryPerformanceFrequency(&f));
    EXPECT_EQ(f.QuadPart, 0);
}

} // namespace
