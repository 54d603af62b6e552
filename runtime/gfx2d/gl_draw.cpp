#include "gfx2d/gl_draw.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "display/gl_extensions.h"
#include "display/opengl_lumivane.h"
#include "gfx2d/gfx2d_state.h"
#include "gfx2d/quad_batch.h"

namespace zrv {

namespace {

OpenGLLumivane* CanDraw(OpenGLLumivane* renderer) noexcept {
    if (renderer == nullptr || renderer->window == nullptr || renderer->context == nullptr) return nullptr;
    return renderer->ready != 0 ? renderer : nullptr;
}

}  // namespace

OpenGLLumivane* DrawingRenderer() noexcept { return CanDraw(Renderer()); }

OpenGLLumivane* GatheringRenderer() noexcept { return CanDraw(RendererAsGathered()); }

SpriteRecord* SpriteSlot(std::int32_t slot) noexcept {
    if (slot < 0 || slot >= kSpriteSlots) return nullptr;
    return &Gfx().sprites[static_cast<std::size_t>(slot)];
}

std::int32_t MaxTextureSize() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size > 0 ? size : 64;
}

namespace {

// The texture parameters are set once per binding, not once per sprite: each call, even
// one that changes nothing, has the driver look the texture up again.
void ForgetBoundParameters() {
    Gfx().boundFilter = -1;
    Gfx().boundClamped = false;
}

void TextureUnitOneOff() {
    const auto& gl = GlExtensions();
    if (gl.glActiveTextureARB == nullptr) return;
    gl.glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    gl.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void Bind(OpenGLLumivane& renderer, std::uint32_t texture) {
    // boundTexture is only non-zero after a bind made here; 0 means the binding was
    // forgotten (the 2D state was reset, a texture changed, untextured drawing), and then
    // the texture units may have been changed too. Only then are they set again:
    // switching units makes the driver flush what it has gathered, which would cost a draw
    // call per sprite.
    if (renderer.boundTexture == 0 || renderer.boundTexture != texture) FlushQuadBatch();
    if (renderer.boundTexture == 0) {
        TextureUnitOneOff();
        glEnable(GL_TEXTURE_2D);
    }
    if (texture == 0 || renderer.boundTexture != texture) {
        glBindTexture(GL_TEXTURE_2D, texture);
        renderer.boundTexture = texture;
        ForgetBoundParameters();
    }
}

void SetFilters(GLint filter) {
    if (filter == Gfx().boundFilter) return;
    FlushQuadBatch();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    Gfx().boundFilter = filter;
}

}  // namespace

void BindSprite(OpenGLLumivane& renderer, const SpriteRecord& sprite) {
    Bind(renderer, sprite.texture);
    SetFilters(renderer.smoothing != 0 ? GL_LINEAR : GL_NEAREST);
}

void BindTextureNearest(OpenGLLumivane& renderer, std::uint32_t texture) {
    Bind(renderer, texture);
    SetFilters(GL_NEAREST);
}

void UnbindTexture(OpenGLLumivane& renderer) {
    FlushQuadBatch();
    glBindTexture(GL_TEXTURE_2D, 0);
    renderer.boundTexture = 0;
    ForgetBoundParameters();
}

void BindForChange(OpenGLLumivane& renderer, std::uint32_t texture) {
    FlushQuadBatch();
    glBindTexture(GL_TEXTURE_2D, texture);
    // Bound, but not set up for drawing: the next sprite binds and sets up again.
    renderer.boundTexture = 0;
    ForgetBoundParameters();
}

void DeleteTexture(std::uint32_t& texture) {
    if (texture == 0) return;
    FlushQuadBatch();
    if (OpenGLLumivane* renderer = Renderer()) {
        // A new texture may be given the same name; the binding must not be trusted then.
        if (renderer->boundTexture == texture) renderer->boundTexture = 0;
    }
    const GLuint name = texture;
    glDeleteTextures(1, &name);
    texture = 0;
}

BatchVertex ColouredCorner(const OpenGLLumivane& renderer, std::int32_t colour) noexcept {
    const auto alpha = colour == Gfx().spriteKey ? GLubyte{0} : static_cast<GLubyte>(renderer.currentAlpha * 255.0f);
    return {0, 0, 0, 0, static_cast<GLubyte>(colour & 0xFF), static_cast<GLubyte>((colour >> 8) & 0xFF),
            static_cast<GLubyte>((colour >> 16) & 0xFF), alpha};
}

void RestoreWhite(const OpenGLLumivane& renderer) {
    FlushQuadBatch();
    glColor4f(1, 1, 1, renderer.currentAlpha);
}

void ClampBoundTexture() {
    if (Gfx().boundClamped) return;
    FlushQuadBatch();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    Gfx().boundClamped = true;
}

void DrawQuad(float left, float top, float right, float bottom, float s0, float t0, float s1, float t1) {
    FlushQuadBatch();
    ClampBoundTexture();
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2f(s0, t0);
    glVertex2f(left, bottom);
    glTexCoord2f(s1, t0);
    glVertex2f(right, bottom);
    glTexCoord2f(s1, t1);
    glVertex2f(right, top);
    glTexCoord2f(s0, t1);
    glVertex2f(left, top);
    glEnd();
}

void GatherQuadFan(BatchRun run, float left, float top, float right, float bottom, float s0, float t0, float s1,
                   float t1) {
    ClampBoundTexture();
    GatherFan(run, {{left, bottom, s0, t0, 0, 0, 0, 0},
                    {right, bottom, s1, t0, 0, 0, 0, 0},
                    {right, top, s1, t1, 0, 0, 0, 0},
                    {left, top, s0, t1, 0, 0, 0, 0}});
}

void GatherSpriteQuad(float left, float top, float right, float bottom, float s0, float t0, float s1, float t1) {
    GatherQuad(BatchRun::kQuads, {{right, top, s1, t1, 0, 0, 0, 0},
                                  {left, top, s0, t1, 0, 0, 0, 0},
                                  {left, bottom, s0, t0, 0, 0, 0, 0},
                                  {right, bottom, s1, t0, 0, 0, 0, 0}});
}

bool DrawingIntoFramebuffer() noexcept {
    const Gfx2dState& gfx = Gfx();
    return gfx.activeTarget >= 0 && gfx.targets[static_cast<std::size_t>(gfx.activeTarget)].framebuffer != 0;
}

std::int32_t SurfaceHeight(const OpenGLLumivane& renderer) noexcept {
    if (!DrawingIntoFramebuffer()) return renderer.height;
    const SpriteRecord* sprite = SpriteSlot(Gfx().targets[static_cast<std::size_t>(Gfx().activeTarget)].slot);
    return sprite != nullptr ? sprite->height : renderer.height;
}

}  // namespace zrv
