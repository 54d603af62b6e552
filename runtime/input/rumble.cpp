// Force feedback: a constant force through SDL's haptics, or the rumble motors.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

#include "input/input_state.h"
#include "zorvane/input.h"
#include "zorvane/maths.h"

namespace {

constexpr double kFullMagnitude = 10000;

// -1 to 1; a force that is not a number is none.
double Force(double value) { return value == value ? std::clamp(value, -1.0, 1.0) : 0.0; }

bool RunConstantForce(zrv::InputState& input, std::int32_t slot, Uint32 milliseconds, double x,
                      double y, std::int32_t magnitude) {
    SDL_Haptic* haptic = input.joystickHaptic[slot];
    if (haptic == nullptr || (SDL_HapticQuery(haptic) & SDL_HAPTIC_CONSTANT) == 0) return false;
    SDL_HapticStopAll(haptic);
    // One effect per joystick: the previous one is replaced, not leaked.
    if (input.hapticEffect[slot] >= 0) SDL_HapticDestroyEffect(haptic, input.hapticEffect[slot]);
    input.hapticEffect[slot] = -1;

    SDL_HapticEffect effect;
    std::memset(&effect, 0, sizeof effect);
    effect.type = SDL_HAPTIC_CONSTANT;
    effect.constant.direction.type = SDL_HAPTIC_CARTESIAN;
    effect.constant.direction.dir[0] = static_cast<Sint32>(x * 32767);
    effect.constant.direction.dir[1] = static_cast<Sint32>(y * 32767);
    effect.constant.length = milliseconds;
    effect.constant.level = static_cast<Sint16>(magnitude * 32767 / kFullMagnitude);
    const int id = SDL_HapticNewEffect(haptic, &effect);
    if (id < 0) return false;
    input.hapticEffect[slot] = id;
    return SDL_HapticRunEffect(haptic, id, 1) == 0;
}

}  // namespace

void RumbleJoystick(double index, double duration, double x, double y) {
    auto* input = zrv::Input();
    const std::int32_t slot = TruncateToInt32(index);
    if (input == nullptr || slot < 0 || slot >= zrv::Joysticks(*input)) return;
    SDL_Joystick* joystick = input->joystickDevice[slot];
    if (joystick == nullptr) return;
    // A force of no length does nothing (SDL would take 0 as "until stopped").
    const std::int32_t milliseconds = TruncateToInt32(duration);
    if (milliseconds <= 0) return;

    x = Force(x);
    y = Force(y);
    const std::int32_t magnitude = TruncateToInt32((x * x + y * y) * kFullMagnitude * 0.5);
    const auto length = static_cast<Uint32>(milliseconds);
    if (RunConstantForce(*input, slot, length, x, y, magnitude)) return;
    if (SDL_JoystickHasRumble(joystick) != SDL_TRUE) return;
    const auto strength = static_cast<Uint16>(std::min(magnitude * 65535.0 / kFullMagnitude, 65535.0));
    SDL_JoystickRumble(joystick, strength, strength, length);
}
