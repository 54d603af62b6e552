// Polygons, saving the screen and sprites, and image files reached through "mem://" names.
#include <GL/gl.h>

#include <cmath>

#include "gfx2d/canvas.h"
#include "gfx2d/gfx2d_state.h"
#include "gfx2d/image_codecs.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

using Polygons = Canvas;
using ImageFiles = Canvas;

constexpr std::int32_t R = kRedColour, G = kGreenColour, B = kBlueColour, W = kWhiteColour, K = kKeyColour;

TEST_F(Polygons, AnUntexturedFanTakesItsVertexColours) {
    BeginPolygon(-1);
    AddPolygonVertex(10, 10, 0, 0, R);
    AddPolygonVertex(10, 50, 0, 0, R);
    AddPolygonVertex(50, 50, 0, 0, R);
    AddPolygonVertex(50, 10, 0, 0, R);
    EndPolygon();
    EXPECT_EQ(BackPixel(30, 30), R);
    EXPECT_EQ(BackPixel(9, 30), 0);
    EXPECT_EQ(BackPixel(51, 30), 0);
    // Smooth shading between differently coloured corners.
    BeginPolygon(-1);
    AddPolygonVertex(100, 10, 0, 0, 0);
    AddPolygonVertex(100, 20, 0, 0, 0);
    AddPolygonVertex(300, 20, 0, 0, W);
    AddPolygonVertex(300, 10, 0, 0, W);
    EndPolygon();
    EXPECT_NEAR(BackPixel(200, 15) & 0xFF, 128, 4);
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(Polygons, TextureCoordinatesArePixelsOfTheImageFromItsTop) {
    SetSmoothing(0);
    LoadSprite(50, BmpOf({{R, R, G, G}, {R, R, G, G}, {B, B, W, W}, {B, B, W, W}}));
    // The lower half of the image (rows 2..4) stretched over 40 x 40.
    BeginPolygon(50);
    AddPolygonVertex(100, 100, 0, 2, W);
    AddPolygonVertex(100, 140, 0, 4, W);
    AddPolygonVertex(140, 140, 4, 4, W);
    AddPolygonVertex(140, 100, 4, 2, W);
    EndPolygon();
    EXPECT_EQ(BackPixel(105, 105), B);
    EXPECT_EQ(BackPixel(135, 135), W);
    // A vertex in the transparent colour fades its corner out.
    BeginPolygon(-1);
    AddPolygonVertex(200, 100, 0, 0, K);
    AddPolygonVertex(200, 110, 0, 0, K);
    AddPolygonVertex(210, 110, 0, 0, K);
    EndPolygon();
    EXPECT_EQ(BackPixel(202, 108), 0);
}

TEST_F(Polygons, ManyVerticesGrowTheBuffer) {
    BeginPolygon(-1);
    AddPolygonVertex(320, 240, 0, 0, G);
    for (int i = 0; i <= 1000; ++i) {
        const double a = -i * 2 * 3.14159265358979 / 1000;
        AddPolygonVertex(320 + static_cast<int>(100 * std::cos(a)), 240 + static_cast<int>(100 * std::sin(a)), 0, 0, G);
    }
    EndPolygon();
    EXPECT_EQ(Gfx().polygon.size(), 1002u);
    EXPECT_EQ(Gfx().polygon.capacity() % 128, 0u);
    EXPECT_EQ(BackPixel(320, 240), G);
    EXPECT_EQ(BackPixel(320, 170), G);
    EXPECT_EQ(BackPixel(320, 120), 0);
}

TEST_F(ImageFiles, ScreenSavesAsPngForAnyCaseOfTheExtensionAndAsBmpOtherwise) {
    FillRect(0, 0, 640, 480, 0x102030);
    FillRect(0, 0, 10, 10, K);
    PresentFrame();  // what is saved is the frame on show
    const std::string png = folder_ / "shot.PnG";
    SaveScreenImage(png.c_str());
    EXPECT_EQ(GetErrorState().errorCode, 0);
    const std::string bytes = ReadFile(png);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    DecodedImage image;
    ASSERT_TRUE(DecodePng(Bytes(bytes.begin(), bytes.end()), "shot", kNoKeyColour, image));
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 480);
    const std::uint8_t* corner = image.Row(2) + 2 * 4;
    EXPECT_EQ(corner[3], 0) << "the transparent colour saves transparent";
    const std::uint8_t* middle = image.Row(300) + 300 * 4;
    EXPECT_EQ(middle[0], 0x30);
    EXPECT_EQ(middle[1], 0x20);
    EXPECT_EQ(middle[2], 0x10);
    EXPECT_EQ(middle[3], 255);

    for (const char* name : {"shot.bmp", "shot"}) {
        SaveScreenImage((folder_ / name).c_str());
        EXPECT_EQ(GetErrorState().errorCode, 0);
        const std::string bmp = ReadFile(folder_ / name);
        ASSERT_GE(bmp.size(), 54u) << name;
        EXPECT_EQ(bmp.substr(0, 2), "BM") << name;
        EXPECT_EQ(bmp.size(), 54u + 640 * 480 * 3) << name;
    }
    const std::string bmp = ReadFile(folder_ / "shot");
    ASSERT_TRUE(DecodeBmp(Bytes(bmp.begin(), bmp.end()), K, image));
    EXPECT_EQ(image.Row(5)[5 * 4 + 3], 0) << "written as the transparent colour again";
}

TEST_F(ImageFiles, SpriteSavesItsImageOnly) {
    LoadSprite(51, BmpOf({{R, G, B}, {W, R, G}}));
    const std::string name = folder_ / "sprite.png";
    SaveSpriteImage(name.c_str(), 51);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    LoadSpriteImage(name.c_str(), 52);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    std::int32_t w = 0, h = 0;
    QuerySpriteSizeInt(52, w, h);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    SetSmoothing(0);
    DrawSprite(52, 0, 0);
    EXPECT_EQ(BackPixel(0, 0), R);
    EXPECT_EQ(BackPixel(2, 0), B);
    EXPECT_EQ(BackPixel(0, 1), W);

    SaveSpriteImage((folder_ / "empty.png").c_str(), 30001);
    EXPECT_EQ(GetErrorState().errorCode, 3);
}

TEST_F(ImageFiles, MemoryNamesLoadButNeverSave) {
    const Bytes jpeg = MakeJpeg(16, 16, 3, Bytes(16 * 16 * 3, 200));
    const RtString name = RegisterMemoryFile(jpeg.data(), static_cast<std::int32_t>(jpeg.size()));
    ASSERT_EQ(std::string(name.c_str()).substr(0, 6), "mem://");
    LoadSpriteImage(name, 53);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    std::int32_t w = 0, h = 0;
    QuerySpriteSizeInt(53, w, h);
    EXPECT_EQ(w, 16);
    DrawSprite(53, 0, 0);
    EXPECT_NEAR(BackPixel(8, 8) & 0xFF, 200, 3);

    SaveScreenImage(name);
    EXPECT_EQ(GetErrorState().errorCode, 3);
    SaveSpriteImage("mem://00000010.00001000.png", 53);
    EXPECT_EQ(GetErrorState().errorCode, 3);
    ReleaseMemoryFile(name);
}

TEST_F(ImageFiles, KeyColourCutsBmpPixelsButNotAnRgbaPng) {
    FillRect(0, 0, 40, 40, W);
    LoadSprite(54, BmpOf({{K}}));
    LoadSprite(55, MakePng({1, 1, 6, 8, {}, {}, {{255, 0, 128, 255}}}));
    DrawSprite(54, 0, 0);
    DrawSprite(55, 10, 0);
    EXPECT_EQ(BackPixel(0, 0), W);
    EXPECT_EQ(BackPixel(10, 0), K);
}

}  // namespace
}  // namespace zrv::test
