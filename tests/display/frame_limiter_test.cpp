// The frame limiter against a clock of the test's own: what it sleeps, how long it
// polls, and where the next deadline lands.
#include <gtest/gtest.h>

#include <vector>

#include "display/frame_limiter.h"

namespace zrv::test {
namespace {

// Every clock reading costs a quarter millisecond; sleeping advances the clock exactly.
struct FakeClock {
    double now = 0;
    std::vector<std::int32_t> sleeps;
    int pumps = 0;

    FrameWaitServices Services() {
        return {[](void* c) {
                    auto* clock = static_cast<FakeClock*>(c);
                    const double reading = clock->now;
                    clock->now += 0.25;
                    return reading;
                },
                [](void* c, std::int32_t ms) {
                    auto* clock = static_cast<FakeClock*>(c);
                    clock->sleeps.push_back(ms);
                    clock->now += ms;
                },
                [](void* c) { ++static_cast<FakeClock*>(c)->pumps; }, this};
    }
};

constexpr double kPeriod60 = 1000.0 / 60;

TEST(FrameLimiter, AFastFrameSleepsOnceAndPollsTheLastMilliseconds) {
    FakeClock clock;
    clock.now = 3;  // the frame took 3 ms of its 16.7
    double due = kPeriod60;
    const auto services = clock.Services();
    const double spent = WaitForFrameDeadline(due, kPeriod60, services);
    EXPECT_EQ(clock.sleeps, (std::vector<std::int32_t>{8}));  // 13 ms remain: sleep 13 - 5
    EXPECT_GT(clock.pumps, 10);                                 // then poll, pumping each time
    EXPECT_GT(clock.now, kPeriod60);
    EXPECT_LT(clock.now, kPeriod60 + 1);
    EXPECT_DOUBLE_EQ(due, 2 * kPeriod60);
    EXPECT_GT(spent, kPeriod60 - 3);
}

TEST(FrameLimiter, NothingIsSleptWhenSevenMillisecondsOrLessRemain) {
    FakeClock clock;
    clock.now = 9;  // 7.67 ms remain: truncated to 7
    double due = kPeriod60;
    const auto services = clock.Services();
    WaitForFrameDeadline(due, kPeriod60, services);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_DOUBLE_EQ(due, 2 * kPeriod60);
}

TEST(FrameLimiter, ALateFrameSkipsTheSlotsItMissed) {
    FakeClock clock;
    clock.now = 55;  // the frame took 55 ms
    double due = kPeriod60;
    const auto services = clock.Services();
    WaitForFrameDeadline(due, kPeriod60, services);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(clock.pumps, 1);
    EXPECT_DOUBLE_EQ(due, 4 * kPeriod60);  // the first slot after the clock
    EXPECT_GT(due, clock.now);

    // The next fast frame waits for that slot instead of running at once to catch up.
    clock.now = 57;
    WaitForFrameDeadline(due, kPeriod60, services);
    EXPECT_GT(clock.now, 4 * kPeriod60);
}

TEST(FrameLimiter, ALimitOfZeroPacesAtTwoMilliseconds) {
    FakeClock clock;
    double due = 2;
    const auto services = clock.Services();
    for (int frame = 0; frame < 10; ++frame) WaitForFrameDeadline(due, 2.0, services);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_DOUBLE_EQ(due, 22);
    EXPECT_GT(clock.now, 20);
    EXPECT_LT(clock.now, 21);
}

}  // namespace
}  // namespace zrv::test
