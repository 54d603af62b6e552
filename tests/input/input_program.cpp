// The input tests are a program of the runtime themselves. Two SDL virtual joysticks are
// plugged in before the runtime starts, since joysticks are found at start-up: a pad with
// six axes, a hat, 32 buttons and rumble motors, and a small stick without any of those.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "display/support/runtime_session.h"
#include "input/test_joysticks.h"
#include "zorvane/program.h"

namespace zrv::test {

namespace {

TestJoysticks joysticks;

int SDLCALL Rumble(void*, Uint16 low, Uint16 high) {
    joysticks.rumbleLow = low;
    joysticks.rumbleHigh = high;
    ++joysticks.rumbleCalls;
    return 0;
}

SDL_Joystick* Plug(const char* name, Uint16 axes, Uint16 buttons, Uint16 hats, bool rumble) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = axes;
    desc.nbuttons = buttons;
    desc.nhats = hats;
    desc.name = name;
    if (rumble) desc.Rumble = Rumble;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    return index >= 0 ? SDL_JoystickOpen(index) : nullptr;
}

class InputSession : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        joysticks.pad = Plug("Zorvane Test Pad", 6, 32, 1, true);
        joysticks.stick = Plug("Zorvane Tiny Stick", 2, 2, 0, false);
        ASSERT_NE(joysticks.pad, nullptr) << SDL_GetError();
        ASSERT_NE(joysticks.stick, nullptr) << SDL_GetError();
        StartRuntimeSession("Zorvane input test");
    }
    void TearDown() override { StopRuntimeSession(); }
};

const auto* const session = ::testing::AddGlobalTestEnvironment(new InputSession);

}  // namespace

TestJoysticks& Joysticks() { return joysticks; }

}  // namespace zrv::test

void ApplyProjectSettings() {}
void ProgramMain() {}

const FunctionNameEntry FunctionNameTable[] = {{nullptr, nullptr}};
