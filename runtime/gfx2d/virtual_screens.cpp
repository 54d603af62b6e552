#include "gfx2d/virtual_screens.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdio>

#include "display/gl_extensions.h"
#include "display/opengl_lumivane.h"
#include "gfx2d/decoded_image.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/screen_grab.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_prep.h"
#include "zorvane/gfx2d.h"

namespace zrv {

namespace {

bool HasFramebufferObjects() {
    const GlExtensionTable& gl = GlExtensions();
    return gl.glGenFramebuffersEXT != nullptr && gl.glBindFramebufferEXT != nullptr &&
           gl.glDeleteFramebuffersEXT != nullptr && gl.glGenRenderbuffersEXT != nullptr &&
           gl.glBindRenderbufferEXT != nullptr && gl.glDeleteRenderbuffersEXT != nullptr &&
           gl.glRenderbufferStorageEXT != nullptr && gl.glCheckFramebufferStatusEXT != nullptr &&
           gl.glFramebufferTexture2DEXT != nullptr && gl.glFramebufferRenderbufferEXT != nullptr;
}

void DeleteFramebuffer(VirtualScreen& target) {
    const GlExtensionTable& gl = GlExtensions();
    if (target.framebuffer != 0 && gl.glDeleteFramebuffersEXT != nullptr) {
        const GLuint name = target.framebuffer;
        gl.glDeleteFramebuffersEXT(1, &name);
    }
    if (target.depthBuffer != 0 && gl.glDeleteRenderbuffersEXT != nullptr) {
        const GLuint name = target.depthBuffer;
        gl.glDeleteRenderbuffersEXT(1, &name);
    }
    target.framebuffer = target.depthBuffer = 0;
    target.texWidth = target.texHeight = 0;
}

void AttachSlot(const VirtualScreen& target) {
    const GlExtensionTable& gl = GlExtensions();
    const SpriteRecord* sprite = SpriteSlot(target.slot);
    gl.glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                                 sprite != nullptr ? sprite->texture : 0, 0);
    gl.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, target.depthBuffer);
}

// The framebuffer object with its depth buffer, checked for completeness with the slot's
// texture attached (a framebuffer without attachments proves nothing).
void CreateFramebuffer(VirtualScreen& target, std::int32_t texWidth, std::int32_t texHeight) {
    const GlExtensionTable& gl = GlExtensions();
    GLuint framebuffer = 0;
    gl.glGenFramebuffersEXT(1, &framebuffer);
    if (framebuffer == 0) {
        std::printf("glGenFramebuffersExt failed\n");
        return;
    }
    target.framebuffer = framebuffer;
    GLuint depth = 0;
    gl.glGenRenderbuffersEXT(1, &depth);
    if (depth == 0) {
        std::printf("glGenRenderbuffersExt failed\n");
        DeleteFramebuffer(target);
        return;
    }
    target.depthBuffer = depth;
    gl.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
    gl.glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, texWidth, texHeight);
    gl.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);

    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &previous);
    gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    AttachSlot(target);
    const GLenum status = gl.glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(previous));
    if (status != GL_FRAMEBUFFER_COMPLETE_EXT) {
        std::printf("glCheckFramebufferStatusExt failed\n");
        DeleteFramebuffer(target);
        return;
    }
    target.texWidth = texWidth;
    target.texHeight = texHeight;
}

VirtualScreen* Target(std::int32_t index) {
    if (index < 0 || index >= kVirtualScreens) return nullptr;
    return &Gfx().targets[static_cast<std::size_t>(index)];
}

}  // namespace

void LeaveActiveTarget() {
    Gfx2dState& gfx = Gfx();
    VirtualScreen* target = Target(gfx.activeTarget);
    OpenGLLumivane* renderer = DrawingRenderer();
    if (target == nullptr || renderer == nullptr) {
        gfx.activeTarget = -1;
        return;
    }
    if (target->framebuffer != 0) {
        GlExtensions().glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(target->savedBinding));
    } else if (SpriteRecord* sprite = SpriteSlot(target->slot)) {
        // What was drawn goes into the slot, and the screen's corner comes back from the
        // scratch slot.
        GrabIntoSlot(*renderer, target->slot, 0, 0, sprite->width, sprite->height);
        FillRect(0, 0, sprite->texWidth, sprite->texHeight, 0);
        DrawSprite(kScratchSlot, 0, 0);
    }
    gfx.activeTarget = -1;
    renderer->ResetView2D(0, 0, 0, 0);
}

void ReleaseVirtualScreens() {
    for (VirtualScreen& target : Gfx().targets) DeleteFramebuffer(target);
    Gfx().activeTarget = -1;
}

}  // namespace zrv

void CreateVirtualScreen(std::int32_t index, std::int32_t slot, std::int32_t width, std::int32_t height) {
    zrv::VirtualScreen* target = zrv::Target(index);
    if (target == nullptr || zrv::SpriteSlot(slot) == nullptr || width <= 0 || height <= 0) return;
    zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer();
    if (renderer == nullptr) return;
    if (zrv::Gfx().activeTarget == index) zrv::LeaveActiveTarget();
    zrv::DeleteFramebuffer(*target);

    // A fully transparent image of the target's size.
    zrv::DecodedImage blank;
    const std::int32_t texWidth = zrv::PowerOfTwoAtLeast(width);
    const std::int32_t texHeight = zrv::PowerOfTwoAtLeast(height);
    if (!zrv::PrepareImage(blank, texWidth, texHeight, zrv::DecodeLimits{})) return;
    std::fill(blank.pixels.begin(), blank.pixels.end(), std::uint8_t{0});
    if (!zrv::PutImageIntoSlot(slot, blank, zrv::UploadOptions{})) return;
    zrv::SpriteRecord& sprite = *zrv::SpriteSlot(slot);
    sprite.width = width;
    sprite.height = height;
    target->slot = slot;
    if (zrv::HasFramebufferObjects()) zrv::CreateFramebuffer(*target, texWidth, texHeight);
}

void UseVirtualScreen(std::int32_t index) {
    if (index < 0) {
        zrv::LeaveActiveTarget();
        return;
    }
    zrv::VirtualScreen* target = zrv::Target(index);
    zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer();
    if (target == nullptr || renderer == nullptr) return;
    const zrv::SpriteRecord* sprite = zrv::SpriteSlot(target->slot);
    if (sprite == nullptr || sprite->width <= 0) return;
    zrv::LeaveActiveTarget();
    zrv::Gfx().activeTarget = index;
    const std::int32_t width = sprite->width;
    const std::int32_t height = sprite->height;
    if (target->framebuffer != 0) {
        const zrv::GlExtensionTable& gl = zrv::GlExtensions();
        glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &target->savedBinding);
        gl.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target->framebuffer);
        zrv::AttachSlot(*target);
        renderer->ResetView2D(0, 0, width, height);
        glViewport(0, 0, width, height);
        return;
    }
    renderer->ResetView2D(0, 0, width, height);
    zrv::GrabIntoSlot(*renderer, zrv::kScratchSlot, 0, 0, width, height);
    FillRect(0, 0, width, height, zrv::Gfx().spriteKey);
    DrawSprite(target->slot, 0, 0);
}
