// Joysticks through SDL virtual devices: axes, hat, buttons, names and rumble.
#include <gtest/gtest.h>

#include "input/test_joysticks.h"
#include "zorvane/input.h"

namespace zrv::test {
namespace {

SDL_Joystick* Pad() { return Joysticks().pad; }

class Joystick : public ::testing::Test {
protected:
    void TearDown() override {
        for (int axis = 0; axis < 6; ++axis) SDL_JoystickSetVirtualAxis(Pad(), axis, 0);
        for (int button = 0; button < 32; ++button) SDL_JoystickSetVirtualButton(Pad(), button, 0);
        SDL_JoystickSetVirtualHat(Pad(), 0, SDL_HAT_CENTERED);
    }
};

TEST_F(Joystick, BothAreFoundWithTheirNamesWhenFirstAskedFor) {
    // Nothing of the joystick service is opened before a program asks for a joystick.
    EXPECT_EQ(SDL_WasInit(SDL_INIT_HAPTIC), 0u);
    EXPECT_EQ(CountJoysticks(), 2);
    EXPECT_NE(SDL_WasInit(SDL_INIT_HAPTIC), 0u);
    EXPECT_STREQ(JoystickName(0).c_str(), "Zorvane Test Pad");
    EXPECT_STREQ(JoystickName(1).c_str(), "Zorvane Tiny Stick");
    EXPECT_STREQ(JoystickName(2).c_str(), "");
    EXPECT_STREQ(JoystickName(-1).c_str(), "");
}

TEST_F(Joystick, AxesReadFromMinusOneToOne) {
    const Sint16 values[6] = {16384, -32768, 32767, -8192, 0, 100};
    for (int axis = 0; axis < 6; ++axis) SDL_JoystickSetVirtualAxis(Pad(), axis, values[axis]);
    EXPECT_NEAR(ReadJoyX(0), 16384 / 32767.0, 1e-12);
    EXPECT_EQ(ReadJoyY(0), -1);  // -32768 / 32767 is clamped
    EXPECT_EQ(ReadJoyZ(0), 1);
    EXPECT_NEAR(ReadJoyRX(0), -8192 / 32767.0, 1e-12);
    EXPECT_EQ(ReadJoyRY(0), 0);
    EXPECT_NEAR(ReadJoyRZ(0), 100 / 32767.0, 1e-12);
    // The small stick has no z or rotation axes; a missing joystick reads as zero.
    SDL_JoystickSetVirtualAxis(Joysticks().stick, 0, -32767);
    EXPECT_EQ(ReadJoyX(1), -1);
    EXPECT_EQ(ReadJoyZ(1), 0);
    EXPECT_EQ(ReadJoyX(5), 0);
    SDL_JoystickSetVirtualAxis(Joysticks().stick, 0, 0);
}

TEST_F(Joystick, TheHatGivesDirectionsAndDiagonalsGiveNothing) {
    const struct {
        Uint8 hat;
        double x, y;
    } cases[] = {
        {SDL_HAT_CENTERED, 0, 0}, {SDL_HAT_UP, 0, -1},    {SDL_HAT_RIGHT, 1, 0},
        {SDL_HAT_DOWN, 0, 1},     {SDL_HAT_LEFT, -1, 0},  {SDL_HAT_RIGHTUP, 0, 0},
        {SDL_HAT_LEFTDOWN, 0, 0},
    };
    for (const auto& c : cases) {
        SDL_JoystickSetVirtualHat(Pad(), 0, c.hat);
        EXPECT_EQ(ReadJoyHatX(0), c.x) << int(c.hat);
        EXPECT_EQ(ReadJoyHatY(0), c.y) << int(c.hat);
    }
    EXPECT_EQ(ReadJoyHatY(1), 0);  // no hat at all is not "up"
}

TEST_F(Joystick, ButtonsUpTo31) {
    SDL_JoystickSetVirtualButton(Pad(), 3, 1);
    SDL_JoystickSetVirtualButton(Pad(), 31, 1);
    EXPECT_NE(ReadJoyButton(0, 3), 0);
    EXPECT_NE(ReadJoyButton(0, 31), 0);
    EXPECT_EQ(ReadJoyButton(0, 2), 0);
    EXPECT_EQ(ReadJoyButton(0, 32), 0);
    EXPECT_EQ(ReadJoyButton(0, -1), 0);
}

TEST_F(Joystick, ReadJoystickGivesWholeStepsOfJoystickZero) {
    SDL_JoystickSetVirtualAxis(Pad(), 0, 32767);
    SDL_JoystickSetVirtualAxis(Pad(), 1, -29999);
    SDL_JoystickSetVirtualButton(Pad(), 1, 1);
    double x = 9;
    double y = 9;
    double b1 = 9;
    double b2 = 9;
    ReadJoystick(x, y, b1, b2);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 0);  // -29999 / 30000 truncates toward zero
    EXPECT_EQ(b1, 0);
    EXPECT_NE(b2, 0);
}

TEST_F(Joystick, RumbleDrivesTheMotorsOfAJoystickThatHasThem) {
    auto& joysticks = Joysticks();
    const int before = joysticks.rumbleCalls;
    RumbleJoystick(0, 200, 1, 0);
    EXPECT_EQ(joysticks.rumbleCalls, before + 1);
    EXPECT_EQ(joysticks.rumbleLow, 32767);  // (1² + 0²) × 10000 × 0.5 of 10000
    EXPECT_EQ(joysticks.rumbleHigh, 32767);
    RumbleJoystick(0, 200, 5, -5);  // forces are limited to -1..1: full strength
    EXPECT_EQ(joysticks.rumbleLow, 65535);

    const int calls = joysticks.rumbleCalls;
    RumbleJoystick(0, 0, 1, 1);  // no length: nothing
    RumbleJoystick(1, 200, 1, 1);  // no motors: nothing
    RumbleJoystick(7, 200, 1, 1);
    EXPECT_EQ(joysticks.rumbleCalls, calls);
}

}  // namespace
}  // namespace zrv::test
