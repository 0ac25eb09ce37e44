// clock_test.cpp -- the frame clock against a scripted tick count, across its wrap
#include <gtest/gtest.h>

#include <vector>

#include "platform/seam.h"
#include "shell/clock.h"

namespace {

// Each read of the tick count returns the next value; reads past the end repeat the last.
std::vector<DWORD> ticks;
size_t reads = 0;

DWORD ScriptedTick(void)
{
    DWORD tick = ticks[reads < ticks.size() ? reads : ticks.size() - 1];
    reads++;
    return tick;
}

class ClockTest : public testing::Test {
protected:
    void SetUp() override
    {
        reads = 0;
        tickCountHook = ScriptedTick;
    }
    void TearDown() override { tickCountHook = nullptr; }
};

TEST_F(ClockTest, MarkStoresAndReturnsTheTick)
{
    ticks = {1234};
    EXPECT_EQ(1234u, MarkFrameStart());
    EXPECT_EQ(1234u, frameStartTick);
    EXPECT_EQ(1u, reads);
}

TEST_F(ClockTest, WaitSpinsUntilTheDurationHasPassedAcrossTheWrap)
{
    // Marked 16 ms before the wrap; one millisecond passes per read.
    ticks.clear();
    for (DWORD t = 0xFFFFFFF0u, i = 0; i < 40; i++, t++)
        ticks.push_back(t);
    MarkFrameStart();
    DWORD after = WaitFrameEnd(30);
    // Reads 2..31 see elapsed 1..30; the one seeing 30 ends the spin, then one more read.
    EXPECT_EQ(32u, reads);
    EXPECT_EQ(15u, after);
}

TEST_F(ClockTest, NoSpinWhenTheFrameAlreadyTookLongEnough)
{
    struct Case {
        DWORD ms;
        DWORD elapsed;
    };
    for (Case c : {Case{0, 0}, Case{30, 30}, Case{30, 45}}) {
        reads = 0;
        ticks = {100, 100 + c.elapsed, 100 + c.elapsed + 1};
        MarkFrameStart();
        EXPECT_EQ(101 + c.elapsed, WaitFrameEnd(c.ms)) << "ms " << c.ms;
        EXPECT_EQ(3u, reads) << "ms " << c.ms << ": the mark and exactly two reads";
    }
}

TEST_F(ClockTest, SecondWaitAfterOneMarkReturnsAtOnce)
{
    ticks = {500, 510, 520, 530, 531, 532};
    MarkFrameStart();
    WaitFrameEnd(30);
    size_t afterFirst = reads;
    WaitFrameEnd(30);
    EXPECT_EQ(afterFirst + 2, reads);
}

} // namespace
