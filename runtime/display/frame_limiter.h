// Waiting for the frame deadline without spinning: the wait blocks on the window's message
// queue until about a millisecond before the deadline, so every message is handled as it
// arrives, then sleeps to the deadline on the clock itself.
#pragma once

#include <cstdint>

namespace zrv {

struct FrameWaitServices {
    double (*readClockMs)(void* context);
    // Returns when a message is waiting or the milliseconds have passed, whichever is first.
    void (*waitForMessage)(void* context, std::int32_t milliseconds);
    // Returns once the clock reads the deadline or later.
    void (*sleepUntil)(void* context, double deadlineMs);
    void (*pump)(void* context);
    void* context;
};

// Waits for nextFrameDue and moves it on by whole frame periods, skipping the slots a
// late frame missed. Returns the milliseconds spent, plus 1.
double WaitForFrameDeadline(double& nextFrameDue, double framePeriod,
                            const FrameWaitServices& services);

}  // namespace zrv
