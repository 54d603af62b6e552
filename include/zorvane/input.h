// Keyboard, mouse and game controllers. Keys are DIK scan codes (1 Escape, 2..11 the
// digits 1..0, 28 Return, 57 Space, 200 cursor up, ...); mouse positions are pixels of the
// window's drawing area, origin top left; joysticks are counted from 0. The frame call
// refreshes the keyboard and opens a new mouse sample once per frame; a key tapped between
// two frames counts as down in the next frame's keyboard. Escape ending the program is
// switched with SetEscapeQuits (zorvane/display.h).
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// 1 while the key is down (only the low 8 bits of the code count), else 0. A key pressed
// and let go before the call looked still gives 1, once.
double IsKeyDown(double code);
// The character typed since the last different one, or empty: a held key reports once.
RtString ReadKeyChar();

// The position clamped to the screen and the buttons (1/0). A button pressed since the
// previous frame reads as down for this frame even when it was let go before the read (a
// touchpad's tap), and as up from the next frame on unless it is still held. With the
// pointer shown the position follows every move over the window, also motion sent by
// remote desktops.
void ReadMouse(double& x, double& y, double& left, double& right);
void ReadMouseInt(std::int32_t& x, std::int32_t& y, std::int32_t& left, std::int32_t& right);
// 0: dx, 1: dy, 2: wheel (-1/0/1), 3: left, 4: right, 5: middle button; one sample a frame.
double ReadMouseAxis(double selector);
// Moves the program's mouse position; the system pointer stays where it is.
void SetMousePosition(std::int32_t x, std::int32_t y);
void ShowMousePointer(double flag);
double CountMice() noexcept;
void SelectMouse(double index) noexcept;

double CountJoysticks() noexcept;
RtString JoystickName(double index);
// Axes and rotation axes from -1 to 1.
double ReadJoyX(double index);
double ReadJoyY(double index);
double ReadJoyZ(double index);
double ReadJoyRX(double index);
double ReadJoyRY(double index);
double ReadJoyRZ(double index);
// The hat: 1 right / -1 left, and -1 up / 1 down; a diagonal gives 0 on both.
double ReadJoyHatX(double index);
double ReadJoyHatY(double index);
// Non-zero while button 0..31 is pressed.
double ReadJoyButton(double index, double button);
// Joystick 0: x and y as -1, 0 or 1, and buttons 0 and 1.
void ReadJoystick(double& x, double& y, double& button1, double& button2);
// A constant force for duration milliseconds, x and y from -1 to 1; only on joysticks
// that can rumble.
void RumbleJoystick(double index, double duration, double x, double y);
