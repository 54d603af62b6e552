// Compiling shader objects and linking programs on the shader-object entry points, with
// the texts of what failed handed to the shader reporter.
#pragma once

#include <cstdint>
#include <string>

#include "display/gl_extensions.h"

namespace zrv {

// The entry points while a context can draw and the driver offers all that building a
// program takes; null otherwise.
const GlExtensionTable* ShaderBuildEntryPoints() noexcept;
// The entry points while a context can draw (each may still be null); null without one.
const GlExtensionTable* ShaderEntryPoints() noexcept;

// In debug mode, the text and a line feed go to the debugger output; otherwise nothing.
void ReportShaderProblem(const char* text);

// A new shader object of the type compiled from source. On failure the compiler's log and
// then failureText are reported and 0 comes back; the object is deleted when it can be.
std::uint32_t CompileShaderObject(const GlExtensionTable& gl, GLenum type, const std::string& source,
                                  const char* failureText);
// A new program of the shaders that are not 0, linked; 0 after the linker's log and
// "link shader failed" were reported.
std::uint32_t LinkShaderProgram(const GlExtensionTable& gl, std::uint32_t vertexShader,
                                std::uint32_t fragmentShader);
// Deletes the object when it is not 0 and the driver can; the handle becomes 0 either way.
void DeleteShaderObject(const GlExtensionTable& gl, std::uint32_t& handle);

}  // namespace zrv
