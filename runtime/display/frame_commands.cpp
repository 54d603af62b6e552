// The frame loop's settings and its clock readings.
#include "core/runtime_state.h"
#include "zorvane/display.h"
#include "zorvane/maths.h"

void LimitFrameRate(double limit) noexcept {
    auto* renderer = zrv::Runtime().renderer.get();
    if (renderer == nullptr) return;
    const std::int32_t rate = TruncateToInt32(limit);
    renderer->framePeriod = rate > 0 ? 1000.0 / rate : 2.0;
}

double QueryFrameTime() noexcept {
    const auto& clock = zrv::Runtime().clock;
    const double difference = clock.thisFrameStamp - clock.lastFrameStamp;
    return difference > 0 ? difference : 1;
}

void SetAutoPause(std::int32_t flag) noexcept { zrv::Runtime().frame.autoPause = flag != 0 ? 1 : 0; }

void SetPauseOnlyWhenMinimised(std::int32_t flag) noexcept {
    zrv::Runtime().frame.pauseOnlyMinimised = flag != 0 ? 1 : 0;
}

void SetEscapeQuits(double flag) noexcept { zrv::Runtime().frame.escapeQuits = flag != 0 ? 1 : 0; }
