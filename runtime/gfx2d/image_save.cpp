// Saving the last presented frame or a sprite's image to a file.
#include <GL/gl.h>
#include <GL/glext.h>

#include <new>
#include <vector>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/image_files.h"
#include "gfx2d/presented_frame.h"
#include "gfx2d/screen_grab.h"
#include "zorvane/images.h"
#include "zorvane/program.h"

namespace zrv {

namespace {

// This file is linked from the runtime's library only into a program that calls one of its
// commands; then every presented frame is kept for SaveScreenImage, and otherwise none is.
[[maybe_unused]] const bool keepsFrames = EnableKeepingPresentedFrames();

bool SaveScreen(const std::string& name) {
    OpenGLLumivane* renderer = DrawingRenderer();
    if (renderer == nullptr) return false;
    // The frame the user saw last, kept at its buffer swap: the back buffer is half drawn,
    // and a software renderer's front buffer cannot be read.
    std::vector<std::uint8_t> pixels;
    std::int32_t width = 0, height = 0, stride = 0;
    if (!ReadPresentedFrame(*renderer, pixels, width, height, stride)) return false;
    const KeyInFramebuffer key = FramebufferKey(*renderer);
    return WriteImage(name, BgrFrame{pixels.data(), width, height, stride}, key);
}

bool SaveSprite(const std::string& name, std::int32_t slot) {
    OpenGLLumivane* renderer = DrawingRenderer();
    const SpriteRecord* sprite = SpriteSlot(slot);
    if (renderer == nullptr || sprite == nullptr || sprite->texture == 0 || sprite->width <= 0) return false;
    std::vector<std::uint8_t> pixels;
    try {
        pixels.resize(static_cast<std::size_t>(sprite->texWidth) * static_cast<std::size_t>(sprite->texHeight) * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const KeyInFramebuffer key = FramebufferKey(*renderer);
    BindForChange(*renderer, sprite->texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
    return WriteImage(name, BgrFrame{pixels.data(), sprite->width, sprite->height, sprite->texWidth}, key);
}

}  // namespace

}  // namespace zrv

void SaveScreenImage(const RtString& fileName) {
    SetErrorCode(0);
    if (!zrv::SaveScreen(fileName.c_str())) SetErrorCode(kErrorNoSuchFile);
}

void SaveSpriteImage(const RtString& fileName, std::int32_t slot) {
    SetErrorCode(0);
    if (!zrv::SaveSprite(fileName.c_str(), slot)) SetErrorCode(kErrorNoSuchFile);
}
