// Shader programs in slots: building, switching and setting values by name.
#include <new>
#include <string>

#include "files/files_state.h"
#include "files/media_resolver.h"
#include "files/rt_file.h"
#include "gfx2d/shader_build.h"
#include "gfx2d/shader_programs.h"
#include "zorvane/maths.h"
#include "zorvane/shaders.h"

namespace zrv {

ShaderState& Shaders() noexcept {
    static ShaderState state;
    return state;
}

namespace {

// The whole text of a shader file (a disk file, a "mem://" block or a pack entry); false
// when there is no name or the file cannot be opened or read.
bool ReadShaderSource(const RtString& name, std::string& source) {
    source.clear();
    if (name.IsEmpty()) return false;
    try {
        std::string usable;
        if (ResolveName(Files().memoryResolver, name.c_str(), usable, true) == 0) return false;
        RtFile file;
        if (!file.OpenRead(usable.c_str())) return false;
        char buffer[4096];
        std::int32_t n = 0;
        while ((n = file.ReadSome(buffer, sizeof buffer)) > 0) source.append(buffer, static_cast<std::size_t>(n));
        return n == 0;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void ReleaseSlot(const GlExtensionTable& gl, ShaderSlot& slot) {
    DeleteShaderObject(gl, slot.program);
    DeleteShaderObject(gl, slot.vertexShader);
    DeleteShaderObject(gl, slot.fragmentShader);
}

// The location of name in the program in use, or -1 after the reports "undefined " + kind
// and the name. No program in the slot has no names either.
GLint LocationInCurrentProgram(const RtString& name, bool attribute, const GlExtensionTable& gl) {
    const std::uint32_t program = Shaders().slots[static_cast<std::size_t>(Shaders().current)].program;
    GLint location = -1;
    if (program != 0) {
        location = attribute ? gl.glGetAttribLocationARB(program, name.c_str())
                             : gl.glGetUniformLocationARB(program, name.c_str());
    }
    if (location == -1) {
        ReportShaderProblem(attribute ? "undefined attrib:" : "undefined uniform:");
        ReportShaderProblem(name.c_str());
    }
    return location;
}

// The entry points a setter needs, while a slot is in use; null otherwise.
const GlExtensionTable* SetterEntryPoints(bool attribute) {
    const GlExtensionTable* gl = ShaderEntryPoints();
    if (gl == nullptr || Shaders().current < 0 || Shaders().current >= kShaderSlots) return nullptr;
    const bool lookUp = attribute ? gl->glGetAttribLocationARB != nullptr : gl->glGetUniformLocationARB != nullptr;
    return lookUp ? gl : nullptr;
}

}  // namespace

void SetShaderInt(const RtString& name, std::int32_t value) {
    const GlExtensionTable* gl = SetterEntryPoints(false);
    if (gl == nullptr || gl->glUniform1iARB == nullptr) return;
    const GLint location = LocationInCurrentProgram(name, false, *gl);
    if (location != -1) gl->glUniform1iARB(location, value);
}

void SetShaderAttribute(const RtString& name, double value) {
    const GlExtensionTable* gl = SetterEntryPoints(true);
    if (gl == nullptr || gl->glVertexAttrib1fARB == nullptr) return;
    const GLint location = LocationInCurrentProgram(name, true, *gl);
    if (location != -1) gl->glVertexAttrib1fARB(static_cast<GLuint>(location), static_cast<float>(value));
}

void SwitchShadersOff() { UseShader(-1); }

}  // namespace zrv

std::int32_t LoadShader(double slotNumber, const RtString& vertexFile, const RtString& fragmentFile) {
    const std::int32_t n = TruncateToInt32(slotNumber);
    if (n < 0 || n >= zrv::kShaderSlots) return 0;
    auto& shaders = zrv::Shaders();
    const zrv::GlExtensionTable* gl = zrv::ShaderBuildEntryPoints();
    if (gl == nullptr) {
        if (shaders.missingSupportUnreported) {
            shaders.missingSupportUnreported = false;
            zrv::ReportShaderProblem("No OpenGL 2.0 Shader Support");
        }
        return 0;
    }
    zrv::ShaderSlot& slot = shaders.slots[static_cast<std::size_t>(n)];
    zrv::ReleaseSlot(*gl, slot);

    // Each file is read whole before the next name is resolved: the resolver releases the
    // block of its previous answer.
    bool failed = false;
    std::string source;
    if (zrv::ReadShaderSource(vertexFile, source)) {
        slot.vertexShader = zrv::CompileShaderObject(*gl, GL_VERTEX_SHADER_ARB, source, "vertex shader failed");
        failed = slot.vertexShader == 0;
    }
    if (zrv::ReadShaderSource(fragmentFile, source)) {
        slot.fragmentShader = zrv::CompileShaderObject(*gl, GL_FRAGMENT_SHADER_ARB, source, "fragment shader failed");
        failed = failed || slot.fragmentShader == 0;
    }
    if (!failed && (slot.vertexShader != 0 || slot.fragmentShader != 0)) {
        slot.program = zrv::LinkShaderProgram(*gl, slot.vertexShader, slot.fragmentShader);
    }
    // A slot whose build failed keeps nothing, so that using it draws without a program
    // rather than leaving a GL error behind.
    if (slot.program == 0) zrv::ReleaseSlot(*gl, slot);
    return slot.program != 0 ? 1 : 0;
}

void UseShader(double slotNumber) {
    const zrv::GlExtensionTable* gl = zrv::ShaderEntryPoints();
    if (gl == nullptr || gl->glUseProgramObjectARB == nullptr) return;
    auto& shaders = zrv::Shaders();
    const std::int32_t n = TruncateToInt32(slotNumber);
    if (n >= 0 && n < zrv::kShaderSlots) {
        shaders.current = n;
        gl->glUseProgramObjectARB(shaders.slots[static_cast<std::size_t>(n)].program);
    } else {
        gl->glUseProgramObjectARB(0);
        shaders.current = -1;
    }
}

void SetShaderFloat(const RtString& name, double value) {
    const zrv::GlExtensionTable* gl = zrv::SetterEntryPoints(false);
    if (gl == nullptr || gl->glUniform1fARB == nullptr) return;
    const GLint location = zrv::LocationInCurrentProgram(name, false, *gl);
    if (location != -1) gl->glUniform1fARB(location, static_cast<float>(value));
}
