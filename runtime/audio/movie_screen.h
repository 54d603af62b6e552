// Where and how a movie's pictures appear in the main window.
#pragma once

#include <cstdint>

#include "audio/media_decoder.h"

struct SDL_Window;

namespace zrv {

struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// The picture scaled by the smaller of the two ratios, so that it fits whole, and centred
// in the client area. Empty for a picture without a size.
PixelRect MovieDestination(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t clientWidth,
                           std::int32_t clientHeight);

// Draws pictures into the window through its OpenGL context, leaving the program's GL
// state as it was.
class MovieScreen {
public:
    explicit MovieScreen(SDL_Window* window) : window_(window) {}
    ~MovieScreen();
    MovieScreen(const MovieScreen&) = delete;
    MovieScreen& operator=(const MovieScreen&) = delete;

    // Black around the picture, the picture in the destination, then the buffers swapped.
    void Show(const VideoFrame& picture, const PixelRect& destination);

private:
    void Upload(const VideoFrame& picture);

    SDL_Window* window_;
    std::uint32_t texture_ = 0;
    std::int32_t textureWidth_ = 0;
    std::int32_t textureHeight_ = 0;
};

}  // namespace zrv
