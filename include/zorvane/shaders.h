// Shader programs: GLSL programs built from a vertex and a fragment shader file into slots
// 0..254. Drawing runs through the program in use until it is switched off, which the
// frame call does after every frame. Failures are quiet for the program (a 0 result or no
// effect); in debug mode their texts (the compiler's and linker's logs and a line naming
// what failed) go to an attached debugger. Without shader support in the driver every
// command does nothing, and the first LoadShader says so once.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// 1 when the program was built, else 0. An empty or unreadable file name leaves that
// shader out; the program is then built from the other one alone.
std::int32_t LoadShader(double slot, const RtString& vertexFile, const RtString& fragmentFile);
// A slot outside 0..254 switches shaders off.
void UseShader(double slot);
// A float uniform of the program in use.
void SetShaderFloat(const RtString& name, double value);
