// Rectangles, lines, pixels, blending and the transparent colour, read back from the back
// buffer.
#include <GL/gl.h>

#include "display/opengl_lumivane.h"
#include "gfx2d/canvas.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

using Primitives = Canvas;

TEST_F(Primitives, NegativeWidthCoversFromXPlusWidthPlusOneToXPlusOne) {
    FillRect(100, 10, -10, 5, kWhiteColour);
    EXPECT_EQ(BackPixel(90, 12), 0);
    EXPECT_EQ(BackPixel(91, 12), kWhiteColour);
    EXPECT_EQ(BackPixel(100, 12), kWhiteColour);
    EXPECT_EQ(BackPixel(101, 12), 0);

    FillRect(200, 40, 3, -4, kRedColour);
    EXPECT_EQ(BackPixel(200, 36), 0);
    EXPECT_EQ(BackPixel(200, 37), kRedColour);
    EXPECT_EQ(BackPixel(202, 40), kRedColour);
    EXPECT_EQ(BackPixel(203, 40), 0);
    EXPECT_EQ(BackPixel(200, 41), 0);
}

TEST_F(Primitives, PixelsAndLinesHitExactlyTheirCoordinatesIncludingBothEnds) {
    PlotPixel(5, 7, kGreenColour);
    EXPECT_EQ(BackPixel(5, 7), kGreenColour);
    EXPECT_EQ(BackPixel(6, 7), 0);
    EXPECT_EQ(BackPixel(5, 6), 0);

    DrawLineSegment(20, 30, 29, 30, kBlueColour);
    for (int x = 20; x <= 29; ++x) EXPECT_EQ(BackPixel(x, 30), kBlueColour) << x;
    EXPECT_EQ(BackPixel(19, 30), 0);
    EXPECT_EQ(BackPixel(30, 30), 0);
    DrawLineSegment(50, 60, 50, 50, kRedColour);
    EXPECT_EQ(BackPixel(50, 50), kRedColour);
    EXPECT_EQ(BackPixel(50, 60), kRedColour);
    EXPECT_EQ(BackPixel(50, 49), 0);
}

TEST_F(Primitives, ReadPixelColourPacksRedGreenBlue) {
    FillRect(0, 0, 4, 4, 0x123456);
    EXPECT_EQ(ReadPixelColour(1, 1), 0x123456);
    EXPECT_EQ(ReadPixelColour(4, 1), 0);
}

TEST_F(Primitives, TransparentColourIsWrittenWithBlendingOffAndLeavesNoMarkWhenTranslucent) {
    FillRect(0, 0, 10, 10, kKeyColour);
    EXPECT_EQ(BackPixel(5, 5), kKeyColour);

    FillRect(20, 0, 10, 10, kGreenColour);
    SetBlendAlpha(-0.5);
    FillRect(20, 0, 10, 10, kKeyColour);
    EXPECT_EQ(BackPixel(25, 5), kGreenColour);
    // Another colour does blend in.
    FillRect(20, 0, 5, 10, kRedColour);
    const std::int32_t mixed = BackPixel(22, 5);
    EXPECT_NEAR(mixed & 0xFF, 128, 2);
    EXPECT_NEAR(mixed >> 8 & 0xFF, 128, 2);
}

TEST_F(Primitives, BlendAlphaZeroIsOpaqueBelowZeroTranslucentAboveZeroAdditive) {
    SetBlendAlpha(0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(Renderer()->currentAlpha, 1.0f);

    SetBlendAlpha(-0.5);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(Renderer()->currentAlpha, 0.5f);
    FillRect(0, 0, 4, 4, kWhiteColour);
    EXPECT_NEAR(BackPixel(1, 1) & 0xFF, 127, 2);

    SetBlendAlpha(0);
    FillRect(10, 0, 4, 4, kRedColour);
    SetBlendAlpha(3);
    EXPECT_EQ(Renderer()->currentAlpha, 1.0f);
    FillRect(10, 0, 4, 4, kGreenColour);
    EXPECT_EQ(BackPixel(11, 1), 0x00FFFF) << "red plus green";

    SetBlendAlpha(0.25);
    FillRect(20, 0, 4, 4, kWhiteColour);
    FillRect(20, 0, 4, 4, kWhiteColour);
    EXPECT_NEAR(BackPixel(21, 1) & 0xFF, 127, 2);
}

TEST_F(Primitives, ClearBackBufferClearsColourAndEmptiesTheBackground) {
    FillRect(0, 0, 640, 480, kRedColour);
    GrabScreenToBackground();
    ClearBackBuffer();
    EXPECT_EQ(BackPixel(100, 100), 0);
    PresentFrame();
    EXPECT_EQ(BackPixel(100, 100), 0) << "no background left to start the next frame on";
}

TEST_F(Primitives, ViewportMovesTheOriginAndIsReported) {
    SetViewport(100, 50, 200, 100);
    double x, y, w, h;
    QueryViewport(x, y, w, h);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 100);
    FillRect(0, 0, 2, 2, kWhiteColour);
    EXPECT_EQ(BackPixel(100, 50), kWhiteColour);
    EXPECT_EQ(BackPixel(99, 50), 0);
    // 0 or less: the whole window, at the given corner.
    SetViewport(10, 20, 0, 0);
    std::int32_t ix, iy, iw, ih;
    QueryViewportInt(ix, iy, iw, ih);
    EXPECT_EQ(ix, 10);
    EXPECT_EQ(iy, 20);
    EXPECT_EQ(iw, 640);
    EXPECT_EQ(ih, 480);
}

}  // namespace
}  // namespace zrv::test
