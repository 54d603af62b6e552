// The renderer object: the one window, its OpenGL context, the display mode and the 2D
// view. Kept free of SDL and GL headers so that the runtime's state can hold it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "zorvane/program.h"
#include "zorvane/rt_string.h"

struct SDL_Window;

namespace zrv {

// The program's "ZRV_WIN32_MSG" routine, offered every window event before it is handled.
using MessageHook = double (*)();

class OpenGLLumivane {
public:
    OpenGLLumivane() noexcept;
    ~OpenGLLumivane();
    OpenGLLumivane(const OpenGLLumivane&) = delete;
    OpenGLLumivane& operator=(const OpenGLLumivane&) = delete;

    // Window and context; false when there is no video or the window cannot be made.
    bool CreateDisplay(void* instance, std::int32_t width, std::int32_t height,
                       std::int32_t colourBits, std::int32_t frameRate, std::int32_t sampleCount);
    bool ApplyScreenMode(std::int32_t width, std::int32_t height, std::int32_t colourBits,
                         std::int32_t fullscreen);
    bool EnterWindowed();
    bool EnterFullscreen();
    bool HideDisplay();
    void ReleaseDisplay();
    void ResetView2D(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

    // The frame loop's share of the renderer.
    bool PumpMessages(MessageHook hook);
    double SwapAndWait(MessageHook hook);
    // The wait half of SwapAndWait: pumps with the hook until the frame's slot comes.
    double WaitForFrameSlot(MessageHook hook);

    // Display fields.
    SDL_Window* window = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t colourBits = 0;
    std::uint8_t fullscreen = 0;
    std::int32_t sampleCount = 0;
    std::int32_t viewX = 0;
    std::int32_t viewY = 0;
    std::int32_t viewWidth = 0;
    std::int32_t viewHeight = 0;
    std::uint8_t smoothing = 1;
    std::uint8_t ready = 0;
    double nextFrameDue = 0;
    double framePeriod = 2.0;
    void* instance = nullptr;
    void* context = nullptr;  // the SDL GL context

    // 2D drawing state the frame call puts back for every frame.
    float currentAlpha = 1.0f;
    std::uint32_t boundTexture = 0;

private:
    bool CreateWindowAndContext(std::int32_t requestedWidth, std::int32_t requestedHeight);
    void NegotiateMultisample(std::int32_t samples);
    // The software check, the extension entry points, showing the window, the 2D view.
    void FinishCreation();
    void ReleaseWindow(bool withContext);
    void DestroyWindowAndDetach(bool withContext);

    std::int32_t createWidth_ = 0;   // the size the window was asked for, for re-creation
    // Where the window stood before it went fullscreen; it returns there.
    bool hasNormalPlacement_ = false;
    std::int32_t normalX_ = 0;
    std::int32_t normalY_ = 0;
    std::int32_t createHeight_ = 0;
    bool videoStarted_ = false;
};

// Process-wide display state that outlives any one renderer.
struct DisplayProcessState {
    bool softwareWarned = false;
    bool rendererNameFetched = false;
    std::string rendererName;
};

// The renderer; null without a window (a run without one, or after shutdown). The 2D
// draws gathered so far are drawn first (gfx2d/quad_batch.h), so that whatever the caller
// does next to GL state or the framebuffer comes after them.
OpenGLLumivane* Renderer() noexcept;
// The renderer as it is, gathered draws left waiting: for the draws that gather.
OpenGLLumivane* RendererAsGathered() noexcept;
// The renderer's owning slot, for the display start-up that fills it.
std::unique_ptr<OpenGLLumivane>& RendererSlot() noexcept;
DisplayProcessState& DisplayProcess() noexcept;
WindowHandle& MainWindow() noexcept;
// The title the window shows (pause marks are added to it, not stored in it).
RtString& WindowTitle() noexcept;

}  // namespace zrv
