// The mouse sample: motion, wheel and buttons once per frame, and the program's position.
#include <SDL2/SDL.h>

#include <algorithm>
#include <utility>

#include "input/input_state.h"
#include "input/pointer_position.h"
#include "zorvane/display.h"
#include "zorvane/input.h"
#include "zorvane/maths.h"

namespace zrv {

namespace {

// Where the pointer is put back to measure motion when there is no device mouse.
constexpr std::int32_t kWarpX = 200;
constexpr std::int32_t kWarpY = 200;

std::int16_t Sign(std::int32_t value) { return static_cast<std::int16_t>((value > 0) - (value < 0)); }

// The buttons pressed since the previous frame's sample read as down for this frame, even
// when they were let go again before it looked.
void TakeButtonPresses(InputState& state) {
    state.buttonsTapped = 0;
    for (std::uint32_t slot = 0; slot < 3; ++slot) {
        if (state.buttonsSeen[slot] == state.buttonPresses[slot]) continue;
        state.buttonsSeen[slot] = state.buttonPresses[slot];
        state.buttonsTapped |= SDL_BUTTON(slot + 1);
    }
}

void FollowPointer(InputState& state, const PointerPosition& pointer) {
    state.lastDX = static_cast<std::int16_t>(pointer.x - state.mouseX);
    state.lastDY = static_cast<std::int16_t>(pointer.y - state.mouseY);
    state.mouseX = pointer.x;
    state.mouseY = pointer.y;
}

}  // namespace

MouseSample SampleMouse(InputState& state, bool& ok) {
    ok = true;
    MouseSample sample{};
    if (state.window == nullptr) {
        ok = false;
        return sample;
    }
    SDL_PumpEvents();
    const PointerPosition pointer = ReadPointer(state.window, state.pointerLeftWindow);

    if (state.mouseDevice) {
        // The device's motion and wheel since its last read; only the first read of a
        // frame keeps them, as every read of the device consumes them.
        int dx = 0;
        int dy = 0;
        SDL_GetRelativeMouseState(&dx, &dy);
        const std::int32_t dz = std::exchange(state.wheelSum, 0);
        if (state.newFrame) {
            state.newFrame = false;
            TakeButtonPresses(state);
            state.lastWheel = Sign(dz);
            if (state.pointerShown) {
                FollowPointer(state, pointer);
            } else {
                state.lastDX = static_cast<std::int16_t>(dx);
                state.lastDY = static_cast<std::int16_t>(dy);
                state.mouseX += dx;
                state.mouseY += dy;
            }
        }
    } else if (state.newFrame) {
        state.newFrame = false;
        TakeButtonPresses(state);
        state.wheelSum = 0;
        if (state.pointerShown) {
            FollowPointer(state, pointer);
        } else {
            int globalX = 0;
            int globalY = 0;
            SDL_GetGlobalMouseState(&globalX, &globalY);
            SDL_WarpMouseGlobal(kWarpX, kWarpY);
            state.lastDX = static_cast<std::int16_t>(globalX - kWarpX);
            state.lastDY = static_cast<std::int16_t>(globalY - kWarpY);
            state.mouseX += state.lastDX;
            state.mouseY += state.lastDY;
        }
        state.lastWheel = 0;
    }
    sample.dx = state.lastDX;
    sample.dy = state.lastDY;
    sample.wheel = state.lastWheel;
    const std::uint32_t buttons = pointer.buttons | state.buttonsTapped;
    sample.left = (buttons & SDL_BUTTON_LMASK) != 0 ? 1 : 0;
    sample.right = (buttons & SDL_BUTTON_RMASK) != 0 ? 1 : 0;
    sample.middle = (buttons & SDL_BUTTON_MMASK) != 0 ? 1 : 0;
    return sample;
}

void ClampMousePosition(InputState& state) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    QueryScreenSizeInt(width, height);
    state.mouseX = std::clamp(state.mouseX, 0, std::max(width - 1, 0));
    state.mouseY = std::clamp(state.mouseY, 0, std::max(height - 1, 0));
}

bool AnyMouseButtonDown(InputState& state) {
    state.newFrame = true;
    bool ok = false;
    const MouseSample sample = SampleMouse(state, ok);
    return sample.left != 0 || sample.right != 0 || sample.middle != 0;
}

}  // namespace zrv

namespace {

struct MouseReading {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
};

MouseReading ReadClampedMouse() {
    auto* input = zrv::Input();
    if (input == nullptr) return {};
    bool ok = false;
    const zrv::MouseSample sample = zrv::SampleMouse(*input, ok);
    zrv::ClampMousePosition(*input);
    return {input->mouseX, input->mouseY, sample.left != 0 ? 1 : 0, sample.right != 0 ? 1 : 0};
}

}  // namespace

void ReadMouse(double& x, double& y, double& left, double& right) {
    const MouseReading reading = ReadClampedMouse();
    x = reading.x;
    y = reading.y;
    left = reading.left;
    right = reading.right;
}

void ReadMouseInt(std::int32_t& x, std::int32_t& y, std::int32_t& left, std::int32_t& right) {
    const MouseReading reading = ReadClampedMouse();
    x = reading.x;
    y = reading.y;
    left = reading.left;
    right = reading.right;
}

double ReadMouseAxis(double selector) {
    auto* input = zrv::Input();
    if (input == nullptr) return 0;
    bool ok = false;
    const zrv::MouseSample sample = zrv::SampleMouse(*input, ok);
    if (!ok) return 0;
    switch (TruncateToInt32(selector)) {
    case 0: return sample.dx;
    case 1: return sample.dy;
    case 2: return sample.wheel;
    case 3: return sample.left != 0 ? 1 : 0;
    case 4: return sample.right != 0 ? 1 : 0;
    case 5: return sample.middle != 0 ? 1 : 0;
    default: return 0;
    }
}

void SetMousePosition(std::int32_t x, std::int32_t y) {
    auto* input = zrv::Input();
    if (input == nullptr) return;
    input->mouseX = x;
    input->mouseY = y;
}

double CountMice() noexcept { return 1; }

void SelectMouse(double) noexcept {
    // Only mouse 0 exists: every pointing device moves the one system pointer.
    if (auto* input = zrv::Input()) input->mouseIndex = 0;
}
