#include "gfx2d/presented_frame.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <new>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/screen_grab.h"
#include "gfx2d/texture_prep.h"

namespace zrv {

namespace {

// Constant-initialised, so it is set before any static initialiser can enable it.
constinit bool keepingFrames = false;

}  // namespace

bool EnableKeepingPresentedFrames() noexcept {
    keepingFrames = true;
    return true;
}

bool KeepingPresentedFrames() noexcept { return keepingFrames; }

void KeepPresentedFrame(OpenGLLumivane& renderer) {
    PresentedFrame& frame = Gfx().presented;
    if (renderer.width <= 0 || renderer.height <= 0) return;
    const std::int32_t maxSize = MaxTextureSize();
    const std::int32_t width = renderer.width < maxSize ? renderer.width : maxSize;
    const std::int32_t height = renderer.height < maxSize ? renderer.height : maxSize;
    const std::int32_t texWidth = PowerOfTwoAtLeast(width);
    const std::int32_t texHeight = PowerOfTwoAtLeast(height);
    if (frame.texture == 0 || frame.texWidth != texWidth || frame.texHeight != texHeight) {
        DeleteTexture(frame.texture);
        GLuint name = 0;
        glGenTextures(1, &name);
        BindForChange(renderer, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texWidth, texHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        frame.texture = name;
        frame.texWidth = texWidth;
        frame.texHeight = texHeight;
    } else {
        BindForChange(renderer, frame.texture);
    }
    SelectReadBuffer();
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
    frame.width = width;
    frame.height = height;
}

bool ReadPresentedFrame(OpenGLLumivane& renderer, std::vector<std::uint8_t>& pixels, std::int32_t& width,
                        std::int32_t& height, std::int32_t& stride) {
    const PresentedFrame& frame = Gfx().presented;
    if (frame.texture == 0) return false;
    try {
        pixels.resize(static_cast<std::size_t>(frame.texWidth) * static_cast<std::size_t>(frame.texHeight) * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    BindForChange(renderer, frame.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
    width = frame.width;
    height = frame.height;
    stride = frame.texWidth;
    return true;
}

}  // namespace zrv
