#include "display/frame_limiter.h"

#include "zorvane/maths.h"

namespace zrv {

double WaitForFrameDeadline(double& nextFrameDue, double framePeriod,
                            const FrameWaitServices& services) {
    void* const context = services.context;
    const double start = services.readClockMs(context);
    double now = start;
    do {
        services.pump(context);
        now = services.readClockMs(context);
        if (nextFrameDue > now + 5) {
            const std::int32_t remaining = TruncateToInt32(nextFrameDue - now);
            // Sleeping is coarse: it ends 5 ms early and the rest is spent polling.
            if (remaining > 7) {
                services.sleepMs(context, remaining - 5);
                now += remaining - 5;
            }
        }
    } while (nextFrameDue >= now);

    nextFrameDue += framePeriod;
    if (framePeriod > 0) {
        while (now > nextFrameDue) nextFrameDue += framePeriod;
    }
    return now - start + 1;
}

}  // namespace zrv
