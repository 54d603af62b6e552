// The image readers on files made in the test: formats, depths, row order, the
// transparent colour, and files whose headers lie.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <string>

#include "files/little_endian.h"
#include "gfx2d/image_codecs.h"
#include "support/image_builders.h"

namespace zrv::test {
namespace {

constexpr std::int32_t kDefaultKey = 0x8000FF;  // red 255, green 0, blue 128

struct Rgba {
    int r, g, b, a;
    bool operator==(const Rgba&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgba& p) {
    return out << "(" << p.r << "," << p.g << "," << p.b << "," << p.a << ")";
}

Rgba PixelAt(const DecodedImage& image, int x, int y) {
    const std::uint8_t* p = image.Row(y) + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kKey{255, 0, 128};

// ---- BMP ------------------------------------------------------------------------------

TEST(BmpReader, TwentyFourBitsFivePixelsWideReadsSixteenByteRows) {
    BmpLayout layout{5, 2, 24, {}, {Row24({kRed, kGreen, kBlue, kWhite, kRed}), Row24({kBlue, kBlue, kBlue, kBlue, kGreen})}};
    Bytes file = MakeBmp(layout);
    ASSERT_EQ(file.size(), 54u + 2 * 16);
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(file, kNoKeyColour, image));
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(PixelAt(image, 3, 0), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 4, 1), (Rgba{0, 255, 0, 255}));
    // One byte short of the last padded row: the file no longer holds its pixel data.
    file.pop_back();
    EXPECT_FALSE(DecodeBmp(file, kNoKeyColour, image));
    EXPECT_EQ(image.width, 0);
}

TEST(BmpReader, OneBitEightWideUsesFourByteRowsAndMostSignificantBitFirst) {
    BmpLayout layout{8, 1, 1, {kBlue, kWhite}, {{0b10100000}}};
    const Bytes file = MakeBmp(layout);
    ASSERT_EQ(file.size(), 54u + 8 + 4);
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(file, kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(PixelAt(image, 2, 0), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 7, 0), (Rgba{0, 0, 255, 255}));
}

TEST(BmpReader, OneBitRowsWiderThanFourBytesAreNotReadPastTheirEnd) {
    // 33 pixels need 5 bytes, padded to 8; the last pixel sits in the fifth byte.
    BmpLayout layout{33, 2, 1, {kBlue, kWhite}, {{0, 0, 0, 0, 0x80}, {0xFF, 0xFF, 0xFF, 0xFF, 0x00}}};
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(MakeBmp(layout), kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 32, 0), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 32, 1), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(PixelAt(image, 31, 1), (Rgba{255, 255, 255, 255}));
}

TEST(BmpReader, FourBitHighNibbleFirstAndEightBitIndexes) {
    BmpLayout four{3, 1, 4, {kRed, kGreen, kBlue}, {{0x12, 0x00}}};
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(MakeBmp(four), kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(PixelAt(image, 2, 0), (Rgba{255, 0, 0, 255}));

    // Index 200 lies past the three entries the file has: black, never a read outside it.
    BmpLayout eight{3, 1, 8, {kRed, kGreen, kBlue}, {{2, 200, 0}}};
    ASSERT_TRUE(DecodeBmp(MakeBmp(eight), kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(PixelAt(image, 2, 0), (Rgba{255, 0, 0, 255}));
}

TEST(BmpReader, ThirtyTwoBitsIgnoresTheFourthByte) {
    BmpLayout layout{2, 1, 32, {}, {{10, 20, 30, 0, 40, 50, 60, 99}}};
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(MakeBmp(layout), kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{30, 20, 10, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{60, 50, 40, 255}));
}

TEST(BmpReader, NegativeHeightKeepsTheRowOrderOfAPositiveOne) {
    BmpLayout up{1, 2, 24, {}, {Row24({kRed}), Row24({kBlue})}};
    BmpLayout down = up;
    down.height = -2;
    DecodedImage a, b;
    ASSERT_TRUE(DecodeBmp(MakeBmp(up), kNoKeyColour, a));
    ASSERT_TRUE(DecodeBmp(MakeBmp(down), kNoKeyColour, b));
    EXPECT_EQ(b.height, 2);
    EXPECT_EQ(PixelAt(a, 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(PixelAt(b, 0, 0), PixelAt(a, 0, 0));
    EXPECT_EQ(PixelAt(b, 0, 1), PixelAt(a, 0, 1));
}

TEST(BmpReader, TheTransparentColourBecomesTransparentBlack) {
    BmpLayout layout{2, 1, 24, {}, {Row24({kKey, kRed})}};
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(MakeBmp(layout), kDefaultKey, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{255, 0, 0, 255}));
    ASSERT_TRUE(DecodeBmp(MakeBmp(layout), kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 0, 128, 255}));
    // Palette images compare the colour the entry gives.
    BmpLayout indexed{1, 1, 8, {kKey}, {{0}}};
    ASSERT_TRUE(DecodeBmp(MakeBmp(indexed), kDefaultKey, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0, 0, 0, 0}));
}

TEST(BmpReader, OldTwelveByteHeaderIsReadWithItsOwnFields) {
    // 2 x 1 pixels, 8 bits, a palette of 256 three-byte entries, pixel data at its offset.
    Bytes file{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    const std::uint32_t offset = 14 + 12 + 256 * 3;
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(offset >> (8 * i)));
    const Bytes core{12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 8, 0};
    file.insert(file.end(), core.begin(), core.end());
    for (int i = 0; i < 256; ++i) {
        file.push_back(static_cast<std::uint8_t>(i));  // blue
        file.push_back(0);
        file.push_back(static_cast<std::uint8_t>(255 - i));  // red
    }
    file.insert(file.end(), {1, 2, 0, 0});
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(file, kNoKeyColour, image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{254, 0, 1, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{253, 0, 2, 255}));
}

TEST(BmpReader, HeadersThatDisagreeWithTheFileFail) {
    const Bytes good = MakeBmp({2, 2, 24, {}, {Row24({kRed, kRed}), Row24({kRed, kRed})}});
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(good, kNoKeyColour, image));
    auto with = [&](std::size_t at, std::uint32_t value, int size = 4) {
        Bytes b = good;
        if (size == 4) StoreLittleEndian<std::uint32_t>(value, b.data() + at);
        else StoreLittleEndian<std::uint16_t>(static_cast<std::uint16_t>(value), b.data() + at);
        return b;
    };
    EXPECT_FALSE(DecodeBmp(with(0, 0x4D42 ^ 0x0100, 2), kNoKeyColour, image)) << "signature";
    EXPECT_FALSE(DecodeBmp(with(28, 16, 2), kNoKeyColour, image)) << "16 bits per pixel";
    EXPECT_FALSE(DecodeBmp(with(18, 0), kNoKeyColour, image)) << "width 0";
    EXPECT_FALSE(DecodeBmp(with(18, 0xFFFFFFFE), kNoKeyColour, image)) << "negative width";
    EXPECT_FALSE(DecodeBmp(with(22, 0), kNoKeyColour, image)) << "height 0";
    EXPECT_FALSE(DecodeBmp(with(22, 0x80000000), kNoKeyColour, image)) << "height whose magnitude overflows";
    EXPECT_FALSE(DecodeBmp(with(18, 0x7FFFFFFF), kNoKeyColour, image)) << "row size overflowing 32 bits";
    EXPECT_FALSE(DecodeBmp(with(10, 0xFFFFFFF0), kNoKeyColour, image)) << "pixel data offset past the end";
    EXPECT_FALSE(DecodeBmp(with(10, static_cast<std::uint32_t>(good.size()) - 8), kNoKeyColour, image))
        << "pixel data starting too late to hold every row";
    EXPECT_FALSE(DecodeBmp(ByteSpan(good.data(), 30), kNoKeyColour, image)) << "cut inside the header";
    EXPECT_FALSE(DecodeBmp(ByteSpan(good.data(), 2), kNoKeyColour, image)) << "only the signature";
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
}

// ---- PNG ------------------------------------------------------------------------------

TEST(PngReader, RgbTakesTheTransparentColourButRgbaKeepsItsAlpha) {
    PngLayout rgb{2, 1, PNG_COLOR_TYPE_RGB, 8, {}, {}, {{255, 0, 128, 1, 2, 3}}};
    DecodedImage image;
    ASSERT_TRUE(DecodePng(MakePng(rgb), "rgb.png", kDefaultKey, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{1, 2, 3, 255}));

    PngLayout rgba{2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {}, {}, {{255, 0, 128, 255, 9, 8, 7, 6}}};
    ASSERT_TRUE(DecodePng(MakePng(rgba), "rgba.png", kDefaultKey, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 0, 128, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{9, 8, 7, 6}));
}

TEST(PngReader, SixteenBitSamplesAreReducedToEight) {
    PngLayout layout{1, 2, PNG_COLOR_TYPE_RGB, 16, {}, {}, {{0xAB, 0xCD, 0x12, 0x34, 0xFF, 0xFF}, {0, 1, 0x80, 0, 0x7F, 0xFF}}};
    DecodedImage image;
    ASSERT_TRUE(DecodePng(MakePng(layout), "deep.png", kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0xAB, 0x12, 0xFF, 255}));
    EXPECT_EQ(PixelAt(image, 0, 1), (Rgba{0x00, 0x80, 0x7F, 255}));
}

TEST(PngReader, PaletteImagesLoadAsRgbAndTheirTransparencyAsAlpha) {
    PngLayout layout{3, 1, PNG_COLOR_TYPE_PALETTE, 8, {kRed, kGreen, kBlue}, {}, {{2, 0, 1}}};
    DecodedImage image;
    ASSERT_TRUE(DecodePng(MakePng(layout), "pal.png", kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{255, 0, 0, 255}));

    layout.transparency = {255, 0};
    ASSERT_TRUE(DecodePng(MakePng(layout), "pal.png", kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(PixelAt(image, 2, 0), (Rgba{0, 255, 0, 0}));

    // Two bits per index, unpacked.
    PngLayout packed{4, 1, PNG_COLOR_TYPE_PALETTE, 2, {kRed, kGreen, kBlue, kWhite}, {}, {{0b00011011}}};
    ASSERT_TRUE(DecodePng(MakePng(packed), "pal2.png", kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(PixelAt(image, 3, 0), (Rgba{255, 255, 255, 255}));
}

TEST(PngReader, LowDepthGreyIsWidenedToEightBits) {
    PngLayout layout{8, 1, PNG_COLOR_TYPE_GRAY, 1, {}, {}, {{0b01000000}}};
    DecodedImage image;
    ASSERT_TRUE(DecodePng(MakePng(layout), "g1.png", kNoKeyColour, image));
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgba{255, 255, 255, 255}));
}

TEST(PngReader, GreyWithAlphaIsRejectedWithTwoLines) {
    PngLayout layout{1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {}, {}, {{7, 9}}};
    DecodedImage image;
    testing::internal::CaptureStdout();
    const bool loaded = DecodePng(MakePng(layout), "media/ga.png", kNoKeyColour, image);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(loaded);
    EXPECT_EQ(printed, "File media/ga.png has unsupported color type.\nTypes GRAY, RGB and RGB_ALPHA are supported.\n");
}

TEST(PngReader, DamagedFilesFailQuietly) {
    PngLayout layout{4, 4, PNG_COLOR_TYPE_RGB, 8, {}, {}, std::vector<Bytes>(4, Bytes(12, 77))};
    const Bytes good = MakePng(layout);
    DecodedImage image;
    ASSERT_TRUE(DecodePng(good, "x.png", kNoKeyColour, image));

    testing::internal::CaptureStdout();
    EXPECT_FALSE(DecodePng(ByteSpan(good.data(), good.size() - 20), "x.png", kNoKeyColour, image)) << "truncated";
    Bytes crc = good;
    crc[good.size() - 20] ^= 0x40;  // inside the image data chunk
    EXPECT_FALSE(DecodePng(crc, "x.png", kNoKeyColour, image)) << "checksum";
    Bytes huge = good;
    // Width and height of 30000 promise far more image data than the file carries.
    StoreLittleEndian<std::uint32_t>(__builtin_bswap32(30000), huge.data() + 16);
    StoreLittleEndian<std::uint32_t>(__builtin_bswap32(30000), huge.data() + 20);
    EXPECT_FALSE(DecodePng(huge, "x.png", kNoKeyColour, image)) << "sizes beyond the data";
    EXPECT_FALSE(DecodePng(MakeBmp({1, 1, 24, {}, {Row24({kRed})}}), "x.png", kNoKeyColour, image)) << "a BMP";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(image.width, 0);
}

// ---- JPEG -----------------------------------------------------------------------------

Bytes Gradient(int width, int height, int components) {
    Bytes samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t values[3] = {static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 8), 100};
            samples.insert(samples.end(), values, values + components);
        }
    }
    return samples;
}

TEST(JpegReader, ColourAndGreyFilesDecodeCloseToTheirSamples) {
    DecodedImage image;
    ASSERT_TRUE(DecodeJpeg(MakeJpeg(16, 8, 3, Gradient(16, 8, 3)), image));
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 8);
    const Rgba p = PixelAt(image, 10, 5);
    EXPECT_NEAR(p.r, 80, 6);
    EXPECT_NEAR(p.g, 40, 6);
    EXPECT_NEAR(p.b, 100, 6);
    EXPECT_EQ(p.a, 255);

    ASSERT_TRUE(DecodeJpeg(MakeJpeg(16, 8, 1, Gradient(16, 8, 1)), image));
    const Rgba g = PixelAt(image, 12, 0);
    EXPECT_NEAR(g.r, 96, 4);
    EXPECT_EQ(g.r, g.g);
    EXPECT_EQ(g.g, g.b);
    EXPECT_EQ(g.a, 255);
}

TEST(JpegReader, BrokenFilesFailInsteadOfEndingTheProcess) {
    const Bytes good = MakeJpeg(32, 32, 3, Gradient(32, 32, 3));
    DecodedImage image;
    EXPECT_FALSE(DecodeJpeg(ByteSpan(good.data(), good.size() / 2), image)) << "cut in the middle";
    EXPECT_FALSE(DecodeJpeg(ByteSpan(good.data(), 40), image)) << "cut in the headers";
    Bytes garbage{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0x13, 0x37};
    EXPECT_FALSE(DecodeJpeg(garbage, image)) << "a bad marker segment";
    EXPECT_FALSE(DecodeJpeg(MakePng({1, 1, PNG_COLOR_TYPE_RGB, 8, {}, {}, {{1, 2, 3}}}), image)) << "a PNG";
    EXPECT_EQ(image.width, 0);
    // The reader still works afterwards.
    EXPECT_TRUE(DecodeJpeg(good, image));
}

TEST(JpegReader, SizesBeyondTheLimitAreRefusedBeforeDecoding) {
    const Bytes file = MakeJpeg(64, 64, 3, Gradient(64, 64, 3));
    DecodedImage image;
    DecodeLimits small;
    small.maxPixels = 64 * 63;
    EXPECT_FALSE(DecodeJpeg(file, image, small));
    small.maxPixels = 64 * 64;
    EXPECT_TRUE(DecodeJpeg(file, image, small));
}

}  // namespace
}  // namespace zrv::test
