#include "gfx2d/shader_build.h"

#include <vector>

#include "core/runtime_state.h"
#include "gfx2d/gl_draw.h"

namespace zrv {

namespace {

// The object's info log; empty when the driver keeps none.
std::string InfoLog(const GlExtensionTable& gl, GLhandleARB object) {
    GLint length = 0;
    gl.glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    if (length <= 0 || gl.glGetInfoLogARB == nullptr) return std::string();
    std::vector<GLcharARB> text(static_cast<std::size_t>(length) + 1, 0);
    GLsizei written = 0;
    gl.glGetInfoLogARB(object, length, &written, text.data());
    return std::string(text.data());
}

bool StatusIsSet(const GlExtensionTable& gl, GLhandleARB object, GLenum status) {
    GLint value = 0;
    gl.glGetObjectParameterivARB(object, status, &value);
    return value != 0;
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
    if (Runtime().settings.debugMode == 0) return;
    DebugPrint(RtString(text) + "\n");
}

std::uint32_t CompileShaderObject(const GlExtensionTable& gl, GLenum type, const std::string& source,
                                  const char* failureText) {
    std::uint32_t shader = gl.glCreateShaderObjectARB(type);
    if (shader == 0) {
        ReportShaderProblem(failureText);
        return 0;
    }
    const GLcharARB* text = source.c_str();
    gl.glShaderSourceARB(shader, 1, &text, nullptr);
    gl.glCompileShaderARB(shader);
    if (StatusIsSet(gl, shader, GL_OBJECT_COMPILE_STATUS_ARB)) return shader;
    ReportShaderProblem(InfoLog(gl, shader).c_str());
    ReportShaderProblem(failureText);
    DeleteShaderObject(gl, shader);
    return 0;
}

std::uint32_t LinkShaderProgram(const GlExtensionTable& gl, std::uint32_t vertexShader,
                                std::uint32_t fragmentShader) {
    constexpr const char* kFailure = "link shader failed";
    std::uint32_t program = gl.glCreateProgramObjectARB();
    if (program == 0) {
        ReportShaderProblem(kFailure);
        return 0;
    }
    if (vertexShader != 0) gl.glAttachObjectARB(program, vertexShader);
    if (fragmentShader != 0) gl.glAttachObjectARB(program, fragmentShader);
    gl.glLinkProgramARB(program);
    if (StatusIsSet(gl, program, GL_OBJECT_LINK_STATUS_ARB)) return program;
    ReportShaderProblem(InfoLog(gl, program).c_str());
    ReportShaderProblem(kFailure);
    DeleteShaderObject(gl, program);
    return 0;
}

void DeleteShaderObject(const GlExtensionTable& gl, std::uint32_t& handle) {
    if (handle != 0 && gl.glDeleteObjectARB != nullptr) gl.glDeleteObjectARB(handle);
    handle = 0;
}

}  // namespace zrv
