// Windowed and fullscreen display modes, hiding and releasing the display.
#include <SDL2/SDL.h>

#include "display/opengl_lumivane.h"
#include "gfx2d/gfx2d_hooks.h"
#include "zorvane/clock.h"
#include "zorvane/maths.h"

namespace zrv {

namespace {

std::int32_t DisplayIndex(SDL_Window* window) {
    const int index = SDL_GetWindowDisplayIndex(window);
    return index < 0 ? 0 : index;
}

// A display mode of exactly this size (and depth, when bits is non-zero); the platform
// never stretches a fullscreen program to a mode it did not ask for.
bool FindMode(std::int32_t display, std::int32_t w, std::int32_t h, std::int32_t bits,
              SDL_DisplayMode& found) {
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
        if (mode.w != w || mode.h != h) continue;
        if (bits != 0 && static_cast<std::int32_t>(SDL_BITSPERPIXEL(mode.format)) != bits) continue;
        found = mode;
        return true;
    }
    return false;
}

std::int32_t DesktopBits(std::int32_t display) {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(display, &mode) != 0) return 0;
    return static_cast<std::int32_t>(SDL_BITSPERPIXEL(mode.format));
}

void BringToFront(SDL_Window* window) {
    SDL_RaiseWindow(window);
    // Without a window manager raising alone does not move the keyboard focus.
    SDL_SetWindowInputFocus(window);
}

}  // namespace

bool OpenGLLumivane::ApplyScreenMode(std::int32_t w, std::int32_t h, std::int32_t bits,
                                     std::int32_t wantFullscreen) {
    if (w != 0) width = w;
    if (h != 0) height = h;
    if (bits != 0) colourBits = bits;
    return wantFullscreen != 0 ? EnterFullscreen() : EnterWindowed();
}

bool OpenGLLumivane::EnterWindowed() {
    if (window == nullptr) {
        fullscreen = 0;
        return true;
    }
    if (fullscreen != 0) {
        SDL_SetWindowFullscreen(window, 0);
        // The monitor needs a moment to settle in the desktop's mode again.
        SleepMs(500);
    }
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowAlwaysOnTop(window, SDL_FALSE);

    // The window's top-left corner stays where it normally stands; the client area becomes
    // exactly width x height.
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(window, &x, &y);
    if (hasNormalPlacement_) {
        x = normalX_;
        y = normalY_;
        hasNormalPlacement_ = false;
    }
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, x, y);

    SDL_ShowWindow(window);
    BringToFront(window);
    ResetView2D(0, 0, 0, 0);
    fullscreen = 0;
    return true;
}

bool OpenGLLumivane::EnterFullscreen() {
    if (window == nullptr) return false;
    const std::int32_t display = DisplayIndex(window);
    SDL_DisplayMode mode{};
    const std::int32_t bits = colourBits != 0 && colourBits != DesktopBits(display) ? colourBits : 0;
    bool found = FindMode(display, width, height, bits, mode) || FindMode(display, width, height, 0, mode);
    if (found) {
        if (fullscreen == 0 && !hasNormalPlacement_) {
            SDL_GetWindowPosition(window, &normalX_, &normalY_);
            hasNormalPlacement_ = true;
        }
        // The window covers the mode's area before the switch: a display without a window
        // manager never resizes a fullscreen window by itself.
        SDL_Rect bounds{};
        SDL_GetDisplayBounds(display, &bounds);
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, bounds.x, bounds.y);
        SDL_SetWindowSize(window, width, height);
        found = SDL_SetWindowDisplayMode(window, &mode) == 0 &&
                SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
    }
    if (!found) {
        AppendLogLine("No Fullscreen Mode available");
        EnterWindowed();
        return false;
    }

    // The display is set up anew for the mode, with the frame rate read back from the
    // frame period (a limit of 60 continues as 59) and without multisampling.
    const std::int32_t rate = framePeriod > 0 ? TruncateToInt32(1000.0 / framePeriod) : 5;
    framePeriod = rate > 0 ? 1000.0 / rate : 2.0;
    FinishCreation();

    ResetView2D(0, 0, 0, 0);
    SDL_ShowWindow(window);
    BringToFront(window);
    SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
    fullscreen = 1;
    return true;
}

bool OpenGLLumivane::HideDisplay() {
    if (window != nullptr) {
        if (fullscreen != 0) SDL_SetWindowFullscreen(window, 0);
        SDL_HideWindow(window);
    }
    fullscreen = 0;
    return true;
}

void OpenGLLumivane::ReleaseDisplay() { ReleaseWindow(false); }

void OpenGLLumivane::ReleaseWindow(bool withContext) {
    // The textures of the sprite, background and font slots go while the context is current.
    if (window != nullptr && context != nullptr) ReleaseGfx2dResources(*this);
    // Leaving fullscreen gives the desktop its mode back; the window itself is not worth
    // placing and showing again when it is destroyed the next moment.
    if (window != nullptr && fullscreen != 0) SDL_SetWindowFullscreen(window, 0);
    fullscreen = 0;
    DestroyWindowAndDetach(withContext);
}

}  // namespace zrv
