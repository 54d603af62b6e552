// Virtual screens, through framebuffer objects and through the copy fallback, and
// background layers loaded from files.
#include <GL/gl.h>

#include <cstdio>

#include "display/gl_extensions.h"
#include "gfx2d/canvas.h"
#include "gfx2d/gfx2d_state.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

using VirtualScreens = Canvas;
using Backgrounds = Canvas;

constexpr std::int32_t R = kRedColour, G = kGreenColour;

// Draws into target 3 (slot 40, 100 x 60): green everywhere, a red square at (10, 10),
// then shows the slot at (200, 100) over white.
void DrawThroughTarget() {
    CreateVirtualScreen(3, 40, 100, 60);
    UseVirtualScreen(3);
    FillRect(0, 0, 100, 60, G);
    FillRect(10, 10, 5, 5, R);
    EXPECT_EQ(ReadPixelColour(12, 12), R) << "read from the virtual screen";
    EXPECT_EQ(ReadPixelColour(50, 50), G);
    UseVirtualScreen(-1);
    FillRect(190, 90, 200, 200, kWhiteColour);
    SetSmoothing(0);
    DrawSprite(40, 200, 100);
}

TEST_F(VirtualScreens, DrawnIntoThenDrawnAsASprite) {
    FillRect(0, 0, 640, 480, 0x333333);
    DrawThroughTarget();
    EXPECT_NE(Gfx().targets[3].framebuffer, 0u);
    EXPECT_EQ(Gfx().targets[3].texWidth, 128);
    EXPECT_EQ(BackPixel(212, 112), R);
    EXPECT_EQ(BackPixel(250, 150), G);
    EXPECT_EQ(BackPixel(299, 159), G);
    EXPECT_EQ(BackPixel(300, 159), kWhiteColour);
    EXPECT_EQ(BackPixel(5, 5), 0x333333) << "the screen was not drawn on";
    double x, y, w, h;
    QueryViewport(x, y, w, h);
    EXPECT_EQ(w, 640) << "back on the screen";
}

TEST_F(VirtualScreens, OutOfRangeTargetsDoNothingAndTheSwapReturnsToTheScreen) {
    CreateVirtualScreen(32, 41, 10, 10);
    EXPECT_EQ(Gfx().sprites[41].width, 0);
    CreateVirtualScreen(0, 41, 10, 10);
    UseVirtualScreen(0);
    UseVirtualScreen(32);
    EXPECT_EQ(Gfx().activeTarget, 0);
    PresentFrame();
    EXPECT_EQ(Gfx().activeTarget, -1);
    GLint binding = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &binding);
    EXPECT_EQ(binding, 0);
}

TEST_F(VirtualScreens, GrabsInsideAFramebufferKeepItsAlpha) {
    CreateVirtualScreen(4, 42, 32, 32);
    UseVirtualScreen(4);
    GLint alphaBits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    EXPECT_GT(alphaBits, 0);
    // The slot starts fully transparent; a red square is drawn over part of it.
    FillRect(0, 0, 8, 8, R);
    GrabScreenToSprite(43, 0, 0, 16, 16);
    UseVirtualScreen(-1);
    FillRect(0, 0, 100, 100, kWhiteColour);
    SetSmoothing(0);
    DrawSprite(43, 50, 50);
    EXPECT_EQ(BackPixel(51, 51), R);
    EXPECT_EQ(BackPixel(60, 60), kWhiteColour) << "transparent where nothing was drawn";
}

TEST_F(VirtualScreens, WithoutFramebufferObjectsTheCopyFallbackGivesTheSamePicture) {
    GlExtensionTable& gl = GlExtensions();
    const GlExtensionTable saved = gl;
    gl.glGenFramebuffersEXT = nullptr;
    FillRect(0, 0, 640, 480, 0x333333);
    FillRect(0, 0, 3, 3, 0x445566);
    DrawThroughTarget();
    gl = saved;
    EXPECT_EQ(Gfx().targets[3].framebuffer, 0u);
    EXPECT_EQ(BackPixel(212, 112), R);
    EXPECT_EQ(BackPixel(250, 150), G);
    EXPECT_EQ(BackPixel(300, 159), kWhiteColour);
    EXPECT_EQ(BackPixel(1, 1), 0x445566) << "the corner the target borrowed is given back";
    EXPECT_EQ(BackPixel(150, 30), 0x333333);
}

TEST_F(VirtualScreens, FallbackKeepsTransparencyWhereNothingWasDrawn) {
    GlExtensionTable& gl = GlExtensions();
    const GlExtensionTable saved = gl;
    gl.glGenFramebuffersEXT = nullptr;
    CreateVirtualScreen(5, 44, 16, 16);
    UseVirtualScreen(5);
    FillRect(0, 0, 4, 4, R);
    UseVirtualScreen(-1);
    gl = saved;
    FillRect(100, 100, 30, 30, kWhiteColour);
    DrawSprite(44, 100, 100);
    EXPECT_EQ(BackPixel(101, 101), R);
    EXPECT_EQ(BackPixel(110, 110), kWhiteColour);
}

TEST_F(Backgrounds, LoadedImageIsDrawnAndStartsTheNextFrames) {
    LoadBackgroundImage(File("back.bmp", BmpOf({{R, G}, {G, R}})).c_str());
    ASSERT_EQ(GetErrorState().errorCode, 0);
    EXPECT_EQ(BackPixel(0, 0), R);
    EXPECT_EQ(BackPixel(1, 0), G);
    EXPECT_EQ(BackPixel(2, 0), 0);
    PresentFrame();
    EXPECT_EQ(BackPixel(0, 1), G);
    EXPECT_EQ(BackPixel(1, 1), R);

    LoadBackgroundImage(File("bad.bmp", Bytes{'B', 'M'}).c_str());
    EXPECT_EQ(GetErrorState().errorCode, 3);
    EXPECT_EQ(BackPixel(0, 0), 0) << "cleared";
    PresentFrame();
    EXPECT_EQ(BackPixel(0, 0), 0) << "the layer is empty";
}

TEST_F(Backgrounds, ImagesBeyondEightByEightTilesAreClipped) {
    // 4608 = 9 tiles of 512 wide, 2 rows high.
    LoadBackgroundImage(File("wide.bmp", SolidBmp(4608, 600, G)).c_str());
    ASSERT_EQ(GetErrorState().errorCode, 0);
    const BackgroundLayer& layer = Gfx().layers[0];
    EXPECT_EQ(layer.tileSize, 512);
    EXPECT_EQ(layer.columns, 8);
    EXPECT_EQ(layer.rows, 2);
    EXPECT_EQ(layer.tiles[8].drawnHeight, 600 - 512) << "the second row's first tile";
    EXPECT_EQ(BackPixel(639, 479), G);
}

TEST_F(Backgrounds, FadedLoadEndsOnTheNewImage) {
    FillRect(0, 0, 640, 480, R);
    const double start = ElapsedMs();
    LoadBackgroundFaded(File("to.bmp", SolidBmp(640, 480, G)).c_str());
    EXPECT_GE(ElapsedMs() - start, 1400);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    EXPECT_EQ(BackPixel(320, 240), G);
    EXPECT_EQ(Gfx().layers[1].columns, 0);
    EXPECT_EQ(Gfx().layers[2].columns, 0);
    LoadBackgroundFaded((folder_ / "missing.bmp").c_str());
    EXPECT_EQ(GetErrorState().errorCode, 3);
}

}  // namespace
}  // namespace zrv::test
