// Sprites: loading into slots, the texture sizes, every way of drawing them, frames of
// animation strips, and the slot queries.
#include <GL/gl.h>

#include "display/opengl_lumivane.h"
#include "gfx2d/canvas.h"
#include "gfx2d/gfx2d_state.h"
#include "gfx2d/texture_upload.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

using Sprites = Canvas;

constexpr std::int32_t R = kRedColour, G = kGreenColour, B = kBlueColour, W = kWhiteColour, K = kKeyColour;

// A 4 x 4 image of four 2 x 2 quadrants: red top left, green top right, blue bottom left,
// white bottom right.
Bytes Quadrants() { return BmpOf({{R, R, G, G}, {R, R, G, G}, {B, B, W, W}, {B, B, W, W}}); }

GLint TextureLevelSize(GLuint texture, GLenum which) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
    Renderer()->boundTexture = 0;
    return value;
}

TEST_F(Sprites, TexturesArePowersOfTwoAtLeastTwo) {
    LoadSprite(1, SolidBmp(100, 60, R));
    std::int32_t w = 0, h = 0;
    QuerySpriteSizeInt(1, w, h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 60);
    const auto texture = static_cast<GLuint>(QuerySpriteTextureId(1));
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(TextureLevelSize(texture, GL_TEXTURE_WIDTH), 128);
    EXPECT_EQ(TextureLevelSize(texture, GL_TEXTURE_HEIGHT), 64);

    LoadSprite(2, SolidBmp(1, 1, G));
    const auto tiny = static_cast<GLuint>(QuerySpriteTextureId(2));
    EXPECT_EQ(TextureLevelSize(tiny, GL_TEXTURE_WIDTH), 2);
    EXPECT_EQ(TextureLevelSize(tiny, GL_TEXTURE_HEIGHT), 2);
    double dw = 0, dh = 0;
    QuerySpriteSize(2, dw, dh);
    EXPECT_EQ(dw, 1);
    EXPECT_EQ(dh, 1);
}

TEST_F(Sprites, SpriteSlotsGetASquareMipmappedCopyOnFirstUseAndFontSlotsNone) {
    LoadSprite(3, SolidBmp(8, 4, R));
    SpriteRecord& sprite = Gfx().sprites[3];
    // Nothing is made until geometry asks for it; then once.
    EXPECT_EQ(sprite.mipTexture, 0u);
    const std::uint32_t copy = MipmappedCopy(*Renderer(), sprite);
    ASSERT_NE(copy, 0u);
    EXPECT_EQ(MipmappedCopy(*Renderer(), sprite), copy);
    glBindTexture(GL_TEXTURE_2D, copy);
    EXPECT_EQ(TextureLevelSize(copy, GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(TextureLevelSize(copy, GL_TEXTURE_HEIGHT), 4);
    std::vector<std::uint8_t> level1(2 * 2 * 4);
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGBA, GL_UNSIGNED_BYTE, level1.data());
    EXPECT_EQ(level1[0], 255);
    EXPECT_EQ(level1[1], 0);
    EXPECT_EQ(level1[3], 255);
    LoadSprite(3, SolidBmp(4, 4, R));
    EXPECT_EQ(Gfx().sprites[3].mipTexture, 0u);

    LoadSprite(65504 + 5, SolidBmp(32, 16, W));
    EXPECT_EQ(MipmappedCopy(*Renderer(), Gfx().sprites[65504 + 5]), 0u);
    EXPECT_NE(Gfx().sprites[65504 + 5].texture, 0u);
    LoadBitmapFont("", 5);
}

TEST_F(Sprites, FailedLoadsSetErrorThreeAndLeaveTheSlotEmpty) {
    LoadSprite(4, SolidBmp(4, 4, R));
    LoadSpriteImage(File("bad.bmp", Bytes{'B', 'M', 1, 2, 3}).c_str(), 4);
    EXPECT_EQ(GetErrorState().errorCode, 3);
    std::int32_t w = -1, h = -1;
    QuerySpriteSizeInt(4, w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(QuerySpriteTextureId(4), 0);

    LoadSpriteImage((folder_ / "missing.png").c_str(), 4);
    EXPECT_EQ(GetErrorState().errorCode, 3);
    LoadSpriteImage(File("ok.bmp", SolidBmp(2, 2, R)).c_str(), 70000);
    EXPECT_EQ(GetErrorState().errorCode, 3) << "no such slot";
    LoadSpriteImage(File("ok.bmp", SolidBmp(2, 2, R)).c_str(), 4);
    EXPECT_EQ(GetErrorState().errorCode, 0);
}

TEST_F(Sprites, DrawSpritePlacesTheImageUnscaledWithTheTransparentColourCut) {
    FillRect(0, 0, 100, 100, kWhiteColour);
    LoadSprite(5, BmpOf({{R, K, G}, {B, R, K}}));
    DrawSprite(5, 10, 20);
    EXPECT_EQ(BackPixel(10, 20), R);
    EXPECT_EQ(BackPixel(11, 20), W) << "transparent";
    EXPECT_EQ(BackPixel(12, 20), G);
    EXPECT_EQ(BackPixel(10, 21), B);
    EXPECT_EQ(BackPixel(12, 21), W);
    EXPECT_EQ(BackPixel(13, 20), W);
    EXPECT_EQ(BackPixel(10, 22), W);
}

TEST_F(Sprites, EveryDrawIsTexturedWhateverCameBefore) {
    // Straight after a load (which binds the new texture for its upload) in a 2D state
    // reset after others had switched texturing off, after a frame, after text, after an
    // untextured polygon and after a background layer.
    glDisable(GL_TEXTURE_2D);
    Renderer()->ResetView2D(0, 0, 0, 0);
    LoadSprite(13, SolidBmp(2, 2, G));
    DrawSprite(13, 0, 0);
    EXPECT_EQ(BackPixel(0, 0), G);
    PresentFrame();
    LoadSprite(14, SolidBmp(2, 2, B));
    DrawSprite(14, 0, 0);
    EXPECT_EQ(BackPixel(1, 1), B);
    DrawText("x", 10, 10);
    DrawSprite(13, 4, 0);
    EXPECT_EQ(BackPixel(4, 0), G);
    BeginPolygon(-1);
    AddPolygonVertex(20, 0, 0, 0, W);
    AddPolygonVertex(20, 4, 0, 0, W);
    AddPolygonVertex(24, 4, 0, 0, W);
    EndPolygon();
    DrawSprite(14, 8, 0);
    EXPECT_EQ(BackPixel(8, 0), B);
    GrabScreenToBackground();
    PresentFrame();
    DrawSprite(13, 30, 30);
    EXPECT_EQ(BackPixel(31, 31), G);
}

TEST_F(Sprites, StretchedWithOneNegativeSideMirrorsAndWithBothTurnsHalfway) {
    SetSmoothing(0);
    LoadSprite(6, Quadrants());
    DrawSpriteStretched(6, 0, 0, 8, 8);
    EXPECT_EQ(BackPixel(1, 1), R);
    EXPECT_EQ(BackPixel(6, 1), G);
    EXPECT_EQ(BackPixel(1, 6), B);
    EXPECT_EQ(BackPixel(6, 6), W);

    // Width -8 from x = 28 spans 20..28, mirrored left to right.
    DrawSpriteStretched(6, 28, 0, -8, 8);
    EXPECT_EQ(BackPixel(21, 1), G);
    EXPECT_EQ(BackPixel(26, 1), R);
    EXPECT_EQ(BackPixel(21, 6), W);
    EXPECT_EQ(BackPixel(26, 6), B);

    DrawSpriteStretched(6, 40, 8, 8, -8);
    EXPECT_EQ(BackPixel(41, 1), B) << "mirrored top to bottom";
    EXPECT_EQ(BackPixel(46, 6), G);

    DrawSpriteStretched(6, 68, 8, -8, -8);
    EXPECT_EQ(BackPixel(61, 1), W) << "turned by 180 degrees";
    EXPECT_EQ(BackPixel(66, 1), B);
    EXPECT_EQ(BackPixel(61, 6), G);
    EXPECT_EQ(BackPixel(66, 6), R);
    EXPECT_EQ(glIsEnabled(GL_CULL_FACE), GL_TRUE);
    GLint front = 0;
    glGetIntegerv(GL_FRONT_FACE, &front);
    EXPECT_EQ(front, GL_CCW) << "the winding goes back after a mirrored quad";
}

TEST_F(Sprites, ZoomScalesAboutTheCentreOfTheUnscaledPlacement) {
    SetSmoothing(0);
    LoadSprite(7, Quadrants());
    // 4 x 4 at (100, 100) zoomed by 2 spans 98..106.
    DrawSpriteZoomed(7, 100, 100, 2, 2);
    EXPECT_EQ(BackPixel(97, 99), 0);
    EXPECT_EQ(BackPixel(98, 98), R);
    EXPECT_EQ(BackPixel(105, 98), G);
    EXPECT_EQ(BackPixel(98, 105), B);
    EXPECT_EQ(BackPixel(105, 105), W);
    EXPECT_EQ(BackPixel(106, 105), 0);
}

TEST_F(Sprites, RotationTurnsAboutTheCentre) {
    SetSmoothing(0);
    LoadSprite(8, SolidBmp(20, 20, W));
    LoadSprite(9, BmpOf({{R, R, R, R, R, R, R, R}, {G, G, G, G, G, G, G, G}}));
    // A 20 x 20 square turned by 45 degrees reaches about 14 pixels from its centre.
    DrawSpriteRotatedScaled(8, 100, 100, 45);
    EXPECT_EQ(BackPixel(110, 110), W);
    EXPECT_EQ(BackPixel(110, 97), W) << "a corner now points up";
    EXPECT_EQ(BackPixel(101, 101), 0) << "the old corner is empty";
    // The strip turned by 90 degrees stands upright; positive angles turn counter-clockwise
    // on the screen, so its top (red) row faces left.
    DrawSpriteRotoZoom(9, 200, 200, 90, 2);
    EXPECT_EQ(BackPixel(202, 204), R);
    EXPECT_EQ(BackPixel(205, 204), G);
    EXPECT_EQ(BackPixel(203, 196), R);
}

TEST_F(Sprites, AFrameOfAnAnimationStrip) {
    SetSmoothing(0);
    // 3 frames of 2 x 2 per row, two rows: red green blue / white key black.
    LoadAnimatedSprite(File("strip.bmp", BmpOf({{R, R, G, G, B, B}, {R, R, G, G, B, B}, {W, W, K, K, 0, 0}, {W, W, K, K, 0, 0}})).c_str(),
                       10, 2, 2);
    ASSERT_EQ(GetErrorState().errorCode, 0);
    FillRect(0, 0, 100, 20, 0x808080);
    DrawSpriteFrame(10, 1, 10, 10);
    EXPECT_EQ(BackPixel(10, 10), G);
    EXPECT_EQ(BackPixel(11, 11), G);
    EXPECT_EQ(BackPixel(12, 10), 0x808080);
    DrawSpriteFrame(10, 3, 20, 10);
    EXPECT_EQ(BackPixel(21, 11), W) << "frame 3 starts the second row";
    DrawSpriteFrame(10, 4, 30, 10);
    EXPECT_EQ(BackPixel(30, 10), 0x808080) << "a transparent frame";
    DrawSpriteFrameStretched(10, 2, 40, 10, 6, 6);
    EXPECT_EQ(BackPixel(40, 10), B);
    EXPECT_EQ(BackPixel(45, 15), B);
    DrawSpriteFrameRotoZoom(10, 0, 60, 10, 90, 3);
    EXPECT_EQ(BackPixel(61, 11), R);
    EXPECT_EQ(BackPixel(59, 9), R) << "scaled by 3 about the frame's centre";
}

TEST_F(Sprites, DrawSpriteFrameWithoutAFrameSizeDrawsNothing) {
    LoadSprite(11, SolidBmp(4, 4, R));
    DrawSpriteFrame(11, 0, 0, 0);
    DrawSpriteFrameStretched(11, 0, 10, 0, 4, 4);
    DrawSpriteFrameRotoZoom(11, 0, 20, 0, 0, 1);
    EXPECT_EQ(BackPixel(1, 1), 0);
    EXPECT_EQ(BackPixel(11, 1), 0);
    EXPECT_EQ(BackPixel(21, 1), 0);
    // A failed animated load keeps the old frame size away from an empty slot.
    LoadAnimatedSprite((folder_ / "none.bmp").c_str(), 11, 2, 2);
    EXPECT_EQ(Gfx().sprites[11].frameWidth, 0);
}

TEST_F(Sprites, SmoothingOffHoldsUntilTheNextFrame) {
    SetSmoothing(0);
    EXPECT_EQ(Renderer()->smoothing, 0);
    PresentFrame();
    EXPECT_EQ(Renderer()->smoothing, 1);
}

TEST_F(Sprites, FindFreeSpriteReturnsTheLowestEmptySlotOrMinusOne) {
    auto& sprites = Gfx().sprites;
    std::vector<std::int32_t> saved;
    for (std::int32_t slot = 0; slot < 65504; ++slot) saved.push_back(sprites[slot].width);
    for (std::int32_t slot = 0; slot < 65504; ++slot) sprites[slot].width = 1;
    EXPECT_EQ(FindFreeSprite(), -1);
    sprites[40000].width = 0;
    sprites[30000].width = 0;
    EXPECT_EQ(FindFreeSprite(), 30000);
    for (std::int32_t slot = 0; slot < 65504; ++slot) sprites[slot].width = saved[static_cast<std::size_t>(slot)];
}

TEST_F(Sprites, BumpTexturesHoldNormalsOfTheBlueHeights) {
    LoadBumpTexture(File("flat.bmp", SolidBmp(4, 4, 0x800000)).c_str(), 12);
    ASSERT_EQ(GetErrorState().errorCode, 0);
    std::vector<std::uint8_t> texels(4 * 4 * 4);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(QuerySpriteTextureId(12)));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    Renderer()->boundTexture = 0;
    // A flat surface points straight out: (0, 0, 1) stored as (127, 127, 255).
    EXPECT_EQ(texels[0], 127);
    EXPECT_EQ(texels[1], 127);
    EXPECT_EQ(texels[2], 255);
    EXPECT_EQ(texels[3], 255);
}

}  // namespace
}  // namespace zrv::test
