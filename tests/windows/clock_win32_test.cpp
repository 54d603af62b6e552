#include <gtest/gtest.h>

#include "display/precise_sleep.h"
#include "zorvane/clock.h"

namespace zrv::test {
namespace {

// The timer's due time is relative and counted in 100 ns; a wait that ended before the
// deadline would let the frame limiter present early.
TEST(WindowsClock, APreciseSleepNeverEndsBeforeItsDeadline) {
    InitClock();
    for (const double ahead : {0.3, 1.0, 2.7, 8.0}) {
        const double deadline = ReadClockMs() + ahead;
        SleepUntilClockMs(deadline);
        EXPECT_GE(ReadClockMs(), deadline) << ahead << " ms ahead";
    }
    const double before = ReadClockMs();
    SleepUntilClockMs(before - 5);  // a past deadline returns at once
    EXPECT_LT(ReadClockMs() - before, 5.0);
}

}  // namespace
}  // namespace zrv::test
