// Where the sprite benchmarks put their 32 x 32 sprites in a 640 x 480 window: scattered,
// repeatable, and moving a little every frame, the same in the runtime's benchmark and in
// the bare OpenGL child that gives its baseline.
#pragma once

namespace zrv::bench {

constexpr int kSpriteSide = 32;
constexpr int kFieldWidth = 640;
constexpr int kFieldHeight = 480;

inline int SpriteX(int i, int frame) { return (i * 7919 + frame * 3) % (kFieldWidth - kSpriteSide); }
inline int SpriteY(int i, int frame) { return (i * 104729 + frame * 2) % (kFieldHeight - kSpriteSide); }

// Opaque inside a disc, transparent outside it: what an alpha sprite with a shape has.
inline bool SpriteTexelOpaque(int x, int y) {
    const int dx = 2 * x + 1 - kSpriteSide;
    const int dy = 2 * y + 1 - kSpriteSide;
    return dx * dx + dy * dy <= kSpriteSide * kSpriteSide;
}

}  // namespace zrv::bench
