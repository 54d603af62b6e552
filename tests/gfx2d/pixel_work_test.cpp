// The work on pixels that needs no OpenGL: colour bleeding, mipmap levels, normal maps,
// the built-in font image, and the image writers read back by the readers.
#include <gtest/gtest.h>

#include <cstring>

#include "gfx2d/builtin_font.h"
#include "gfx2d/image_codecs.h"
#include "gfx2d/texture_prep.h"

namespace zrv::test {
namespace {

using Texels = std::vector<std::uint8_t>;

Texels Fill(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    Texels t(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0; i < t.size(); i += 4) {
        t[i] = r;
        t[i + 1] = g;
        t[i + 2] = b;
        t[i + 3] = a;
    }
    return t;
}

std::uint8_t* At(Texels& t, int width, int x, int y) { return t.data() + (y * width + x) * 4; }

TEST(TexturePrep, PowersOfTwo) {
    EXPECT_EQ(PowerOfTwoAtLeast(1), 2);
    EXPECT_EQ(PowerOfTwoAtLeast(2), 2);
    EXPECT_EQ(PowerOfTwoAtLeast(100), 128);
    EXPECT_EQ(PowerOfTwoAtLeast(21, 32), 32);
    EXPECT_EQ(PowerOfTwoAtLeast(33, 32), 64);
}

TEST(TexturePrep, CopyTurnsTheImageUpsideDownIntoZeroedTexels) {
    DecodedImage image;
    ASSERT_TRUE(PrepareImage(image, 3, 2, DecodeLimits{}));
    for (int i = 0; i < 6; ++i) std::memset(image.pixels.data() + i * 4, i + 1, 4);
    Texels texels(1, 99);
    CopyFlipped(image, 1, 0, 2, 2, 4, 4, texels);
    ASSERT_EQ(texels.size(), 64u);
    EXPECT_EQ(At(texels, 4, 0, 0)[0], 5) << "the image's bottom row comes first";
    EXPECT_EQ(At(texels, 4, 1, 0)[0], 6);
    EXPECT_EQ(At(texels, 4, 0, 1)[0], 2);
    EXPECT_EQ(At(texels, 4, 2, 0)[0], 0);
    EXPECT_EQ(At(texels, 4, 0, 2)[3], 0);
}

TEST(TexturePrep, AnImageLaidOutInItsOwnBufferMatchesTheFlippedCopy) {
    // Padded (5 x 3 into 8 x 4), already a power of two (4 x 2), and cut to a smaller
    // texture (the top-left 3 x 2 of 5 x 3 into 4 x 2).
    const struct {
        int width, height, w, h, texWidth, texHeight;
    } cases[] = {{5, 3, 5, 3, 8, 4}, {4, 2, 4, 2, 4, 2}, {5, 3, 3, 2, 4, 2}};
    for (const auto& c : cases) {
        DecodedImage image;
        ASSERT_TRUE(PrepareImage(image, c.width, c.height, DecodeLimits{}));
        for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i + 1);
        Texels copied;
        CopyFlipped(image, 0, 0, c.w, c.h, c.texWidth, c.texHeight, copied);
        LayOutAsTexture(image, c.w, c.h, c.texWidth, c.texHeight);
        EXPECT_EQ(image.pixels, copied) << c.width << "x" << c.height << " into " << c.texWidth << "x" << c.texHeight;
        EXPECT_EQ(image.width, c.texWidth);
        EXPECT_EQ(image.height, c.texHeight);
    }
}

TEST(TexturePrep, TransparentTexelsTakeTheAverageOfOpaqueInnerNeighbours) {
    Texels t = Fill(4, 4, 50, 60, 70, 0);
    // Two opaque inner texels next to the transparent one at (1, 1)... and one on the edge,
    // which never counts.
    std::memcpy(At(t, 4, 2, 1), "\x64\x00\xC8\xFF", 4);  // 100, 0, 200
    std::memcpy(At(t, 4, 2, 2), "\x00\x64\x00\xFF", 4);  // 0, 100, 0
    std::memcpy(At(t, 4, 0, 0), "\xFF\xFF\xFF\xFF", 4);
    BleedTransparentTexels(t, 4, 4);
    const std::uint8_t* bled = At(t, 4, 1, 1);
    EXPECT_EQ(bled[0], 50);
    EXPECT_EQ(bled[1], 50);
    EXPECT_EQ(bled[2], 100);
    EXPECT_EQ(bled[3], 0) << "alpha stays 0";
    EXPECT_EQ(At(t, 4, 3, 3)[0], 0) << "(3, 3) sees only (2, 2): 0, 100, 0";
    EXPECT_EQ(At(t, 4, 3, 3)[1], 100);
    EXPECT_EQ(At(t, 4, 3, 0)[0], 100) << "(3, 0) sees (2, 1) only";
    EXPECT_EQ(At(t, 4, 1, 3)[1], 100);
    EXPECT_EQ(At(t, 4, 0, 0)[0], 255) << "opaque texels keep their colour";
    // A transparent texel far from any opaque one turns black.
    Texels far = Fill(8, 8, 9, 9, 9, 0);
    BleedTransparentTexels(far, 8, 8);
    EXPECT_EQ(At(far, 8, 4, 4)[0], 0);
}

TEST(TexturePrep, MipLevelsWeighTheFourTexelsFourTwoTwoOne) {
    // 2 x 2: s0 = 90 at (0, 0), sR = 18, sB = 9, sD = 27.
    Texels level = {90, 0, 0, 0, 18, 0, 0, 0, 9, 0, 0, 0, 27, 0, 0, 0};
    NextMipLevel(level, 2);
    ASSERT_EQ(level.size(), 4u);
    EXPECT_EQ(level[0], (4 * 90 + 2 * 18 + 2 * 27 + 9) / 9);
    // Written over the larger level, each texel still reads the larger level's values.
    Texels ramp(8 * 8 * 4);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint8_t>(i * 7 + i / 32);
    const Texels before = ramp;
    NextMipLevel(ramp, 8);
    ASSERT_EQ(ramp.size(), 4u * 4 * 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            for (int c = 0; c < 4; ++c) {
                auto in = [&](int sx, int sy) { return unsigned(before[(sy * 8 + sx) * 4 + c]); };
                const unsigned want = (4 * in(2 * x, 2 * y) + 2 * in(2 * x + 1, 2 * y) + 2 * in(2 * x + 1, 2 * y + 1) +
                                       in(2 * x, 2 * y + 1)) / 9;
                ASSERT_EQ(At(ramp, 4, x, y)[c], want) << x << "," << y << "," << c;
            }
        }
    }
}

TEST(TexturePrep, WideTexelsAreHalvedToASquareByPairs) {
    Texels t = Fill(4, 1, 0, 0, 0, 0);
    for (int x = 0; x < 4; ++x) At(t, 4, x, 0)[0] = static_cast<std::uint8_t>(x * 10 + 1);
    int width = 4, height = 1;
    MakeSquare(t, width, height);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);
    // (1 + 11) / 2 = 6, (21 + 31) / 2 = 26, (6 + 26) / 2 = 16.
    EXPECT_EQ(t[0], 16);
    Texels tall = Fill(2, 8, 200, 0, 0, 255);
    width = 2;
    height = 8;
    MakeSquare(tall, width, height);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(tall.size(), 16u);
}

TEST(TexturePrep, NormalMapOfASlopeLeansAgainstIt) {
    // Heights rise to the right: the surface faces left (negative x).
    Texels t = Fill(4, 4, 0, 0, 0, 77);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) At(t, 4, x, y)[2] = static_cast<std::uint8_t>(x * 20);
    }
    Texels normals = t;
    MakeNormalMap(normals, 4, 4);
    const std::uint8_t* inner = At(normals, 4, 1, 1);
    EXPECT_LT(inner[0], 127);
    EXPECT_EQ(inner[1], 127);
    EXPECT_GT(inner[2], 127);
    EXPECT_EQ(inner[3], 77);
    EXPECT_GT(At(normals, 4, 0, 1)[0], 127) << "heights wrap around: the left edge sees 60 on its left";
}

TEST(BuiltinFont, GlyphsSitOneInFromTheirCellWithAnOutline) {
    DecodedImage font;
    MakeBuiltinFont(font);
    ASSERT_EQ(font.width, 128);
    ASSERT_EQ(font.height, 64);
    auto pixel = [&](int x, int y) { return font.Row(y)[x * 4] | font.Row(y)[x * 4 + 3] << 8; };
    // 'A' (65): cell column 1, cell row 4; glyph row 0 is ".###." at cell (2..4, 1).
    const int left = 16, top = 32;
    EXPECT_EQ(pixel(left + 2, top + 1), 255 | 255 << 8);
    EXPECT_EQ(pixel(left + 1, top + 1), 8 | 255 << 8) << "outline left of the glyph";
    EXPECT_EQ(pixel(left + 2, top + 0), 8 | 255 << 8) << "outline above";
    EXPECT_EQ(pixel(left + 0, top + 0), 0) << "transparent";
    EXPECT_EQ(pixel(left + 7, top + 1), 0) << "the eighth column is never drawn";
    // Codes below 32 stay empty.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 128; ++x) ASSERT_EQ(pixel(x, y), 0) << x << "," << y;
    }
    EXPECT_EQ(BuiltinGlyphMask(31), 0u);
    EXPECT_EQ(BuiltinGlyphMask(128), 0u);
}

// A 2 x 2 frame from the bottom up: bottom row red, key; top row green, blue.
struct Frame {
    std::uint8_t bgr[12] = {0, 0, 255, 128, 0, 255, 0, 255, 0, 255, 0, 0};
    BgrFrame View() const { return BgrFrame{bgr, 2, 2, 2}; }
};

TEST(ImageWriters, PngRowsAreTurnedTopDownWithTheKeyAsAlpha) {
    Frame frame;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(EncodePng(frame.View(), KeyInFramebuffer{128, 0, 255}, file));
    DecodedImage image;
    ASSERT_TRUE(DecodePng(file, "w.png", kNoKeyColour, image));
    EXPECT_EQ(image.Row(0)[1], 255) << "top row: green";
    EXPECT_EQ(image.Row(1)[0], 255) << "bottom row: red";
    EXPECT_EQ(image.Row(1)[3], 255);
    EXPECT_EQ(image.Row(1)[7], 0) << "the key pixel is transparent";
    // A key whose red is 0 makes everything opaque.
    ASSERT_TRUE(EncodePng(frame.View(), KeyInFramebuffer{128, 0, 0}, file));
    ASSERT_TRUE(DecodePng(file, "w.png", kNoKeyColour, image));
    EXPECT_EQ(image.Row(1)[7], 255);
}

TEST(ImageWriters, BmpIsTwentyFourBitsBottomUpWithTheKeyWrittenAsTheDefaultKey) {
    Frame frame;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(EncodeBmp(frame.View(), KeyInFramebuffer{128, 0, 255}, file));
    ASSERT_EQ(file.size(), 54u + 2 * 8);
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(file[38], 0x10);  // 10000 pixels per metre
    EXPECT_EQ(file[39], 0x27);
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(file, 0x8000FF, image));
    EXPECT_EQ(image.Row(1)[0], 255);
    EXPECT_EQ(image.Row(1)[7], 0) << "loads transparent again";
    EXPECT_EQ(image.Row(0)[6], 255) << "top row: blue second";
    // A key the framebuffer shows differently (e.g. fewer colour bits) maps back too.
    frame.bgr[3] = 120;
    ASSERT_TRUE(EncodeBmp(frame.View(), KeyInFramebuffer{120, 0, 255}, file));
    EXPECT_EQ(file[54 + 3], 128);
}

TEST(ImageWriters, OnlyNamesEndingInDotPngInAnyCaseArePng) {
    EXPECT_TRUE(NamesPng("a.png"));
    EXPECT_TRUE(NamesPng("shot.PnG"));
    EXPECT_FALSE(NamesPng(".png")) << "not longer than four characters";
    EXPECT_FALSE(NamesPng("a.bmp"));
    EXPECT_FALSE(NamesPng("apng"));
    EXPECT_FALSE(NamesPng("a.png.bak"));
}

}  // namespace
}  // namespace zrv::test
