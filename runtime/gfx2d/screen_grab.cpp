#include "gfx2d/screen_grab.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <new>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/texture_prep.h"
#include "gfx2d/texture_upload.h"
#include "zorvane/gfx2d.h"

namespace zrv {

namespace {

constexpr std::int32_t kProbeOffset = 4;
constexpr std::int32_t kGrabMinimumSide = 32;

GLint CurrentFramebuffer() {
    GLint binding = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &binding);
    return binding;
}

// Clearing through a one-pixel scissor writes exactly one pixel, whatever the view,
// blending or alpha test are.
void ClearOnePixel(GLint x, GLint y, GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    GLfloat saved[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, saved);
    const GLboolean scissored = glIsEnabled(GL_SCISSOR_TEST);
    GLint box[4];
    glGetIntegerv(GL_SCISSOR_BOX, box);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, 1, 1);
    glClearColor(red, green, blue, alpha);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(saved[0], saved[1], saved[2], saved[3]);
    glScissor(box[0], box[1], box[2], box[3]);
    if (!scissored) glDisable(GL_SCISSOR_TEST);
}

}  // namespace

void SelectReadBuffer() { glReadBuffer(DrawingIntoFramebuffer() ? GL_COLOR_ATTACHMENT0_EXT : GL_BACK); }

KeyInFramebuffer FramebufferKey(OpenGLLumivane& renderer) {
    Gfx2dState& gfx = Gfx();
    const std::int32_t key = gfx.spriteKey;
    if (key == 0) return {};
    const GLint framebuffer = CurrentFramebuffer();
    KeyProbe& probe = gfx.keyProbe;
    if (!probe.valid || probe.key != key || probe.framebuffer != framebuffer) {
        SelectReadBuffer();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        const GLint x = kProbeOffset;
        const GLint y = SurfaceHeight(renderer) - 1 - kProbeOffset;
        GLubyte saved[4] = {0, 0, 0, 0};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, saved);
        ClearOnePixel(x, y, static_cast<GLfloat>(key & 0xFF) / 255.0f, static_cast<GLfloat>((key >> 8) & 0xFF) / 255.0f,
                      static_cast<GLfloat>((key >> 16) & 0xFF) / 255.0f, 0.0f);
        GLubyte seen[4] = {0, 0, 0, 0};
        glReadPixels(x, y, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, seen);
        ClearOnePixel(x, y, saved[0] / 255.0f, saved[1] / 255.0f, saved[2] / 255.0f, saved[3] / 255.0f);
        probe = KeyProbe{true, key, framebuffer, {seen[0], seen[1], seen[2]}};
    }
    return {probe.bgr[0], probe.bgr[1], probe.bgr[2]};
}

void GrabIntoSlot(OpenGLLumivane& renderer, std::int32_t slot, std::int32_t x, std::int32_t y, std::int32_t w,
                  std::int32_t h) {
    SpriteRecord* sprite = SpriteSlot(slot);
    if (sprite == nullptr || w <= 0 || h <= 0) return;
    const std::int32_t maxSize = MaxTextureSize();
    w = std::min(w, maxSize);
    h = std::min(h, maxSize);
    sprite->frameWidth = sprite->frameHeight = 0;
    std::vector<std::uint8_t>().swap(sprite->alphaCopy);

    const std::int32_t texWidth = PowerOfTwoAtLeast(w, kGrabMinimumSide);
    const std::int32_t texHeight = PowerOfTwoAtLeast(h, kGrabMinimumSide);
    const bool reuse = sprite->texture != 0 && texWidth == sprite->texWidth && texHeight == sprite->texHeight;
    if (reuse) {
        BindForChange(renderer, sprite->texture);
    } else {
        DeleteTexture(sprite->texture);
        DeleteTexture(sprite->mipTexture);
        sprite->mipPending = false;
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        sprite->texture = NewTexture(renderer, GL_LINEAR, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texWidth, texHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    }
    sprite->width = w;
    sprite->height = h;
    sprite->texWidth = texWidth;
    sprite->texHeight = texHeight;

    const GLint sourceY = SurfaceHeight(renderer) - y - h;
    GLint alphaBits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    if (alphaBits > 0) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, sourceY, w, h);
        return;
    }
    // Without alpha in the framebuffer the transparent colour is what marks transparency.
    std::vector<std::uint8_t>& scratch = Gfx().grabScratch;
    const std::size_t bytes = static_cast<std::size_t>(texWidth) * static_cast<std::size_t>(texHeight) * 4;
    try {
        if (scratch.size() < bytes) scratch.resize(bytes);
    } catch (const std::bad_alloc&) {
        return;
    }
    const KeyInFramebuffer key = FramebufferKey(renderer);
    SelectReadBuffer();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(x, sourceY, texWidth, texHeight, GL_BGRA, GL_UNSIGNED_BYTE, scratch.data());
    for (std::size_t i = 0; i < bytes; i += 4) {
        std::uint8_t* p = scratch.data() + i;
        if (p[0] == key.blue && p[1] == key.green && p[2] == key.red) p[3] = 0;
    }
    BindForChange(renderer, sprite->texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, texWidth, texHeight, GL_BGRA, GL_UNSIGNED_BYTE, scratch.data());
}

}  // namespace zrv

void GrabScreenToSprite(std::int32_t slot, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer()) zrv::GrabIntoSlot(*renderer, slot, x, y, width, height);
}
