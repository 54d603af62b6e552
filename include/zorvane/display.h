// The window, its display mode and the frame loop.
#pragma once

#include <cstdint>

// Sets the drawing area's size and the mode (fullscreen non-zero) and shows five frames.
void OpenScreen(std::int32_t width, std::int32_t height, std::int32_t fullscreen);
// Width and height of the drawing area.
void QueryScreenSize(double& width, double& height) noexcept;
// Width and height of the drawing area, as integers.
void QueryScreenSizeInt(std::int32_t& width, std::int32_t& height) noexcept;
// 1 while the display runs fullscreen, else 0.
double IsFullscreen() noexcept;

// Shows the frame drawn since the last call and runs one pass of the frame loop: input
// refreshed, Escape and Alt+F4 end the program, window events handled, frame rate kept.
void PresentFrame();
// Frames per second; 0 or less: a 2 ms frame period.
void LimitFrameRate(double limit) noexcept;
// Milliseconds between the last two PresentFrame calls, at least 1.
double QueryFrameTime() noexcept;
// Non-zero: the program is held while its window does not have the focus (the default).
// While held, the frame call keeps the window responsive and looping music restarting,
// and the title ends in " <pause>".
void SetAutoPause(std::int32_t flag) noexcept;
// Non-zero: auto-pause holds the program only while its window is minimised; a window
// that merely lost the focus to another one keeps running, as a music player keeps
// playing, looping and animating in the background. Zero (the default): held whenever
// the window is inactive. With auto-pause off (SetAutoPause(0)) nothing is held at all.
// Takes effect at the window's next change of state.
void SetPauseOnlyWhenMinimised(std::int32_t flag) noexcept;
// Non-zero: Escape ends the program (the default).
void SetEscapeQuits(double flag) noexcept;

// Waits about 75 ms at most for a key, a mouse movement or click, or a joystick.
void WaitForInputChange();
// Waits until a key has gone down and up again.
void WaitForKeyPress();
// Waits until a mouse button has gone down and up again.
void WaitForMouseClick();
