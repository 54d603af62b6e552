// Drawing whole sprites: unscaled, stretched or mirrored, zoomed, rotated.
#include <cmath>

#include "display/opengl_lumivane.h"
#include "gfx2d/gl_draw.h"
#include "zorvane/gfx2d.h"
#include "zorvane/maths.h"

namespace zrv {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;

// The slot when it holds an image and the renderer can draw; null otherwise.
const SpriteRecord* DrawableSprite(std::int32_t slot, OpenGLLumivane*& renderer) {
    renderer = GatheringRenderer();
    const SpriteRecord* sprite = SpriteSlot(slot);
    if (renderer == nullptr || sprite == nullptr || sprite->width <= 0 || sprite->texture == 0) return nullptr;
    return sprite;
}

void DrawStretched(OpenGLLumivane& renderer, const SpriteRecord& sprite, double x, double y, double w, double h) {
    BindSprite(renderer, sprite);
    const auto s1 = static_cast<float>(sprite.width) / static_cast<float>(sprite.texWidth);
    const auto t1 = static_cast<float>(sprite.height) / static_cast<float>(sprite.texHeight);
    // A mirrored quad turns its back to the viewer; its run takes its winding as the front.
    const bool mirrored = (w < 0) != (h < 0);
    GatherQuadFan(mirrored ? BatchRun::kMirroredTriangles : BatchRun::kTriangles, static_cast<float>(x),
                  static_cast<float>(y), static_cast<float>(x + w), static_cast<float>(y + h), 0, 0, s1, t1);
}

void DrawRotoZoomed(OpenGLLumivane& renderer, const SpriteRecord& sprite, std::int32_t x, std::int32_t y,
                    double angle, double scale) {
    BindSprite(renderer, sprite);
    const double hw = scale * sprite.width / 2;
    const double hh = scale * sprite.height / 2;
    // Half a texel in from every edge, so that the turned edges do not pick up the
    // neighbouring texels.
    const auto texWidth = static_cast<float>(sprite.texWidth);
    const auto texHeight = static_cast<float>(sprite.texHeight);
    const float s0 = 0.5f / texWidth;
    const float t0 = 0.5f / texHeight;
    const float s1 = (static_cast<float>(sprite.width) - 0.5f) / texWidth;
    const float t1 = (static_cast<float>(sprite.height) - 0.5f) / texHeight;
    // The turn about the axis pointing away from the viewer, worked out here rather than
    // on the model-view matrix, so that turned sprites gather into one draw.
    const double centreX = x + sprite.width / 2;
    const double centreY = y + sprite.height / 2;
    const double radians = angle * kRadiansPerDegree;
    const double sine = std::sin(radians);
    const double cosine = std::cos(radians);
    auto corner = [&](double px, double py, float s, float t) {
        return BatchVertex{static_cast<float>(centreX + px * cosine + py * sine),
                           static_cast<float>(centreY - px * sine + py * cosine), s, t, 0, 0, 0, 0};
    };
    ClampBoundTexture();
    GatherFan(BatchRun::kTriangles,
              {corner(-hw, hh, s0, t0), corner(hw, hh, s1, t0), corner(hw, -hh, s1, t1), corner(-hw, -hh, s0, t1)});
}

}  // namespace

}  // namespace zrv

void DrawSprite(std::int32_t slot, std::int32_t x, std::int32_t y) {
    zrv::OpenGLLumivane* renderer = nullptr;
    const zrv::SpriteRecord* sprite = zrv::DrawableSprite(slot, renderer);
    if (sprite == nullptr) return;
    zrv::BindSprite(*renderer, *sprite);
    const auto s1 = static_cast<float>(sprite->width) / static_cast<float>(sprite->texWidth);
    const auto t1 = static_cast<float>(sprite->height) / static_cast<float>(sprite->texHeight);
    const auto left = static_cast<float>(x);
    const auto top = static_cast<float>(y);
    const auto right = static_cast<float>(static_cast<double>(x) + sprite->width);
    const auto bottom = static_cast<float>(static_cast<double>(y) + sprite->height);
    zrv::GatherSpriteQuad(left, top, right, bottom, 0, 0, s1, t1);
}

void DrawSpriteStretched(std::int32_t slot, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    zrv::OpenGLLumivane* renderer = nullptr;
    const zrv::SpriteRecord* sprite = zrv::DrawableSprite(slot, renderer);
    if (sprite == nullptr) return;
    zrv::DrawStretched(*renderer, *sprite, x, y, width, height);
}

void DrawSpriteZoomed(std::int32_t slot, std::int32_t x, std::int32_t y, double scaleX, double scaleY) {
    zrv::OpenGLLumivane* renderer = nullptr;
    const zrv::SpriteRecord* sprite = zrv::DrawableSprite(slot, renderer);
    if (sprite == nullptr) return;
    const double w = sprite->width;
    const double h = sprite->height;
    zrv::DrawStretched(*renderer, *sprite, TruncateToInt32(x - (scaleX * w - w) / 2),
                       TruncateToInt32(y - (scaleY * h - h) / 2), TruncateToInt32(scaleX * w),
                       TruncateToInt32(scaleY * h));
}

void DrawSpriteRotatedScaled(std::int32_t slot, std::int32_t x, std::int32_t y, double angle) {
    DrawSpriteRotoZoom(slot, x, y, angle, 1.0);
}

void DrawSpriteRotoZoom(std::int32_t slot, std::int32_t x, std::int32_t y, double angle, double scale) {
    zrv::OpenGLLumivane* renderer = nullptr;
    const zrv::SpriteRecord* sprite = zrv::DrawableSprite(slot, renderer);
    if (sprite == nullptr) return;
    zrv::DrawRotoZoomed(*renderer, *sprite, x, y, angle, scale);
}
