#include "display/frame_limiter.h"

#include "zorvane/maths.h"

namespace zrv {

double WaitForFrameDeadline(double& nextFrameDue, double framePeriod,
                            const FrameWaitServices& services) {
    void* const context = services.context;
    const double start = services.readClockMs(context);
    double now = start;
    for (;;) {
        services.pump(context);
        now = services.readClockMs(context);
        if (now > nextFrameDue) break;
        // The queue's time-out counts whole milliseconds and may wake a little late, so it
        // stops a millisecond or more short and the clock's own sleep ends the wait on time.
        const std::int32_t queueWait = TruncateToInt32(nextFrameDue - now) - 1;
        if (queueWait >= 1) {
            services.waitForMessage(context, queueWait);
        } else {
            services.sleepUntil(context, nextFrameDue);
        }
    }

    nextFrameDue += framePeriod;
    if (framePeriod > 0) {
        while (now > nextFrameDue) nextFrameDue += framePeriod;
    }
    return now - start + 1;
}

}  // namespace zrv
