// Where the sprite benchmarks put their 32 x 32 sprites in a 640 x 480 window: scattered,
// repeatable, and moving a little every frame, the same in the runtime's benchmark and in
// the bare OpenGL child that gives its baseline.
#pragma once

#include <GL/gl.h>

namespace zrv::bench {

constexpr int kSpriteSide = 32;
constexpr int kFieldWidth = 640;
constexpr int kFieldHeight = 480;

// In 64 bits: 50,000 sprites times the step run past the range of int.
inline int SpriteX(int i, int frame) {
    return static_cast<int>((i * 7919LL + frame * 3LL) % (kFieldWidth - kSpriteSide));
}
inline int SpriteY(int i, int frame) {
    return static_cast<int>((i * 104729LL + frame * 2LL) % (kFieldHeight - kSpriteSide));
}

// Opaque inside a disc, transparent outside it: what an alpha sprite with a shape has.
inline bool SpriteTexelOpaque(int x, int y) {
    const int dx = 2 * x + 1 - kSpriteSide;
    const int dy = 2 * y + 1 - kSpriteSide;
    return dx * dx + dy * dy <= kSpriteSide * kSpriteSide;
}

// The sprites of a frame as textured quads in immediate mode, with whatever texture and
// blending the caller has set up; beforeEach(i) may change them for sprite i.
template <typename BeforeEach>
void ImmediateSpriteQuads(int count, int frame, BeforeEach beforeEach) {
    constexpr float side = kSpriteSide;
    for (int i = 0; i < count; ++i) {
        beforeEach(i);
        const auto x = static_cast<float>(SpriteX(i, frame));
        const auto y = static_cast<float>(SpriteY(i, frame));
        glBegin(GL_QUADS);
        glTexCoord2f(1, 1);
        glVertex2f(x + side, y);
        glTexCoord2f(0, 1);
        glVertex2f(x, y);
        glTexCoord2f(0, 0);
        glVertex2f(x, y + side);
        glTexCoord2f(1, 0);
        glVertex2f(x + side, y + side);
        glEnd();
    }
}

inline void ImmediateSpriteQuads(int count, int frame) { ImmediateSpriteQuads(count, frame, [](int) {}); }

}  // namespace zrv::bench
