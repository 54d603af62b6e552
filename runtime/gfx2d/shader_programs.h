// What the shader commands keep for the process, and the operations the frame call and the
// 3D engine use beside the program's own commands. Handles are the GL object names of the
// shader-object extension, 0 for none.
#pragma once

#include <array>
#include <cstdint>

#include "zorvane/rt_string.h"

namespace zrv {

constexpr std::int32_t kShaderSlots = 255;

struct ShaderSlot {
    std::uint32_t program = 0;
    std::uint32_t vertexShader = 0;
    std::uint32_t fragmentShader = 0;
};

struct ShaderState {
    std::array<ShaderSlot, kShaderSlots> slots{};
    std::int32_t current = -1;  // the slot in use, -1 for none
    // The missing support is reported by the first LoadShader of the process only.
    bool missingSupportUnreported = true;
};

ShaderState& Shaders() noexcept;

// An integer uniform of the program in use (the 3D engine's sampler units).
void SetShaderInt(const RtString& name, std::int32_t value);
// The current value of a one-component vertex attribute of the program in use.
void SetShaderAttribute(const RtString& name, double value);
// The frame call: no program after a frame.
void SwitchShadersOff();

}  // namespace zrv
