// Commands that wait for the user: any change of the input, a key press, a click.
#include <algorithm>
#include <cmath>

#include "audio/audio_runtime.h"
#include "display/frame_pump.h"
#include "display/frame_state.h"
#include "input/input_state.h"
#include "zorvane/clock.h"
#include "zorvane/display.h"
#include "zorvane/input.h"

namespace zrv {

namespace {

constexpr int kRounds = 15;
constexpr double kRoundSleepMs = 5;

struct MouseLook {
    std::int32_t x, y;
    bool left, right;
    // A click over before the buttons were looked at changes nothing else.
    std::uint32_t presses;
    bool operator==(const MouseLook&) const = default;
};

MouseLook LookAtMouse(InputState& input) {
    bool ok = false;
    const MouseSample sample = SampleMouse(input, ok);
    ClampMousePosition(input);
    const std::uint32_t presses = input.buttonPresses[0] + input.buttonPresses[1] + input.buttonPresses[2];
    return {input.mouseX, input.mouseY, sample.left != 0, sample.right != 0, presses};
}

bool AxisMoved(std::int32_t value) { return std::fabs(std::clamp(value / 32767.0, -1.0, 1.0)) > 0.1; }

bool JoystickActive(InputState& input) {
    for (std::int32_t j = 0, count = Joysticks(input); j < count; ++j) {
        const JoystickSample sample = ReadJoystickState(input, j);
        for (const std::uint8_t button : sample.buttons) {
            if (button != 0) return true;
        }
        if (AxisMoved(sample.x) || AxisMoved(sample.y) || AxisMoved(sample.z)) return true;
        const std::uint32_t hat = sample.pov[0];
        if (hat == 0 || hat == 9000 || hat == 18000 || hat == 27000) return true;
    }
    return false;
}

void StopOnEscape(const InputState& input) {
    if (Frame().escapeQuits == 0) return;
    if (EscapeDownInSnapshot(input)) {
        SetErrorCode(0);
        StopProgram();
    }
}

// Polls (keeping the window alive) until the condition holds.
template <class Condition>
void PollUntil(Condition condition) {
    while (!condition()) {
        PumpWithHook();
        SleepMs(kRoundSleepMs);
    }
}

bool KeyDown(InputState& input) {
    RefreshKeyboard(input);
    return AnyKeyDownInSnapshot(input);
}

}  // namespace

}  // namespace zrv

void WaitForInputChange() {
    auto* input = zrv::Input();
    const zrv::MouseLook before = input != nullptr ? zrv::LookAtMouse(*input) : zrv::MouseLook{};
    for (int round = 0; round < zrv::kRounds; ++round) {
        zrv::CheckMusicLoop();
        zrv::PumpWithHook();
        if (input != nullptr) {
            zrv::RefreshKeyboard(*input);
            zrv::StopOnEscape(*input);
            if (zrv::AnyKeyDownInSnapshot(*input)) return;
            if (!(zrv::LookAtMouse(*input) == before)) return;
            if (zrv::JoystickActive(*input)) return;
        }
        SleepMs(zrv::kRoundSleepMs);
    }
}

void WaitForKeyPress() {
    auto* input = zrv::Input();
    if (input == nullptr) return;  // no keyboard: nothing could ever end the wait
    zrv::PollUntil([&] { return !zrv::KeyDown(*input); });
    // The snapshot the wait took decides: a tap it saw is over by now.
    do {
        zrv::CheckMusicLoop();
        zrv::PumpWithHook();
        WaitForInputChange();
    } while (!zrv::AnyKeyDownInSnapshot(*input));
    zrv::PollUntil([&] { return !zrv::KeyDown(*input); });
}

void WaitForMouseClick() {
    auto* input = zrv::Input();
    if (input == nullptr) return;
    zrv::PollUntil([&] { return !zrv::AnyMouseButtonDown(*input); });
    do {
        WaitForInputChange();
    } while (!zrv::AnyMouseButtonDown(*input));
    zrv::PollUntil([&] { return !zrv::AnyMouseButtonDown(*input); });
}
