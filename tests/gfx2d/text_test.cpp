// Fonts and text: the grid rule, the built-in font, placement and code wrapping.
#include <GL/gl.h>

#include "gfx2d/builtin_font.h"
#include "gfx2d/canvas.h"
#include "gfx2d/gfx2d_state.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

using Text = Canvas;

// The first column (from the left) of the area that holds any lit pixel, -1 when none.
int FirstLitColumn(int x, int y, int width, int height) {
    const auto rgb = BackBufferRgb(x, y, width, height);
    for (int column = 0; column < width; ++column) {
        for (int row = 0; row < height; ++row) {
            if (rgb[(static_cast<std::size_t>(row) * width + column) * 3] > 100) return x + column;
        }
    }
    return -1;
}

TEST_F(Text, TheBuiltInFontHasEightByEightCells) {
    LoadBitmapFont("", 2);
    EXPECT_EQ(GetErrorState().errorCode, 3);
    double w = 0, h = 0;
    QueryFontSize(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 8);
    std::int32_t iw = 0, ih = 0;
    QueryFontSizeInt(iw, ih);
    EXPECT_EQ(iw, 8);
    EXPECT_EQ(ih, 8);
    const SpriteRecord& slot = Gfx().sprites[65504 + 2];
    EXPECT_EQ(slot.width, 128);
    EXPECT_EQ(slot.height, 64);
    EXPECT_EQ(slot.texWidth, 128);
    EXPECT_EQ(slot.texHeight, 64);
}

TEST_F(Text, SlotNumbersAreLimitedToZeroToThirtyOne) {
    LoadBitmapFont("", 40);
    EXPECT_EQ(Gfx().currentFont, 31);
    LoadBitmapFont("", -3);
    EXPECT_EQ(Gfx().currentFont, 0);
    SelectFont(99);
    EXPECT_EQ(Gfx().currentFont, 31);
    SelectFont(-1);
    EXPECT_EQ(Gfx().currentFont, 0);
}

TEST_F(Text, TheGridFollowsTheImageShape) {
    struct Case {
        int width, height, cellWidth, cellHeight;
    };
    for (const Case c : {Case{256, 512, 16, 32}, Case{256, 128, 16, 16}, Case{256, 256, 16, 32}}) {
        LoadBitmapFont(File("font.bmp", SolidBmp(c.width, c.height, kWhiteColour)).c_str(), 7);
        ASSERT_EQ(GetErrorState().errorCode, 0);
        std::int32_t w = 0, h = 0;
        QueryFontSizeInt(w, h);
        EXPECT_EQ(w, c.cellWidth) << c.width << "x" << c.height;
        EXPECT_EQ(h, c.cellHeight) << c.width << "x" << c.height;
    }
    LoadBitmapFont("", 7);
}

TEST_F(Text, FractionalPositionsRoundUpAndEveryByteAdvancesOneCell) {
    LoadBitmapFont("", 0);
    // 'l' lights glyph column 2, i.e. the cell's third pixel.
    DrawText("l", 10.2, 20);
    EXPECT_EQ(FirstLitColumn(0, 20, 40, 8), 11 + 3) << "the cell starts at 11";
    DrawText("l  l", 100, 40.5);
    EXPECT_EQ(FirstLitColumn(0, 41, 200, 8), 103);
    EXPECT_EQ(FirstLitColumn(104, 41, 100, 8), 103 + 3 * 8) << "spaces advance like any byte";
    EXPECT_EQ(FirstLitColumn(0, 40, 200, 1), -1) << "y 40.5 starts on row 41";
}

TEST_F(Text, BytesAboveTheCodeRangeWrapAround) {
    LoadBitmapFont("", 0);
    DrawText("H", 0, 0);
    DrawText("\xC8", 0, 20);  // 200 = 128 + 72
    EXPECT_EQ(BackBufferRgb(0, 0, 8, 8), BackBufferRgb(0, 20, 8, 8));
    DrawText("I", 0, 40);
    EXPECT_NE(BackBufferRgb(0, 0, 8, 8), BackBufferRgb(0, 40, 8, 8));
}

TEST_F(Text, GlyphsAreWhiteWithADarkOutline) {
    LoadBitmapFont("", 0);
    FillRect(0, 0, 20, 20, 0x808080);
    DrawText("|", 0, 0);  // code 124: glyph column 2 on rows 0..5
    EXPECT_EQ(BackPixel(3, 1), kWhiteColour);
    EXPECT_EQ(BackPixel(2, 1), 0x080808) << "outline";
    EXPECT_EQ(BackPixel(0, 1), 0x808080) << "transparent";
    EXPECT_EQ(BuiltinGlyphMask(124), 0x00421084u);
}

TEST_F(Text, DrawNumberUsesTheRuntimesNumberText) {
    LoadBitmapFont("", 0);
    DrawNumber(0.5, 0, 0);
    DrawText(NumberToText(0.5), 0, 20);
    EXPECT_EQ(BackBufferRgb(0, 0, 32, 8), BackBufferRgb(0, 20, 32, 8));
}

TEST_F(Text, TheFontsTransparentColourIsBlackUntilChanged) {
    // A white image with a black square: black is cut, the square shows what lies under it.
    std::vector<std::vector<std::int32_t>> image(64, std::vector<std::int32_t>(128, kWhiteColour));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) image[32 + y][x] = 0;  // the cell of code 64
    }
    LoadBitmapFont(File("font.bmp", BmpOf(image)).c_str(), 3);
    ASSERT_EQ(GetErrorState().errorCode, 0);
    FillRect(0, 0, 20, 20, kRedColour);
    DrawText("@A", 0, 0);
    EXPECT_EQ(BackPixel(3, 3), kRedColour);
    EXPECT_EQ(BackPixel(11, 3), kWhiteColour);
    LoadBitmapFont("", 3);
}

TEST_F(Text, TheDefaultSmallFontLiesBesideTheExecutable) {
    // Start-up runs in the executable's folder; the build put the font there.
    LoadBitmapFont("smalfont.png", 1);
    ASSERT_EQ(GetErrorState().errorCode, 0);
    std::int32_t w = 0, h = 0;
    QueryFontSizeInt(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 16);
    FillRect(0, 0, 40, 40, kRedColour);
    DrawText("A", 10, 10);
    EXPECT_EQ(BackPixel(10, 10), kRedColour) << "black is transparent";
    EXPECT_EQ(FirstLitColumn(10, 10, 8, 16), 10) << "the glyph is drawn";
    LoadBitmapFont("", 1);
}

}  // namespace
}  // namespace zrv::test
