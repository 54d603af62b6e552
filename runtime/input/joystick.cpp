// Polling joysticks and the program's joystick commands.
#include <SDL2/SDL.h>

#include <algorithm>

#include "input/input_state.h"
#include "zorvane/input.h"
#include "zorvane/maths.h"

namespace zrv {

namespace {

constexpr std::uint32_t kHatCentred = 0xFFFFFFFFu;

std::uint32_t HatHundredths(Uint8 hat) {
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return kHatCentred;
    }
}

std::int32_t Axis(SDL_Joystick* joystick, int axis) {
    return axis < SDL_JoystickNumAxes(joystick) ? SDL_JoystickGetAxis(joystick, axis) : 0;
}

}  // namespace

JoystickSample ReadJoystickState(InputState& state, std::int32_t index) {
    JoystickSample sample{};
    if (index < 0 || index >= Joysticks(state)) return sample;
    SDL_Joystick* joystick = state.joystickDevice[index];
    if (joystick == nullptr) return sample;
    SDL_JoystickUpdate();
    // A joystick that was pulled out reads as all zero.
    if (SDL_JoystickGetAttached(joystick) != SDL_TRUE) return sample;

    std::int32_t* axes[] = {&sample.x, &sample.y, &sample.z, &sample.rx, &sample.ry, &sample.rz,
                            &sample.slider[0], &sample.slider[1]};
    for (int axis = 0; axis < 8; ++axis) *axes[axis] = Axis(joystick, axis);
    const int hats = SDL_JoystickNumHats(joystick);
    for (int hat = 0; hat < 4; ++hat) {
        sample.pov[hat] = hat < hats ? HatHundredths(SDL_JoystickGetHat(joystick, hat)) : kHatCentred;
    }
    const int buttons = std::min(SDL_JoystickNumButtons(joystick), kJoystickButtons);
    for (int button = 0; button < buttons; ++button) {
        sample.buttons[button] = SDL_JoystickGetButton(joystick, button) != 0 ? 0x80 : 0;
    }
    return sample;
}

}  // namespace zrv

namespace {

zrv::JoystickSample Sample(double index) {
    auto* input = zrv::Input();
    if (input == nullptr) return {};
    return zrv::ReadJoystickState(*input, TruncateToInt32(index));
}

double Unit(std::int32_t value) { return std::clamp(value / 32767.0, -1.0, 1.0); }

}  // namespace

double CountJoysticks() noexcept {
    auto* input = zrv::Input();
    return input != nullptr ? zrv::Joysticks(*input) : 0;
}

RtString JoystickName(double index) {
    auto* input = zrv::Input();
    const std::int32_t i = TruncateToInt32(index);
    if (input == nullptr || i < 0 || i >= zrv::Joysticks(*input)) return RtString();
    return RtString(input->joystickName[i].c_str());
}

double ReadJoyX(double index) { return Unit(Sample(index).x); }
double ReadJoyY(double index) { return Unit(Sample(index).y); }
double ReadJoyZ(double index) { return Unit(Sample(index).z); }
double ReadJoyRX(double index) { return Unit(Sample(index).rx); }
double ReadJoyRY(double index) { return Unit(Sample(index).ry); }
double ReadJoyRZ(double index) { return Unit(Sample(index).rz); }

double ReadJoyHatX(double index) {
    const std::uint32_t hat = Sample(index).pov[0];
    return hat == 9000 ? 1 : hat == 27000 ? -1 : 0;
}

double ReadJoyHatY(double index) {
    const std::uint32_t hat = Sample(index).pov[0];
    return hat == 0 ? -1 : hat == 18000 ? 1 : 0;
}

double ReadJoyButton(double index, double button) {
    const std::int32_t b = TruncateToInt32(button);
    if (b < 0 || b >= zrv::kJoystickButtons) return 0;
    return Sample(index).buttons[b];
}

void ReadJoystick(double& x, double& y, double& button1, double& button2) {
    const zrv::JoystickSample sample = Sample(0);
    x = sample.x / 30000;  // integer division: -1, 0 or 1
    y = sample.y / 30000;
    button1 = sample.buttons[0];
    button2 = sample.buttons[1];
}
