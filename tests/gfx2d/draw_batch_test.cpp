// Sprites, text and rectangles are gathered and drawn together: whatever reads the frame or
// changes what a gathered draw uses must find every draw made before it, drawn as it was
// asked for. A finished picture does not show these faults; reads in between do.
#include "gfx2d/canvas.h"
#include "gfx2d/gfx2d_state.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

using GatheredDraws = Canvas;

TEST_F(GatheredDraws, ComeOutBeforeWhatReadsTheFrameOrChangesWhatTheyUse) {
    LoadSprite(1, SolidBmp(8, 8, kRedColour));

    // A read at once sees the sprite just drawn.
    DrawSprite(1, 0, 0);
    EXPECT_EQ(ReadPixelColour(4, 4), kRedColour);

    // A grab sees the rectangle just filled; the grabbed slot then draws it.
    FillRect(20, 0, 8, 8, kGreenColour);
    GrabScreenToSprite(2, 20, 0, 8, 8);
    DrawSprite(2, 40, 0);
    EXPECT_EQ(ReadPixelColour(44, 4), kGreenColour);

    // A rectangle between two draws of the same sprite leaves the second one textured.
    DrawSprite(1, 60, 0);
    FillRect(70, 0, 8, 8, kWhiteColour);
    DrawSprite(1, 80, 0);
    EXPECT_EQ(ReadPixelColour(64, 4), kRedColour);
    EXPECT_EQ(ReadPixelColour(74, 4), kWhiteColour);
    EXPECT_EQ(ReadPixelColour(84, 4), kRedColour);

    // A slot given a new image (perhaps under the same texture name) after a draw: that
    // draw keeps the old image.
    DrawSprite(1, 100, 0);
    LoadSprite(1, SolidBmp(8, 8, kBlueColour));
    DrawSprite(1, 120, 0);
    EXPECT_EQ(ReadPixelColour(104, 4), kRedColour);
    EXPECT_EQ(ReadPixelColour(124, 4), kBlueColour);

    // More quads than one draw takes, with text after them: none is lost, in order.
    const std::int32_t quads = kBatchCorners / 4 + 100;
    const auto place = [](std::int32_t i, std::int32_t& x, std::int32_t& y) {
        x = (i % 80) * 8;
        y = 100 + (i / 80) * 8;
    };
    std::int32_t x = 0, y = 0;
    for (std::int32_t i = 0; i < quads; ++i) {
        place(i, x, y);
        DrawSprite(1, x, y);
    }
    DrawText("X", 0, 100);
    place(quads - 1, x, y);
    EXPECT_EQ(BackPixel(x + 4, y + 4), kBlueColour) << "the last quad";
    EXPECT_EQ(BackPixel(x + 12, y + 4), 0) << "past the last quad";
    EXPECT_EQ(BackPixel(7 * 8 + 4, 104), kBlueColour);
    std::int32_t cw = 0, ch = 0;
    QueryFontSizeInt(cw, ch);
    std::int32_t glyph = 0;
    for (int gx = 0; gx < cw; ++gx) {
        for (int gy = 100; gy < 100 + ch; ++gy) glyph += BackPixel(gx, gy) != kBlueColour ? 1 : 0;
    }
    EXPECT_GT(glyph, 0) << "the text is drawn over the sprites";
}

TEST_F(GatheredDraws, AreDrawnAtOnceForAProgramThatCallsOpenGlItself) {
    FillRect(0, 0, 8, 8, kRedColour);
    EXPECT_GT(Gfx().batch.count, 0) << "a rectangle waits for the next to join it";
#ifdef _WIN32
    RtString module("opengl32.dll");
#else
    RtString module("libGL.so.1");
#endif
    ExternalFunction finish = nullptr;
    ResolveExternalFunction(module, "glFinish", finish);
    ASSERT_NE(finish, nullptr);
    EXPECT_EQ(Gfx().batch.count, 0) << "what was gathered goes out before the program's own calls";
    FillRect(10, 0, 8, 8, kGreenColour);
    EXPECT_EQ(Gfx().batch.count, 0);
    LoadSprite(1, SolidBmp(8, 8, kBlueColour));
    DrawSprite(1, 20, 0);
    EXPECT_EQ(Gfx().batch.count, 0);
    EXPECT_EQ(BackPixel(24, 4), kBlueColour);
}

}  // namespace
}  // namespace zrv::test
