// Whole frames of drawing scenes compared with reference pictures (support/reference_picture.h
// says how they are made and how closely they must match).
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cmath>

#include "gfx2d/canvas.h"
#include "gfx2d/quad_batch.h"
#include "support/reference_picture.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

class ReferenceScenes : public Canvas {
protected:
    void ExpectMatchesReference(const std::string& name);
};

// A 32 x 32 test card: colour ramps, a white frame, a transparent hole and a notch that
// shows which way up it is.
Bytes TestCard() {
    std::vector<std::vector<std::int32_t>> rows(32, std::vector<std::int32_t>(32));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            std::int32_t c = (x * 8) | (y * 8) << 8 | 0x60 << 16;
            if (x == 0 || y == 0 || x == 31 || y == 31) c = kWhiteColour;
            if (x >= 12 && x < 20 && y >= 12 && y < 20) c = kKeyColour;
            if (x >= 4 && x < 8 && y >= 2 && y < 6) c = 0;
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = c;
        }
    }
    return BmpOf(rows);
}

void ReferenceScenes::ExpectMatchesReference(const std::string& name) {
    const std::string path = std::string(ZRV_GFX2D_REFERENCE_DIR) + "/" + name + ".png";
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(kWidth) * kHeight * 3);
    FlushQuadBatch();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    const PixelAt drawn = [&bgr](int x, int y) {
        const std::uint8_t* p = bgr.data() + (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 3;
        return std::array<int, 3>{p[2], p[1], p[0]};
    };

    if (UpdatingReferences()) {
        ASSERT_NO_FATAL_FAILURE(WriteReference(path, kWidth, kHeight, drawn));
        GTEST_SKIP() << "wrote " << path;
    }
    DecodedImage reference;
    ASSERT_NO_FATAL_FAILURE(LoadReference(path, kWidth, kHeight, reference));
    const PictureDifference difference = ComparePicture(reference, kWidth, kHeight, drawn);
    EXPECT_LE(difference.differing, AllowedDifferences(kWidth, kHeight))
        << name << ": " << difference.differing << " pixels differ, by up to " << difference.worst;
}

TEST_F(ReferenceScenes, Primitives) {
    for (int i = 0; i < 16; ++i) {
        FillRect(10 + i * 38, 10, 30, 30, (i * 16) | (255 - i * 16) << 8 | (i * 8) << 16);
        FillRect(10 + i * 38, 80, -30, -(i + 1), kWhiteColour);
    }
    for (int i = 0; i < 32; ++i) {
        const double a = i * 3.14159265358979 / 16;
        DrawLineSegment(160, 240, 160 + static_cast<int>(100 * std::cos(a)), 240 + static_cast<int>(100 * std::sin(a)),
                        0x00C0FF | (i * 8) << 16);
    }
    for (int i = 0; i < 200; ++i) PlotPixel(300 + (i * 37) % 300, 150 + (i * 53) % 300, kWhiteColour);
    FillRect(320, 300, 200, 100, kRedColour);
    SetBlendAlpha(-0.5);
    FillRect(420, 250, 200, 100, kBlueColour);
    SetBlendAlpha(0.5);
    FillRect(350, 330, 120, 120, kGreenColour);
    SetBlendAlpha(0);
    FillRect(560, 400, 60, 60, kKeyColour);
    ExpectMatchesReference("primitives");
}

TEST_F(ReferenceScenes, Sprites) {
    FillRect(0, 0, kWidth, kHeight, 0x404040);
    LoadSprite(60, TestCard());
    DrawSprite(60, 10, 10);
    DrawSpriteStretched(60, 60, 10, 96, 64);
    DrawSpriteStretched(60, 220, 10, -64, 64);
    DrawSpriteStretched(60, 240, 74, 64, -64);
    DrawSpriteStretched(60, 384, 74, -64, -64);
    DrawSpriteZoomed(60, 480, 30, 3, 1.5);
    SetSmoothing(0);
    DrawSpriteZoomed(60, 580, 30, 2, 2);
    DrawSpriteRotatedScaled(60, 40, 160, 30);
    SetSmoothing(1);
    DrawSpriteRotoZoom(60, 140, 170, -45, 2.5);
    DrawSpriteRotoZoom(60, 300, 170, 200, 0.5);
    LoadAnimatedSprite(File("card_frames.bmp", TestCard()).c_str(), 61, 16, 16);
    for (int f = 0; f < 4; ++f) {
        DrawSpriteFrame(61, f, 360 + f * 20, 170);
        DrawSpriteFrameStretched(61, f, 360 + f * 50, 220, 40, 40);
        DrawSpriteFrameRotoZoom(61, f, 380 + f * 60, 320, f * 30.0, 2);
    }
    SetBlendAlpha(-0.5);
    DrawSpriteStretched(60, 20, 300, 200, 150);
    SetBlendAlpha(0.7);
    DrawSpriteStretched(60, 120, 350, 200, 100);
    SetBlendAlpha(0);
    ExpectMatchesReference("sprites");
}

TEST_F(ReferenceScenes, Text) {
    FillRect(0, 240, kWidth, 240, 0x806040);
    LoadBitmapFont("", 0);
    std::string all;
    for (int c = 32; c < 128; ++c) all += static_cast<char>(c);
    DrawText(all.substr(0, 48).c_str(), 8, 8);
    DrawText(all.substr(48).c_str(), 8, 20);
    DrawText("Loading...", 10.5, 40.2);
    DrawNumber(1.0 / 3, 8, 60);
    DrawNumber(1e10, 200, 60);
    LoadBitmapFont("smalfont.png", 1);
    ASSERT_EQ(GetErrorState().errorCode, 0);
    DrawText(all.substr(0, 48).c_str(), 8, 100);
    DrawText(all.substr(48).c_str(), 8, 120);
    DrawText("The quick brown fox jumps over the lazy dog.", 8, 250);
    SetBlendAlpha(-0.5);
    DrawText("Translucent text on a coloured ground", 8, 280);
    SetBlendAlpha(0);
    SelectFont(0);
    DrawText("Built-in font on a coloured ground", 8, 310);
    LoadBitmapFont("", 1);
    ExpectMatchesReference("text");
}

TEST_F(ReferenceScenes, BackgroundPolygonsAndVirtualScreen) {
    std::vector<std::vector<std::int32_t>> gradient(480, std::vector<std::int32_t>(640));
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) gradient[y][x] = (x * 255 / 639) | (y * 255 / 479) << 16 | 0x20 << 8;
    }
    LoadBackgroundImage(File("gradient.bmp", BmpOf(gradient)).c_str());
    ASSERT_EQ(GetErrorState().errorCode, 0);
    PresentFrame();  // the new frame starts on the background

    BeginPolygon(-1);
    AddPolygonVertex(100, 100, 0, 0, kRedColour);
    AddPolygonVertex(60, 200, 0, 0, kGreenColour);
    AddPolygonVertex(200, 220, 0, 0, kBlueColour);
    AddPolygonVertex(220, 90, 0, 0, kWhiteColour);
    EndPolygon();
    LoadSprite(62, TestCard());
    BeginPolygon(62);
    AddPolygonVertex(300, 60, 0, 0, kWhiteColour);
    AddPolygonVertex(260, 200, 0, 32, kWhiteColour);
    AddPolygonVertex(420, 220, 32, 32, 0x80FFFF);
    AddPolygonVertex(380, 40, 32, 0, kWhiteColour);
    EndPolygon();

    CreateVirtualScreen(1, 63, 120, 80);
    UseVirtualScreen(1);
    FillRect(0, 0, 120, 80, 0x203040);
    DrawSprite(62, 10, 10);
    LoadBitmapFont("", 0);
    DrawText("virtual", 50, 60);
    UseVirtualScreen(-1);
    DrawSprite(63, 20, 300);
    DrawSpriteRotoZoom(63, 300, 300, 15, 1.5);
    ExpectMatchesReference("layers_polygons_target");
}

}  // namespace
}  // namespace zrv::test
