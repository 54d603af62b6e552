// Run-length encoded BMPs against ImageMagick: its RLE8 files must decode to exactly the
// pixels of its uncompressed ones, and streams written here with every code of both
// encodings (it writes no RLE4 and no deltas) must decode as ImageMagick decodes them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "files/little_endian.h"
#include "gfx2d/image_codecs.h"
#include "support/image_builders.h"
#include "support/temp_dir.h"

namespace zrv::test {
namespace {

constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

// ImageMagick, the reference, is a tool of the Linux build machine: the Windows build runs
// the tests below that need none (the decoder is the same code on both systems).
#ifndef _WIN32
bool Magick(const std::string& arguments) { return std::system(("convert " + arguments).c_str()) == 0; }

Bytes Load(const std::string& path) {
    const std::string file = ReadFile(path);
    return Bytes(file.begin(), file.end());
}

std::uint32_t Compression(const Bytes& bmp) { return LoadLittleEndian<std::uint32_t>(bmp.data() + 30); }

DecodedImage Decode(const Bytes& bmp) {
    DecodedImage image;
    EXPECT_TRUE(DecodeBmp(bmp, kNoKeyColour, image));
    return image;
}

// The first pixel in which two images differ, or "" when they are the same.
std::string FirstDifference(const DecodedImage& a, const DecodedImage& b) {
    if (a.width != b.width || a.height != b.height) {
        return "size " + std::to_string(a.width) + "x" + std::to_string(a.height) + " against " +
               std::to_string(b.width) + "x" + std::to_string(b.height);
    }
    for (std::int32_t y = 0; y < a.height; ++y) {
        for (std::int32_t x = 0; x < a.width; ++x) {
            if (std::memcmp(a.Row(y) + x * 4, b.Row(y) + x * 4, 4) != 0) {
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return "";
}
#endif

std::vector<Rgb> Palette(int entries) {
    std::vector<Rgb> palette;
    for (int i = 0; i < entries; ++i) {
        palette.push_back({static_cast<std::uint8_t>(i * 37 + 11), static_cast<std::uint8_t>(i * 91 + 5),
                           static_cast<std::uint8_t>(255 - i * 13)});
    }
    return palette;
}

#ifndef _WIN32
TEST(BmpRle, ImageMagicksRle8FilesMatchItsUncompressedOnesPixelForPixel) {
    TempDir folder;
    // Noise for absolute runs, flat areas for encoded runs longer than 255 pixels, and an
    // odd width for the padding of odd absolute runs.
    ASSERT_TRUE(Magick("-size 301x41 -seed 7 plasma:fractal -fill '#203040' -draw 'rectangle 0,8 300,14' "
                       "-fill '#f0e0d0' -draw 'circle 150,20 160,30' -colors 200 " + folder / "source.png"));
    ASSERT_TRUE(Magick(folder / "source.png" + " -type Palette -compress RLE BMP3:" + folder / "rle8.bmp"));
    ASSERT_TRUE(Magick(folder / "source.png" + " -type Palette -compress None BMP3:" + folder / "plain8.bmp"));
    const Bytes rle = Load(folder / "rle8.bmp");
    const Bytes plain = Load(folder / "plain8.bmp");
    ASSERT_EQ(Compression(rle), kRle8);
    ASSERT_EQ(Compression(plain), 0u);

    const DecodedImage fromRle = Decode(rle);
    EXPECT_EQ(fromRle.width, 301);
    EXPECT_EQ(FirstDifference(fromRle, Decode(plain)), "");
}

// Each stream uses encoded and absolute runs (odd ones with their padding byte), end of
// line, a delta that skips pixels and rows, and end of bitmap before the last row is full.
TEST(BmpRle, EveryCodeOfBothDepthsDecodesAsImageMagickDecodesIt) {
    TempDir folder;
    struct RleFile {
        const char* name;
        BmpLayout layout;
        std::uint32_t compression;
        Bytes stream;
    };
    const RleFile files[] = {
        {"rle4", {13, 5, 4, Palette(16), {}}, kRle4,
         {5, 0x12,                                  // 1 2 1 2 1
          0, 7, 0x34, 0x56, 0x78, 0x90,             // absolute 3 4 5 6 7 8 9
          1, 0xA0, 0, 0,                            // A, end of line
          0, 5, 0x12, 0x34, 0x50, 0,                // absolute 1 2 3 4 5, padded
          0, 2, 3, 1,                               // delta: 3 right, 1 up
          4, 0xEF, 0, 0,                            // E F E F, end of line
          13, 0x77, 0, 0,                           // a whole row
          2, 0x3C, 0, 1}},                          // 3 C, end of bitmap
        {"rle8", {9, 4, 8, Palette(256), {}}, kRle8,
         {3, 5, 0, 3, 7, 8, 9, 0, 3, 1, 0, 0,       // 5 5 5, absolute 7 8 9 padded, 1 1 1
          0, 2, 2, 1,                               // delta from the start of row 1
          4, 200, 0, 0,                             // 200 x 4, end of line
          0, 9, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0,       // absolute, padded
          0, 1}},
    };
    for (const RleFile& file : files) {
        SCOPED_TRACE(file.name);
        const BmpLayout& layout = file.layout;
        const Bytes bmp = MakeCompressedBmp(layout, file.compression, file.stream);
        const std::string path = folder / (std::string(file.name) + ".bmp");
        StoreFile(path, bmp);
        const std::string reference = folder / (std::string(file.name) + "-magick.bmp");
        // An end of bitmap before the last row makes ImageMagick warn and fail, but it writes
        // the image all the same.
        Magick("-quiet " + path + " -type TrueColor -compress None BMP3:" + reference + " 2>/dev/null");
        ASSERT_TRUE(std::filesystem::exists(reference));
        const DecodedImage mine = Decode(bmp);
        EXPECT_EQ(FirstDifference(mine, Decode(Load(reference))), "");
        // Skipped by the delta (row 2 from the top in both): the first palette entry.
        const Rgb& first = layout.palette[0];
        EXPECT_EQ(mine.Row(2)[0], first.red);
        EXPECT_EQ(mine.Row(2)[2], first.blue);
    }
}

#endif

TEST(BmpRle, StreamsThatOverrunTheImageAreClippedAndCutOnesFail) {
    const auto decode = [](std::uint32_t bits, std::uint32_t compression, const Bytes& stream, DecodedImage& image) {
        const BmpLayout layout{4, 2, static_cast<std::uint16_t>(bits), Palette(16), {}};
        return DecodeBmp(MakeCompressedBmp(layout, compression, stream), kNoKeyColour, image);
    };
    const auto red = [](const DecodedImage& image, int x, int y) { return image.Row(y)[x * 4]; };
    const std::vector<Rgb> palette = Palette(16);
    DecodedImage image;

    // A run of 20 in rows of 4 stays in its row; the next line starts clean.
    ASSERT_TRUE(decode(8, kRle8, {20, 3, 0, 0, 1, 5, 0, 1}, image));
    EXPECT_EQ(red(image, 3, 1), palette[3].red);
    EXPECT_EQ(red(image, 0, 0), palette[5].red);
    EXPECT_EQ(red(image, 1, 0), palette[0].red);
    // Absolute runs and deltas beyond the row end are dropped too, a delta past the top row
    // ends the image, and what follows it is never read.
    ASSERT_TRUE(decode(4, kRle4, {0, 2, 250, 0, 0, 6, 0x12, 0x34, 0x56, 0, 0, 2, 0, 9, 0xFF}, image));
    EXPECT_EQ(red(image, 0, 1), palette[0].red);
    EXPECT_EQ(red(image, 3, 0), palette[0].red);
    ASSERT_TRUE(decode(8, kRle8, {4, 9, 0, 0, 4, 9}, image)) << "the last row ends the stream";

    EXPECT_FALSE(decode(8, kRle8, {4, 9, 0, 0}, image)) << "ends before the last row";
    EXPECT_EQ(image.width, 0);
    EXPECT_FALSE(decode(8, kRle8, {0, 5, 1, 2, 3}, image)) << "absolute run cut short";
    EXPECT_FALSE(decode(4, kRle4, {0, 2, 1}, image)) << "delta cut short";
    EXPECT_FALSE(decode(8, kRle8, {4}, image)) << "half a code";
    EXPECT_FALSE(decode(8, kRle8, {}, image)) << "no data";
    EXPECT_FALSE(decode(4, kRle8, {4, 1, 0, 1}, image)) << "RLE8 code on a 4-bit image";
    EXPECT_FALSE(decode(8, kRle4, {4, 1, 0, 1}, image)) << "RLE4 code on an 8-bit image";
}

}  // namespace
}  // namespace zrv::test
