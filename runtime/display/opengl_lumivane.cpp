// Lifetime of the renderer: what it owns is released with it.
#include "display/opengl_lumivane.h"

#include <SDL2/SDL.h>

namespace zrv {

OpenGLLumivane::OpenGLLumivane() noexcept = default;

OpenGLLumivane::~OpenGLLumivane() {
    // The context is the renderer's, not the window's: it goes only with the renderer.
    ReleaseWindow(true);
    if (context != nullptr) SDL_GL_DeleteContext(context);
    context = nullptr;
    // SDL's video service stays up until the process ends: quitting it closes the display
    // connection and unloads the GL driver, which gains nothing this late and hides the
    // driver's own allocations from the leak checker of a sanitizer build.
}

void OpenGLLumivane::DestroyWindowAndDetach(bool withContext) {
    if (window == nullptr) return;
    SDL_GL_MakeCurrent(window, nullptr);
    // A context deleted before its window lets the driver free the window's buffers with
    // it; the other way round Mesa keeps a multisampled window's buffers for good.
    if (withContext && context != nullptr) {
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    SDL_DestroyWindow(window);
    window = nullptr;
    ready = 0;
}

}  // namespace zrv
