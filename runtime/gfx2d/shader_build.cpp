#include "gfx2d/shader_build.h"

#include <new>
#include <vector>

#include "core/core_state.h"
#include "gfx2d/gl_draw.h"

namespace zrv {

namespace {

// The object's info log; empty when the driver keeps none.
std::string InfoLog(const GlExtensionTable& gl, GLhandleARB object) {
    GLint length = 0;
    gl.glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    if (length <= 0 || gl.glGetInfoLogARB == nullptr) return std::string();
    try {
        std::vector<GLcharARB> text(static_cast<std::size_t>(length) + 1, 0);
        GLsizei written = 0;
        gl.glGetInfoLogARB(object, length, &written, text.data());
        return std::string(text.data());
    } catch (const std::bad_alloc&) {
        return std::string();
    }
}

// The object when its compile or link status is set; otherwise its log and failureText
// are reported, the object is deleted and 0 comes back.
std::uint32_t KeptWhenStatusSet(const GlExtensionTable& gl, std::uint32_t object, GLenum status,
                                const char* failureText) {
    GLint value = 0;
    gl.glGetObjectParameterivARB(object, status, &value);
    if (value != 0) return object;
    ReportShaderProblem(InfoLog(gl, object).c_str());
    ReportShaderProblem(failureText);
    DeleteShaderObject(gl, object);
    return 0;
}

}  // namespace

const GlExtensionTable* ShaderEntryPoints() noexcept {
    return DrawingRenderer() != nullptr ? &GlExtensions() : nullptr;
}

const GlExtensionTable* ShaderBuildEntryPoints() noexcept {
    const GlExtensionTable* gl = ShaderEntryPoints();
    if (gl == nullptr) return nullptr;
    const bool complete = gl->glCreateShaderObjectARB != nullptr && gl->glShaderSourceARB != nullptr &&
                          gl->glCompileShaderARB != nullptr && gl->glGetObjectParameterivARB != nullptr &&
                          gl->glCreateProgramObjectARB != nullptr && gl->glAttachObjectARB != nullptr &&
                          gl->glLinkProgramARB != nullptr;
    return complete ? gl : nullptr;
}

void ReportShaderProblem(const char* text) {
    if (Settings().debugMode == 0) return;
    try {
        DebugPrint(RtString(text) + "\n");
    } catch (const std::bad_alloc&) {
        // The report is lost; the shader command goes on.
    }
}

std::uint32_t CompileShaderObject(const GlExtensionTable& gl, GLenum type, const std::string& source,
                                  const char* failureText) {
    const std::uint32_t shader = gl.glCreateShaderObjectARB(type);
    if (shader == 0) {
        ReportShaderProblem(failureText);
        return 0;
    }
    const GLcharARB* text = source.c_str();
    gl.glShaderSourceARB(shader, 1, &text, nullptr);
    gl.glCompileShaderARB(shader);
    return KeptWhenStatusSet(gl, shader, GL_OBJECT_COMPILE_STATUS_ARB, failureText);
}

std::uint32_t LinkShaderProgram(const GlExtensionTable& gl, std::uint32_t vertexShader,
                                std::uint32_t fragmentShader) {
    constexpr const char* kFailure = "link shader failed";
    const std::uint32_t program = gl.glCreateProgramObjectARB();
    if (program == 0) {
        ReportShaderProblem(kFailure);
        return 0;
    }
    if (vertexShader != 0) gl.glAttachObjectARB(program, vertexShader);
    if (fragmentShader != 0) gl.glAttachObjectARB(program, fragmentShader);
    gl.glLinkProgramARB(program);
    return KeptWhenStatusSet(gl, program, GL_OBJECT_LINK_STATUS_ARB, kFailure);
}

void DeleteShaderObject(const GlExtensionTable& gl, std::uint32_t& handle) {
    if (handle != 0 && gl.glDeleteObjectARB != nullptr) gl.glDeleteObjectARB(handle);
    handle = 0;
}

}  // namespace zrv
