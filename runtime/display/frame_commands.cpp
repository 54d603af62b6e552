// The frame loop's settings and its clock readings.
#include "display/frame_state.h"
#include "display/opengl_lumivane.h"
#include "zorvane/display.h"
#include "zorvane/maths.h"

void LimitFrameRate(double limit) noexcept {
    auto* renderer = zrv::Renderer();
    if (renderer == nullptr) return;
    const std::int32_t rate = TruncateToInt32(limit);
    renderer->framePeriod = rate > 0 ? 1000.0 / rate : 2.0;
}

double QueryFrameTime() noexcept {
    const auto& clock = zrv::Clock();
    const double difference = clock.thisFrameStamp - clock.lastFrameStamp;
    return difference > 0 ? difference : 1;
}

void SetAutoPause(std::int32_t flag) noexcept { zrv::Frame().autoPause = flag != 0 ? 1 : 0; }

void SetPauseOnlyWhenMinimised(std::int32_t flag) noexcept {
    zrv::Frame().pauseOnlyMinimised = flag != 0 ? 1 : 0;
}

void SetEscapeQuits(double flag) noexcept { zrv::Frame().escapeQuits = flag != 0 ? 1 : 0; }
