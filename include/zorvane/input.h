// Keyboard, mouse and game controllers. Keys are DIK scan codes (1 Escape, 2..11 the
// digits 1..0, 28 Return, 57 Space, 200 cursor up, ...); mouse positions are pixels of the
// window's drawing area, origin top left; joysticks are counted from 0. The frame call
// refreshes the keyboard and opens a new mouse sample once per frame; a key tapped between
// two frames counts as down in the next frame's keyboard. Escape ending the program is
// switched with SetEscapeQuits (zorvane/display.h).
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// ---- Named scan codes ------------------------------------------------------------------
//
// The DIK codes of the keys programs test most, by where the key sits on a US keyboard
// (a code names a position, not a character: on other layouts the key at that place may
// carry another letter). Codes above 127 are the extended keys: keypad Enter, the right
// Control and Alt, the cursor block.

constexpr std::int32_t kKeyEscape = 1;
// The digits of the main row: kKey1 = 2 ... kKey9 = 10, kKey0 = 11.
constexpr std::int32_t kKey1 = 2;
constexpr std::int32_t kKey2 = 3;
constexpr std::int32_t kKey3 = 4;
constexpr std::int32_t kKey4 = 5;
constexpr std::int32_t kKey5 = 6;
constexpr std::int32_t kKey6 = 7;
constexpr std::int32_t kKey7 = 8;
constexpr std::int32_t kKey8 = 9;
constexpr std::int32_t kKey9 = 10;
constexpr std::int32_t kKey0 = 11;
// The main row's minus and equals keys (plus is Shift and equals there).
constexpr std::int32_t kKeyMinus = 12;
constexpr std::int32_t kKeyEquals = 13;
constexpr std::int32_t kKeyBackspace = 14;
constexpr std::int32_t kKeyTab = 15;
constexpr std::int32_t kKeyQ = 16;
constexpr std::int32_t kKeyW = 17;
constexpr std::int32_t kKeyE = 18;
constexpr std::int32_t kKeyR = 19;
constexpr std::int32_t kKeyT = 20;
constexpr std::int32_t kKeyY = 21;
constexpr std::int32_t kKeyU = 22;
constexpr std::int32_t kKeyI = 23;
constexpr std::int32_t kKeyO = 24;
constexpr std::int32_t kKeyP = 25;
constexpr std::int32_t kKeyLeftBracket = 26;
constexpr std::int32_t kKeyRightBracket = 27;
constexpr std::int32_t kKeyReturn = 28;
constexpr std::int32_t kKeyLeftControl = 29;
constexpr std::int32_t kKeyA = 30;
constexpr std::int32_t kKeyS = 31;
constexpr std::int32_t kKeyD = 32;
constexpr std::int32_t kKeyF = 33;
constexpr std::int32_t kKeyG = 34;
constexpr std::int32_t kKeyH = 35;
constexpr std::int32_t kKeyJ = 36;
constexpr std::int32_t kKeyK = 37;
constexpr std::int32_t kKeyL = 38;
constexpr std::int32_t kKeySemicolon = 39;
constexpr std::int32_t kKeyApostrophe = 40;
constexpr std::int32_t kKeyGrave = 41;
constexpr std::int32_t kKeyLeftShift = 42;
constexpr std::int32_t kKeyBackslash = 43;
constexpr std::int32_t kKeyZ = 44;
constexpr std::int32_t kKeyX = 45;
constexpr std::int32_t kKeyC = 46;
constexpr std::int32_t kKeyV = 47;
constexpr std::int32_t kKeyB = 48;
constexpr std::int32_t kKeyN = 49;
constexpr std::int32_t kKeyM = 50;
constexpr std::int32_t kKeyComma = 51;
constexpr std::int32_t kKeyPeriod = 52;
constexpr std::int32_t kKeySlash = 53;
constexpr std::int32_t kKeyRightShift = 54;
constexpr std::int32_t kKeyPadMultiply = 55;
constexpr std::int32_t kKeyLeftAlt = 56;
constexpr std::int32_t kKeySpace = 57;
constexpr std::int32_t kKeyCapsLock = 58;
// F1 = 59 ... F10 = 68; F11 and F12 come later, at 87 and 88.
constexpr std::int32_t kKeyF1 = 59;
constexpr std::int32_t kKeyF2 = 60;
constexpr std::int32_t kKeyF3 = 61;
constexpr std::int32_t kKeyF4 = 62;
constexpr std::int32_t kKeyF5 = 63;
constexpr std::int32_t kKeyF6 = 64;
constexpr std::int32_t kKeyF7 = 65;
constexpr std::int32_t kKeyF8 = 66;
constexpr std::int32_t kKeyF9 = 67;
constexpr std::int32_t kKeyF10 = 68;
constexpr std::int32_t kKeyNumLock = 69;
constexpr std::int32_t kKeyScrollLock = 70;
constexpr std::int32_t kKeyPad7 = 71;
constexpr std::int32_t kKeyPad8 = 72;
constexpr std::int32_t kKeyPad9 = 73;
constexpr std::int32_t kKeyPadMinus = 74;
constexpr std::int32_t kKeyPad4 = 75;
constexpr std::int32_t kKeyPad5 = 76;
constexpr std::int32_t kKeyPad6 = 77;
constexpr std::int32_t kKeyPadPlus = 78;
constexpr std::int32_t kKeyPad1 = 79;
constexpr std::int32_t kKeyPad2 = 80;
constexpr std::int32_t kKeyPad3 = 81;
constexpr std::int32_t kKeyPad0 = 82;
constexpr std::int32_t kKeyPadDecimal = 83;
constexpr std::int32_t kKeyF11 = 87;
constexpr std::int32_t kKeyF12 = 88;
constexpr std::int32_t kKeyMediaPrevious = 144;
constexpr std::int32_t kKeyMediaNext = 153;
constexpr std::int32_t kKeyPadEnter = 156;
constexpr std::int32_t kKeyRightControl = 157;
// The keyboard's media keys, where the desktop leaves them to the window that has the focus
// (Windows always does).
constexpr std::int32_t kKeyMediaPlayPause = 162;
constexpr std::int32_t kKeyMediaStop = 164;
constexpr std::int32_t kKeyPadDivide = 181;
constexpr std::int32_t kKeyRightAlt = 184;
constexpr std::int32_t kKeyHome = 199;
constexpr std::int32_t kKeyUp = 200;
constexpr std::int32_t kKeyPageUp = 201;
constexpr std::int32_t kKeyLeft = 203;
constexpr std::int32_t kKeyRight = 205;
constexpr std::int32_t kKeyEnd = 207;
constexpr std::int32_t kKeyDown = 208;
constexpr std::int32_t kKeyPageDown = 209;
constexpr std::int32_t kKeyInsert = 210;
constexpr std::int32_t kKeyDelete = 211;
constexpr std::int32_t kKeyLeftWindows = 219;
constexpr std::int32_t kKeyRightWindows = 220;
constexpr std::int32_t kKeyApps = 221;

// ---- Commands ---------------------------------------------------------------------------

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
// As ReadMouse, into integers.
void ReadMouseInt(std::int32_t& x, std::int32_t& y, std::int32_t& left, std::int32_t& right);
// 0: dx, 1: dy, 2: wheel (-1/0/1), 3: left, 4: right, 5: middle button; one sample a frame.
double ReadMouseAxis(double selector);
// Moves the program's mouse position; the system pointer stays where it is.
void SetMousePosition(std::int32_t x, std::int32_t y);
// Non-zero shows the system pointer over the window, 0 hides it.
void ShowMousePointer(double flag);
// Always 1: the runtime sees one mouse.
double CountMice() noexcept;
// Does nothing: mouse 0 is the only one.
void SelectMouse(double index) noexcept;

// The joysticks found at start-up.
double CountJoysticks() noexcept;
// The joystick's name, empty for an index out of range.
RtString JoystickName(double index);
// Axes and rotation axes from -1 to 1.
double ReadJoyX(double index);
// The Y axis.
double ReadJoyY(double index);
// The Z axis.
double ReadJoyZ(double index);
// The rotation about X.
double ReadJoyRX(double index);
// The rotation about Y.
double ReadJoyRY(double index);
// The rotation about Z.
double ReadJoyRZ(double index);
// The hat: 1 right / -1 left, and -1 up / 1 down; a diagonal gives 0 on both.
double ReadJoyHatX(double index);
// The hat: -1 up, 1 down, else 0.
double ReadJoyHatY(double index);
// Non-zero while button 0..31 is pressed.
double ReadJoyButton(double index, double button);
// Joystick 0: x and y as -1, 0 or 1, and buttons 0 and 1.
void ReadJoystick(double& x, double& y, double& button1, double& button2);
// A constant force for duration milliseconds, x and y from -1 to 1; only on joysticks
// that can rumble.
void RumbleJoystick(double index, double duration, double x, double y);
