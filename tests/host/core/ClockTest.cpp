#include <maya/MTimer.h>

#include "core/HostClock.h"

#include <gtest/gtest.h>

#include <cmath>

using rvhost::HostClock;

namespace {

// The clock is process-wide; every test leaves it running on real time.
class ClockTest : public ::testing::Test {
protected:
    void TearDown() override { HostClock::setManual(false); }
};

} // namespace

TEST_F(ClockTest, ManualModeStandsStillAndMovesOnlyWhenAdvanced) {
    HostClock::setManual(true);
    EXPECT_TRUE(HostClock::isManual());
    const double start = HostClock::now();
    EXPECT_EQ(HostClock::now(), start);
    EXPECT_TRUE(HostClock::advance(2.5));
    EXPECT_DOUBLE_EQ(HostClock::now(), start + 2.5);
    EXPECT_FALSE(HostClock::advance(-1.0));
    EXPECT_FALSE(HostClock::advance(NAN));
    EXPECT_DOUBLE_EQ(HostClock::now(), start + 2.5);

    MTimer timer;
    timer.beginTimer();
    HostClock::advance(0.25);
    timer.endTimer();
    EXPECT_DOUBLE_EQ(timer.elapsedTime(), 0.25);
    timer.clear();
    EXPECT_DOUBLE_EQ(timer.elapsedTime(), 0.0);
}

TEST_F(ClockTest, SwitchingModesNeverRunsTheClockBackwards) {
    HostClock::setManual(true);
    HostClock::advance(1000.0);
    const double manual = HostClock::now();
    HostClock::setManual(false);
    EXPECT_FALSE(HostClock::isManual());
    EXPECT_GE(HostClock::now(), manual);
    HostClock::setManual(true);
    const double again = HostClock::now();
    EXPECT_GE(again, manual);
    HostClock::setManual(true); // already manual: no jump
    EXPECT_EQ(HostClock::now(), again);
}
