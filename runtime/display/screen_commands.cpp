// The program's commands for the screen: its size and mode.
#include "core/runtime_state.h"
#include "zorvane/display.h"

void OpenScreen(std::int32_t width, std::int32_t height, std::int32_t fullscreen) {
    auto& runtime = zrv::Runtime();
    runtime.settings.width = width;
    runtime.settings.height = height;
    runtime.settings.fullscreen = fullscreen;
    auto* renderer = runtime.renderer.get();
    if (renderer == nullptr || renderer->window == nullptr) return;

    renderer->ApplyScreenMode(width, height, 0, fullscreen);
    runtime.mainWindow = renderer->window;
    if (auto* input = runtime.input.get()) zrv::BindInputToWindow(*input, renderer->window);
    // The sound device is bound to the window here once there is one.
    for (int i = 0; i < 5; ++i) PresentFrame();
}

void QueryScreenSize(double& width, double& height) noexcept {
    std::int32_t w = 0;
    std::int32_t h = 0;
    QueryScreenSizeInt(w, h);
    width = w;
    height = h;
}

void QueryScreenSizeInt(std::int32_t& width, std::int32_t& height) noexcept {
    // Without a display the project's size is what the program asked for.
    const auto& runtime = zrv::Runtime();
    const auto* renderer = runtime.renderer.get();
    const bool open = renderer != nullptr && renderer->window != nullptr;
    width = open ? renderer->width : runtime.settings.width;
    height = open ? renderer->height : runtime.settings.height;
}

double IsFullscreen() noexcept {
    const auto* renderer = zrv::Runtime().renderer.get();
    return renderer != nullptr && renderer->fullscreen != 0 ? 1 : 0;
}
