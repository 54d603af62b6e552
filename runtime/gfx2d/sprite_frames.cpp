// Drawing single frames of animation strips.
#include "gfx2d/sprite_frames.h"

#include <cmath>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"
#include "zorvane/gfx2d.h"

namespace zrv {

namespace {

constexpr double kRadiansPerDegree = 0.017453292;

// The slot when it holds an animated image and the renderer can draw; null otherwise.
const SpriteRecord* DrawableFrames(std::int32_t slot, OpenGLLumivane*& renderer) {
    renderer = GatheringRenderer();
    const SpriteRecord* sprite = SpriteSlot(slot);
    if (renderer == nullptr || sprite == nullptr || sprite->texture == 0) return nullptr;
    if (sprite->frameWidth == 0 || sprite->frameHeight == 0) return nullptr;
    return sprite;
}

}  // namespace

FrameCoordinates FrameTextureCoordinates(const SpriteRecord& sprite, std::int32_t frame) noexcept {
    const std::int32_t perRow = sprite.frameWidth != 0 ? sprite.width / sprite.frameWidth : 0;
    std::int32_t row = 0;
    std::int32_t column = frame;
    if (perRow > 0) {
        row = frame / perRow;
        column = frame % perRow;
    }
    const auto texWidth = static_cast<double>(sprite.texWidth);
    const auto texHeight = static_cast<double>(sprite.texHeight);
    const double s0 = static_cast<double>(column) * sprite.frameWidth / texWidth;
    const double t0 = (sprite.height - static_cast<double>(sprite.frameHeight) * (row + 1.0)) / texHeight;
    return {static_cast<float>(s0), static_cast<float>(t0), static_cast<float>(s0 + sprite.frameWidth / texWidth),
            static_cast<float>(t0 + sprite.frameHeight / texHeight)};
}

}  // namespace zrv

void DrawSpriteFrame(std::int32_t slot, std::int32_t frame, std::int32_t x, std::int32_t y) {
    zrv::OpenGLLumivane* renderer = nullptr;
    const zrv::SpriteRecord* sprite = zrv::DrawableFrames(slot, renderer);
    if (sprite == nullptr) return;
    zrv::BindSprite(*renderer, *sprite);
    const zrv::FrameCoordinates c = zrv::FrameTextureCoordinates(*sprite, frame);
    const auto left = static_cast<float>(x);
    const auto top = static_cast<float>(y);
    const auto right = static_cast<float>(static_cast<double>(x) + sprite->frameWidth);
    const auto bottom = static_cast<float>(static_cast<double>(y) + sprite->frameHeight);
    zrv::GatherSpriteQuad(left, top, right, bottom, c.s0, c.t0, c.s1, c.t1);
}

void DrawSpriteFrameStretched(std::int32_t slot, std::int32_t frame, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height) {
    zrv::OpenGLLumivane* renderer = nullptr;
    const zrv::SpriteRecord* sprite = zrv::DrawableFrames(slot, renderer);
    if (sprite == nullptr) return;
    zrv::BindSprite(*renderer, *sprite);
    const zrv::FrameCoordinates c = zrv::FrameTextureCoordinates(*sprite, frame);
    zrv::GatherQuadFan(zrv::BatchRun::kTriangles, static_cast<float>(x), static_cast<float>(y),
                       static_cast<float>(x + width + 0.1), static_cast<float>(y + height + 0.1), c.s0, c.t0, c.s1,
                       c.t1);
}

void DrawSpriteFrameRotoZoom(std::int32_t slot, std::int32_t frame, std::int32_t x, std::int32_t y, double angle,
                             double scale) {
    zrv::OpenGLLumivane* renderer = nullptr;
    const zrv::SpriteRecord* sprite = zrv::DrawableFrames(slot, renderer);
    if (sprite == nullptr) return;
    zrv::BindSprite(*renderer, *sprite);
    zrv::FrameCoordinates c = zrv::FrameTextureCoordinates(*sprite, frame);
    const auto halfTexelS = static_cast<float>(0.5 / sprite->texWidth);
    const auto halfTexelT = static_cast<float>(0.5 / sprite->texHeight);
    c.s0 += halfTexelS;
    c.s1 -= halfTexelS;
    c.t0 += halfTexelT;
    c.t1 -= halfTexelT;

    const double centreX = x + sprite->frameWidth / 2;
    const double centreY = y + sprite->frameHeight / 2;
    const double hw = sprite->frameWidth * scale / 2;
    const double hh = sprite->frameHeight * scale / 2;
    // The same turn as the whole-sprite rotation, about the axis pointing away from the
    // viewer.
    const double sine = std::sin(angle * zrv::kRadiansPerDegree);
    const double cosine = std::cos(angle * zrv::kRadiansPerDegree);
    auto corner = [&](double px, double py, float s, float t) {
        return zrv::BatchVertex{static_cast<float>(centreX + px * cosine + py * sine),
                                static_cast<float>(centreY - px * sine + py * cosine), s, t, 0, 0, 0, 0};
    };
    zrv::ClampBoundTexture();
    zrv::GatherFan(zrv::BatchRun::kTriangles, {corner(-hw, hh, c.s0, c.t0), corner(hw, hh, c.s1, c.t0),
                                               corner(hw, -hh, c.s1, c.t1), corner(-hw, -hh, c.s0, c.t1)});
}
