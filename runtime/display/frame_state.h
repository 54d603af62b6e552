// Clock and frame-loop state of the process.
#pragma once

#include <cstdint>

namespace zrv {

struct ClockState {
    bool usesCounter = false;
    double counterFrequency = 0;
    double startStamp = 0;
    double thisFrameStamp = 0;
    double lastFrameStamp = 0;
};

struct FrameLoopFlags {
    std::uint8_t paused = 0;
    std::uint8_t autoPause = 1;
    std::uint8_t escapeQuits = 1;
};

}  // namespace zrv
