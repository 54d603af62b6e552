// The virtual joysticks of the input tests, and what their rumble motors were told.
#pragma once

#include <SDL2/SDL.h>

namespace zrv::test {

struct TestJoysticks {
    SDL_Joystick* pad = nullptr;    // joystick 0
    SDL_Joystick* stick = nullptr;  // joystick 1
    int rumbleCalls = 0;
    Uint16 rumbleLow = 0;
    Uint16 rumbleHigh = 0;
};

TestJoysticks& Joysticks();

}  // namespace zrv::test
