// Creating the window and its OpenGL context.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include "core/core_state.h"
#include "display/gl_extensions.h"
#include "display/opengl_lumivane.h"
#include "display/sdl_video.h"
#include "display/software_check.h"
#include "display/trace.h"
#include "display/window_icon.h"
#include "zorvane/clock.h"

namespace zrv {

namespace {

// Double buffer, 8 bits per colour; depth 24 and stencil 8 only when the program's settings
// ask for them, since nothing the runtime draws reads them and every fragment of a software
// renderer pays for them. The first window asks for no alpha bits, a multisampled one for 8,
// as the format negotiation always did.
void SetPixelFormatAttributes(std::int32_t samples) {
    const bool depth = Settings().depthBuffer != 0;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, samples > 0 ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth ? 24 : 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, depth ? 8 : 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
}

// Created hidden and shown once creation has completed; the title is the class name
// until start-up gives it the project's, the icon the class icon.
SDL_Window* NewWindow(std::int32_t width, std::int32_t height) {
    SDL_Window* window = SDL_CreateWindow("Zorvane", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                          height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SetClassIcon(window);
    return window;
}

std::int32_t DesktopBitsPerPixel(SDL_Window* window) {
    SDL_DisplayMode mode{};
    const int index = SDL_GetWindowDisplayIndex(window);
    if (SDL_GetDesktopDisplayMode(index < 0 ? 0 : index, &mode) != 0) return 32;
    return static_cast<std::int32_t>(SDL_BITSPERPIXEL(mode.format));
}

}  // namespace

bool OpenGLLumivane::CreateDisplay(void* instanceHandle, std::int32_t requestedWidth,
                                   std::int32_t requestedHeight, std::int32_t requestedBits,
                                   std::int32_t frameRate, std::int32_t requestedSamples) {
    framePeriod = frameRate > 0 ? 1000.0 / frameRate : 2.0;
    // A display that never opens still paces the frame loop from now on.
    if (window == nullptr) nextFrameDue = ReadClockMs();

    if (!videoStarted_) {
        if (!StartVideo()) return false;
        videoStarted_ = true;
    }
    instance = instanceHandle;
    sampleCount = requestedSamples;

    if (!CreateWindowAndContext(requestedWidth, requestedHeight)) return false;
    int actualWidth = 0;
    int actualHeight = 0;
    SDL_GetWindowSize(window, &actualWidth, &actualHeight);
    width = requestedWidth != 0 ? requestedWidth : actualWidth;
    height = requestedHeight != 0 ? requestedHeight : actualHeight;
    colourBits = requestedBits != 0 ? requestedBits : DesktopBitsPerPixel(window);
    fullscreen = 0;

    sampleCount = 0;
    if (requestedSamples > 0) NegotiateMultisample(requestedSamples);

    FinishCreation();
    return true;
}

void OpenGLLumivane::FinishCreation() {
    WarnAboutSoftwareRenderer();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    fullscreen = 0;
    nextFrameDue = ReadClockMs();

    LoadExtensionEntryPoints();

    SDL_ShowWindow(window);
    Trace("Viewport");
    ResetView2D(0, 0, 0, 0);
    Trace("GFX seem OK");
    ready = 1;
}

bool OpenGLLumivane::CreateWindowAndContext(std::int32_t requestedWidth,
                                            std::int32_t requestedHeight) {
    createWidth_ = requestedWidth;
    createHeight_ = requestedHeight;
    SetPixelFormatAttributes(0);
    window = NewWindow(requestedWidth, requestedHeight);
    if (window == nullptr) return false;

    // A context that already exists moves to the new window, so that everything made
    // with it survives.
    if (context == nullptr) context = SDL_GL_CreateContext(window);
    if (SDL_GL_MakeCurrent(window, context) != 0) {
        if (context != nullptr) SDL_GL_DeleteContext(context);
        context = SDL_GL_CreateContext(window);
        SDL_GL_MakeCurrent(window, context);
    }
    // The runtime's own limiter paces frames; a vertical sync would double the wait.
    SDL_GL_SetSwapInterval(0);
    SDL_DisableScreenSaver();
    return true;
}

void OpenGLLumivane::NegotiateMultisample(std::int32_t samples) {
    const auto* raw = glGetString(GL_EXTENSIONS);
    if (!HasExtensionWord(reinterpret_cast<const char*>(raw), "GL_ARB_multisample")) return;

    // A format exists when a window can be made with it: 4 tries 4, 2 and 1.
    SDL_Window* found = nullptr;
    for (std::int32_t n = samples; n > 0 && found == nullptr; n /= 2) {
        SetPixelFormatAttributes(n);
        found = NewWindow(createWidth_, createHeight_);
    }
    if (found == nullptr) {
        SetPixelFormatAttributes(0);
        return;
    }
    // The old context belongs to the old pixel format; the new window gets its own.
    DestroyWindowAndDetach(true);
    window = found;
    context = SDL_GL_CreateContext(window);
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(0);
}

}  // namespace zrv
