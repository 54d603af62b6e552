// The input record of the process: keyboard snapshot, mouse sample and joysticks, read
// through SDL. Kept free of SDL headers so that the runtime's state can hold it.
#pragma once

#include <cstdint>
#include <string>

struct SDL_Window;
struct _SDL_Joystick;
struct _SDL_Haptic;

namespace zrv {

constexpr std::int32_t kMaxJoysticks = 10;
constexpr std::int32_t kJoystickButtons = 32;
constexpr std::int32_t kScancodeCount = 512;  // SDL's scancode space

// One joystick read, laid out as the classic 80-byte joystick state.
struct JoystickSample {
    std::int32_t x, y, z;
    std::int32_t rx, ry, rz;
    std::int32_t slider[2];
    std::uint32_t pov[4];  // hundredths of a degree clockwise from up; 0xFFFFFFFF centred
    std::uint8_t buttons[kJoystickButtons];  // 0x80 while pressed
};
static_assert(sizeof(JoystickSample) == 80);

struct MouseSample {
    std::int16_t left, right, middle;
    std::int16_t dx, dy, wheel;
};

// Who reads a keyboard snapshot. A key that went down and up again between two snapshots
// still counts as down once for each reader, so that no reader misses a short tap.
enum class KeyReader {
    frame,       // the frame call and the commands that wait for input
    characters,  // the typed-character reader
    none,        // the state of the moment only (the key test takes taps key by key)
};

// Presses a reader has seen, by DIK code, against the count of presses so far.
struct SeenPresses {
    std::uint32_t seen[256] = {};
};

struct InputState {
    InputState() noexcept;
    ~InputState();
    InputState(const InputState&) = delete;
    InputState& operator=(const InputState&) = delete;

    std::int32_t mouseX = 0;
    std::int32_t mouseY = 0;
    std::int32_t mouseIndex = 0;
    // SDL's joystick service; without it there are no joysticks, keyboard and mouse stay.
    bool sdlInput = false;
    bool joysticksOpened = false;
    bool hapticService = false;
    bool keyboardDevice = false;
    // The device mouse: relative motion, exclusive (relative mode) while the pointer is
    // hidden. Without it the pointer position is read and warped directly.
    bool mouseDevice = false;
    _SDL_Joystick* joystickDevice[kMaxJoysticks] = {};
    _SDL_Haptic* joystickHaptic[kMaxJoysticks] = {};
    std::int32_t hapticEffect[kMaxJoysticks];
    std::string joystickName[kMaxJoysticks];
    std::uint8_t keyState[256] = {};  // by DIK code, bit 7 set = down
    SDL_Window* window = nullptr;
    bool pointerShown = false;
    std::int32_t mouseCoopLevel = 0;  // 5: exclusive (hidden pointer), 6: shared
    std::int32_t joystickCount = 0;
    bool newFrame = false;
    std::int16_t lastDX = 0;
    std::int16_t lastDY = 0;
    std::int16_t lastWheel = 0;
    std::uint16_t keyMap[256] = {};

    // Collected by the event watch between two reads of the mouse device.
    std::int32_t wheelSum = 0;
    // The character each key produced at its latest press (-1: not seen yet, 0: none),
    // by SDL scancode; the key that went down last and has not produced text yet.
    std::int16_t keyText[kScancodeCount];
    std::int32_t pendingTextKey = -1;
    // Which SDL scancode put each DIK code of the snapshot down.
    std::uint16_t keySource[256] = {};
    std::uint8_t lastTypedChar = 0;
    bool keyResetPending = false;
    // Key presses counted by DIK code as their events arrive, and what each reader has seen.
    std::uint32_t keyPresses[256] = {};
    SeenPresses frameSeen;
    SeenPresses charactersSeen;
    SeenPresses keyTestSeen;
    // Mouse button presses counted as their events arrive, by SDL button number less one
    // (left, middle, right); those the frame's mouse sample has taken; and the buttons that
    // sample reads as down because they were pressed since the frame before.
    std::uint32_t buttonPresses[3] = {};
    std::uint32_t buttonsSeen[3] = {};
    std::uint32_t buttonsTapped = 0;  // SDL button mask
    bool pointerLeftWindow = false;  // the pointer went out of the window and is not back
    bool initialised = false;
};

// Start-up: devices bound to the window; exclusiveMouse is the project's pointerHidden.
void StartInput(InputState& state, SDL_Window* window, bool exclusiveMouse);
void ReleaseInput(InputState& state);

// Takes a keyboard snapshot: the keys down now, and for a reader also the keys pressed
// since its last snapshot.
void RefreshKeyboard(InputState& state, KeyReader reader = KeyReader::frame);
// The snapshot starts from nothing at the next refresh (after the debugger had the keys).
void MarkKeyStateForReset(InputState& state) noexcept;
bool KeyDownInSnapshot(const InputState& state, std::int32_t code) noexcept;
// Escape, or the extended code 129 the key table can also report for it: both end the
// program where Escape does.
bool EscapeDownInSnapshot(const InputState& state) noexcept;
// True once for each press of the key (low eight bits of code) since the last key test.
bool TakeKeyTestPress(InputState& state, std::int32_t code) noexcept;
bool AnyKeyDownInSnapshot(const InputState& state) noexcept;
bool AnyKeyTyped(InputState& state);

MouseSample SampleMouse(InputState& state, bool& ok);
// The stored position clamped to the screen and stored back.
void ClampMousePosition(InputState& state);
bool AnyMouseButtonDown(InputState& state);
// The steps of ShowMousePointer: device level, cursor, warp.
void ApplyPointerVisibility(InputState& state, bool shown);
// After a display-mode change: the pointer setting and the mouse level applied again.
void BindInputToWindow(InputState& state, SDL_Window* window);

// The number of joysticks, found when this or another joystick command first asks.
std::int32_t Joysticks(InputState& state);
JoystickSample ReadJoystickState(InputState& state, std::int32_t index);

// The input record; null without a window, so every caller checks it.
InputState* Input() noexcept;

}  // namespace zrv
