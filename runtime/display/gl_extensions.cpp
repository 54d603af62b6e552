#include "display/gl_extensions.h"

#include <SDL2/SDL.h>

#include <cstring>

#include "display/trace.h"

namespace zrv {

GlExtensionTable& GlExtensions() noexcept {
    static GlExtensionTable table;
    return table;
}

namespace {

template <class Pointer>
void Fetch(Pointer& pointer, const char* name) {
    pointer = reinterpret_cast<Pointer>(SDL_GL_GetProcAddress(name));
}

#define ZRV_FETCH(table, name) Fetch(table.name, #name)

}  // namespace

bool HasExtensionWord(const char* list, const char* name) noexcept {
    if (list == nullptr || name == nullptr || *name == '\0') return false;
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool starts = at == list || at[-1] == ' ';
        const bool ends = at[length] == '\0' || at[length] == ' ';
        if (starts && ends) return true;
    }
    return false;
}

void LoadExtensionEntryPoints() {
    auto& t = GlExtensions();
    t = GlExtensionTable{};
    const auto* raw = glGetString(GL_EXTENSIONS);
    const char* extensions = raw != nullptr ? reinterpret_cast<const char*>(raw) : "";

    if (std::strstr(extensions, "GL_ARB_multitexture") != nullptr) {
        ZRV_FETCH(t, glActiveTextureARB);
        ZRV_FETCH(t, glMultiTexCoord2fARB);
        ZRV_FETCH(t, glClientActiveTextureARB);
        ZRV_FETCH(t, glGenBuffersARB);
        ZRV_FETCH(t, glBindBufferARB);
        ZRV_FETCH(t, glBufferDataARB);
        ZRV_FETCH(t, glDeleteBuffersARB);
        ZRV_FETCH(t, glMapBufferARB);
        ZRV_FETCH(t, glUnmapBufferARB);
        ZRV_FETCH(t, glGetBufferParameterivARB);
    }
    // The names belong to the shader-object extension: a driver that does not offer it may
    // still export them, and they must then stay null.
    if (std::strstr(extensions, "GL_ARB_fragment_program") != nullptr &&
        HasExtensionWord(extensions, "GL_ARB_shader_objects")) {
        ZRV_FETCH(t, glCreateProgramObjectARB);
        ZRV_FETCH(t, glDeleteObjectARB);
        ZRV_FETCH(t, glCreateShaderObjectARB);
        ZRV_FETCH(t, glShaderSourceARB);
        ZRV_FETCH(t, glCompileShaderARB);
        ZRV_FETCH(t, glGetObjectParameterivARB);
        ZRV_FETCH(t, glAttachObjectARB);
        ZRV_FETCH(t, glGetInfoLogARB);
        ZRV_FETCH(t, glLinkProgramARB);
        ZRV_FETCH(t, glUseProgramObjectARB);
        ZRV_FETCH(t, glGetUniformLocationARB);
        ZRV_FETCH(t, glUniform1fARB);
        ZRV_FETCH(t, glUniform1iARB);
        ZRV_FETCH(t, glGetAttribLocationARB);
        ZRV_FETCH(t, glVertexAttrib1fARB);
    }
    Trace("FBO");
    ZRV_FETCH(t, glBindRenderbufferEXT);
    ZRV_FETCH(t, glDeleteRenderbuffersEXT);
    ZRV_FETCH(t, glGenRenderbuffersEXT);
    ZRV_FETCH(t, glRenderbufferStorageEXT);
    ZRV_FETCH(t, glBindFramebufferEXT);
    ZRV_FETCH(t, glDeleteFramebuffersEXT);
    ZRV_FETCH(t, glGenFramebuffersEXT);
    ZRV_FETCH(t, glCheckFramebufferStatusEXT);
    ZRV_FETCH(t, glFramebufferTexture2DEXT);
    ZRV_FETCH(t, glFramebufferRenderbufferEXT);
    ZRV_FETCH(t, glGetFramebufferAttachmentParameterivEXT);
}

}  // namespace zrv
