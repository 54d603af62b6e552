// Waiting for the frame deadline: sleep while more than 7 ms remain, wake 5 ms early and
// keep the window alive until the deadline has passed.
#pragma once

#include <cstdint>

namespace zrv {

struct FrameWaitServices {
    double (*readClockMs)(void* context);
    void (*sleepMs)(void* context, std::int32_t milliseconds);
    void (*pump)(void* context);
    void* context;
};

// Waits for nextFrameDue and moves it on by whole frame periods, skipping the slots a
// late frame missed. Returns the milliseconds spent, plus 1.
double WaitForFrameDeadline(double& nextFrameDue, double framePeriod,
                            const FrameWaitServices& services);

}  // namespace zrv
