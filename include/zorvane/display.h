// The window, its display mode and the frame loop.
#pragma once

#include <cstdint>

// Sets the drawing area's size and the mode (fullscreen non-zero) and shows five frames.
void OpenScreen(std::int32_t width, std::int32_t height, std::int32_t fullscreen);
void QueryScreenSize(double& width, double& height) noexcept;
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
void SetAutoPause(std::int32_t flag) noexcept;
// Non-zero: Escape ends the program (the default).
void SetEscapeQuits(double flag) noexcept;

// Waits about 75 ms at most for a key, a mouse movement or click, or a joystick.
void WaitForInputChange();
void WaitForKeyPress();
void WaitForMouseClick();
