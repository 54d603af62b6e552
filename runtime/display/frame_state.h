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
    // Auto-pause holds only while the window is minimised, not whenever it lost the focus.
    std::uint8_t pauseOnlyMinimised = 0;
    std::uint8_t escapeQuits = 1;
    // -1: not looked up yet, 0: the program has no message hook, 1: it has one.
    std::int32_t messageHookState = -1;
    double (*messageHook)() = nullptr;
};

ClockState& Clock() noexcept;
FrameLoopFlags& Frame() noexcept;
// Set by a break to the debugger, which hid the window; the next frame shows it again.
std::int32_t& BreakPending() noexcept;

}  // namespace zrv
