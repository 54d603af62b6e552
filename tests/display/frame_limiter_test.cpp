// The frame limiter against a clock of the test's own: where it waits on the queue, where
// it sleeps on the clock, when it pumps, and where the next deadline lands.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "display/frame_limiter.h"

namespace zrv::test {
namespace {

// Every clock reading costs a twentieth of a millisecond. A queue wait ends at the next
// message that arrives, or after its time-out; the clock's sleep ends just after its deadline.
struct FakeClock {
    double now = 0;
    std::vector<double> messages;  // arrival times, ascending
    std::vector<std::int32_t> queueWaits;
    std::vector<double> sleptUntil;
    std::vector<double> pumps;  // the times of the pumps

    FrameWaitServices Services() {
        return {[](void* c) {
                    auto* clock = static_cast<FakeClock*>(c);
                    const double reading = clock->now;
                    clock->now += 0.05;
                    return reading;
                },
                [](void* c, std::int32_t ms) {
                    auto* clock = static_cast<FakeClock*>(c);
                    clock->queueWaits.push_back(ms);
                    double wake = clock->now + ms;
                    for (const double arrival : clock->messages) {
                        if (arrival > clock->now) {
                            wake = std::min(wake, arrival);
                            break;
                        }
                    }
                    clock->now = wake;
                },
                [](void* c, double deadline) {
                    auto* clock = static_cast<FakeClock*>(c);
                    clock->sleptUntil.push_back(deadline);
                    clock->now = std::max(clock->now, deadline) + 0.01;
                },
                [](void* c) {
                    auto* clock = static_cast<FakeClock*>(c);
                    clock->pumps.push_back(clock->now);
                },
                this};
    }
};

constexpr double kPeriod60 = 1000.0 / 60;

TEST(FrameLimiter, AFastFrameWaitsOnTheQueueThenSleepsToTheDeadlineWithoutPolling) {
    FakeClock clock;
    clock.now = 3;  // the frame took 3 ms of its 16.7
    double due = kPeriod60;
    const auto services = clock.Services();
    const double spent = WaitForFrameDeadline(due, kPeriod60, services);
    // 13.6 ms remain: the queue for 12 whole ones, the clock for the rest.
    EXPECT_EQ(clock.queueWaits, (std::vector<std::int32_t>{12}));
    EXPECT_EQ(clock.sleptUntil, (std::vector<double>{kPeriod60}));
    EXPECT_LE(clock.pumps.size(), 3u);  // no busy poll
    EXPECT_GT(clock.pumps.back(), kPeriod60);  // the last pump comes after the deadline
    EXPECT_GT(clock.now, kPeriod60);
    EXPECT_LT(clock.now, kPeriod60 + 0.5);
    EXPECT_DOUBLE_EQ(due, 2 * kPeriod60);
    EXPECT_NEAR(spent, kPeriod60 - 3 + 1, 0.5);
}

TEST(FrameLimiter, MessagesArrivingDuringTheWaitArePumpedAsTheyArrive) {
    FakeClock clock;
    clock.now = 1;
    clock.messages = {4.5, 9.25};
    double due = kPeriod60;
    const auto services = clock.Services();
    WaitForFrameDeadline(due, kPeriod60, services);
    for (const double arrival : clock.messages) {
        const auto next = std::lower_bound(clock.pumps.begin(), clock.pumps.end(), arrival);
        ASSERT_NE(next, clock.pumps.end());
        EXPECT_LT(*next - arrival, 0.2) << "message at " << arrival;
    }
    // Each wake-up waits on again for what is left, so the deadline still holds.
    EXPECT_EQ(clock.queueWaits.size(), 3u);
    EXPECT_GT(clock.now, kPeriod60);
    EXPECT_LT(clock.now, kPeriod60 + 0.5);
}

TEST(FrameLimiter, ALateFrameSkipsTheSlotsItMissed) {
    FakeClock clock;
    clock.now = 55;  // the frame took 55 ms
    double due = kPeriod60;
    const auto services = clock.Services();
    WaitForFrameDeadline(due, kPeriod60, services);
    EXPECT_TRUE(clock.queueWaits.empty());
    EXPECT_TRUE(clock.sleptUntil.empty());
    EXPECT_EQ(clock.pumps.size(), 1u);
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
    EXPECT_TRUE(clock.queueWaits.empty());  // too short for the queue's whole milliseconds
    EXPECT_EQ(clock.sleptUntil.size(), 10u);
    EXPECT_DOUBLE_EQ(due, 22);
    EXPECT_GT(clock.now, 20);
    EXPECT_LT(clock.now, 21);
}

}  // namespace
}  // namespace zrv::test
