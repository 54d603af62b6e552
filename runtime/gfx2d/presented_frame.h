// The last presented frame, for saving the screen.
#pragma once

#include <cstdint>
#include <vector>

namespace zrv {

class OpenGLLumivane;

// Copies the finished back buffer into the kept frame's texture (made or resized as the
// window's size asks).
void KeepPresentedFrame(OpenGLLumivane& renderer);
// Called by the screen-save command's own file when it is linked into the program: only a
// program that can save the screen pays for keeping every presented frame.
bool EnableKeepingPresentedFrames() noexcept;
bool KeepingPresentedFrames() noexcept;
// The kept frame as blue, green, red rows from the bottom up, stride = the texture's
// width; false when no frame has been presented yet.
bool ReadPresentedFrame(OpenGLLumivane& renderer, std::vector<std::uint8_t>& pixels, std::int32_t& width,
                        std::int32_t& height, std::int32_t& stride);

}  // namespace zrv
