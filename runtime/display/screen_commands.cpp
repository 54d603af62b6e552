// The program's commands for the screen: its size and mode.
#include "core/core_state.h"
#include "display/opengl_lumivane.h"
#include "input/input_state.h"
#include "zorvane/display.h"

void OpenScreen(std::int32_t width, std::int32_t height, std::int32_t fullscreen) {
    zrv::Settings().width = width;
    zrv::Settings().height = height;
    zrv::Settings().fullscreen = fullscreen;
    auto* renderer = zrv::Renderer();
    if (renderer == nullptr || renderer->window == nullptr) return;

    renderer->ApplyScreenMode(width, height, 0, fullscreen);
    zrv::MainWindow() = renderer->window;
    if (auto* input = zrv::Input()) zrv::BindInputToWindow(*input, renderer->window);
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
    const auto* renderer = zrv::Renderer();
    const bool open = renderer != nullptr && renderer->window != nullptr;
    width = open ? renderer->width : zrv::Settings().width;
    height = open ? renderer->height : zrv::Settings().height;
}

double IsFullscreen() noexcept {
    const auto* renderer = zrv::Renderer();
    return renderer != nullptr && renderer->fullscreen != 0 ? 1 : 0;
}
