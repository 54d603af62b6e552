// Pixel-exact collision, and grabbing the screen into sprites and the background.
#include <GL/gl.h>

#include "gfx2d/canvas.h"
#include "gfx2d/gfx2d_state.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

using Collision = Canvas;
using Grabs = Canvas;

constexpr std::int32_t R = kRedColour, K = kKeyColour;

TEST_F(Collision, TouchingRectanglesDoNotCollideOverlappingOnesDo) {
    LoadSprite(20, SolidBmp(10, 10, R));
    EXPECT_EQ(SpritesCollide(20, 0, 0, 20, 10, 0), 0) << "side by side";
    EXPECT_EQ(SpritesCollide(20, 0, 0, 20, 0, 10), 0) << "one above the other";
    EXPECT_EQ(SpritesCollide(20, 0, 0, 20, 9, 9), 1) << "one corner pixel shared";
    EXPECT_EQ(SpritesCollide(20, 0, 0, 20, -9, 5), 1);
    EXPECT_EQ(SpritesCollide(20, 0, 0, 20, 100, 100), 0);
}

TEST_F(Collision, TransparentPixelsNeverCollide) {
    // A ring: only the border is opaque.
    std::vector<std::vector<std::int32_t>> ring(6, std::vector<std::int32_t>(6, K));
    for (int i = 0; i < 6; ++i) ring[0][i] = ring[5][i] = ring[i][0] = ring[i][5] = R;
    LoadSprite(21, BmpOf(ring));
    LoadSprite(22, SolidBmp(2, 2, R));
    EXPECT_EQ(SpritesCollide(21, 0, 0, 22, 2, 2), 0) << "inside the hole";
    EXPECT_EQ(SpritesCollide(21, 0, 0, 22, 4, 2), 1) << "on the right border";
    EXPECT_EQ(SpritesCollide(22, 1, 4, 21, 0, 0), 1) << "either order";
    // The rows of the image are not turned over: a sprite opaque only in its top row.
    LoadSprite(23, BmpOf({{R, R, R}, {K, K, K}, {K, K, K}}));
    EXPECT_EQ(SpritesCollide(23, 0, 0, 22, 0, 1), 0);
    EXPECT_EQ(SpritesCollide(23, 0, 1, 22, 0, 1), 1);
}

TEST_F(Collision, FramesCollideByTheirOwnPixels) {
    // Two 2 x 2 frames: the first transparent, the second opaque.
    LoadAnimatedSprite(File("frames.bmp", BmpOf({{K, K, R, R}, {K, K, R, R}})).c_str(), 24, 2, 2);
    LoadSprite(25, SolidBmp(2, 2, R));
    EXPECT_EQ(SpriteFramesCollide(24, 0, 0, 0, 24, 1, 0, 0), 0);
    EXPECT_EQ(SpriteFramesCollide(24, 1, 0, 0, 24, 1, 1, 1), 1);
    // A frame number far past the strip reads nothing outside the image.
    EXPECT_EQ(SpriteFramesCollide(24, 1000000, 0, 0, 24, 1, 0, 0), 0);
    EXPECT_EQ(SpriteFramesCollide(25, 0, 0, 0, 24, 1, 0, 0), 0) << "a slot without frames";
    EXPECT_EQ(SpritesCollide(25, 0, 0, 30000, 0, 0), 0) << "an empty slot";
}

TEST_F(Collision, ALoadReplacesTheAlphaCopy) {
    LoadSprite(26, SolidBmp(4, 4, R));
    LoadSprite(27, SolidBmp(4, 4, R));
    EXPECT_EQ(SpritesCollide(26, 0, 0, 27, 0, 0), 1);
    LoadSprite(26, SolidBmp(4, 4, K));
    EXPECT_EQ(SpritesCollide(26, 0, 0, 27, 0, 0), 0);
}

TEST_F(Grabs, WithoutAlphaBitsTheTransparentColourBecomesTransparent) {
    GLint alphaBits = -1;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    ASSERT_EQ(alphaBits, 0) << "the window asks for no alpha bits";
    FillRect(0, 0, 21, 11, K);
    FillRect(5, 3, 4, 4, kGreenColour);
    GrabScreenToSprite(30, 0, 0, 21, 11);
    std::int32_t w = 0, h = 0;
    QuerySpriteSizeInt(30, w, h);
    EXPECT_EQ(w, 21);
    EXPECT_EQ(h, 11);
    EXPECT_EQ(Gfx().sprites[30].texWidth, 32);
    EXPECT_EQ(Gfx().sprites[30].texHeight, 32);

    FillRect(100, 100, 50, 50, kWhiteColour);
    SetSmoothing(0);
    DrawSprite(30, 110, 110);
    EXPECT_EQ(BackPixel(110, 110), kWhiteColour) << "the key colour was cut";
    EXPECT_EQ(BackPixel(115, 113), kGreenColour);
    EXPECT_EQ(BackPixel(118, 116), kGreenColour);
    EXPECT_EQ(BackPixel(119, 116), kWhiteColour);
    // The probe pixel the key was tried on is back as it was.
    EXPECT_EQ(BackPixel(4, 4), K);
}

TEST_F(Grabs, AGrabOfTheSameSizeReusesTheTextureAndClearsTheFrameSize) {
    FillRect(0, 0, 10, 10, R);
    LoadAnimatedSprite(File("a.bmp", SolidBmp(8, 8, R)).c_str(), 31, 4, 4);
    GrabScreenToSprite(31, 0, 0, 20, 20);
    const double first = QuerySpriteTextureId(31);
    EXPECT_EQ(Gfx().sprites[31].frameWidth, 0);
    GrabScreenToSprite(31, 0, 0, 30, 30);
    EXPECT_EQ(QuerySpriteTextureId(31), first);
    GrabScreenToSprite(31, 0, 0, 33, 30);
    EXPECT_EQ(Gfx().sprites[31].texWidth, 64);
}

TEST_F(Grabs, GrabbedSpritesCollideByTheirGrabbedPixels) {
    FillRect(0, 0, 21, 11, K);
    FillRect(0, 0, 1, 1, R);
    GrabScreenToSprite(32, 0, 0, 21, 11);
    LoadSprite(33, SolidBmp(1, 1, R));
    EXPECT_EQ(SpritesCollide(32, 0, 0, 33, 0, 0), 1);
    EXPECT_EQ(SpritesCollide(32, 0, 0, 33, 1, 0), 0);
}

TEST_F(Grabs, TheBackgroundStartsEveryFrame) {
    FillRect(0, 0, 640, 480, 0x204080);
    FillRect(600, 400, 10, 10, R);
    GrabScreenToBackground();
    const BackgroundLayer& layer = Gfx().layers[0];
    EXPECT_EQ(layer.tileSize, 1024);
    EXPECT_EQ(layer.columns, 1);
    PresentFrame();
    EXPECT_EQ(BackPixel(0, 0), 0x204080);
    EXPECT_EQ(BackPixel(605, 405), R);
    PresentFrame();
    EXPECT_EQ(BackPixel(639, 479), 0x204080);
}

}  // namespace
}  // namespace zrv::test
