// The picture area and its tile effect, driven frame by frame in the test process: which
// scene is shown, where each shape is drawn, and what the preview's sprite holds before,
// during and after a piece of music.
#include <cmath>

#include "picture.h"
#include "picture_canvas.h"
#include "player.h"
#include "shared.h"
#include "zorvane.h"

namespace player::test {
namespace {

constexpr int kAnchorX = 130;
constexpr int kAnchorY = 105;
// The picture area, and the part of the back buffer the tiles cut up (and a little more).
constexpr int kAreaLeft = 30;
constexpr int kAreaTop = 30;
constexpr int kAreaRight = 230;
constexpr int kAreaBottom = 180;
constexpr int kReadWidth = 260;
constexpr int kReadHeight = 200;

class Picture : public PictureCanvas {
protected:
    // Bright, settled drift colours and a full fade, so that whatever is drawn shows.
    static void Brighten() {
        ColourDrift& d = picture.drift;
        d.red = d.targetRed = 110;
        d.green = d.targetGreen = 70;
        d.blue = d.targetBlue = 40;
        d.timer = 0;
        picture.tiles.fade = 1;
    }
};

TEST_F(Picture, WithoutMusicTheSceneIsFiveAndNothingIsDrawnOrGrabbed) {
    PictureFrame();
    for (int frame = 0; frame < 30; ++frame) {
        Brighten();
        UpdatePicture();
        EXPECT_EQ(BackBuffer(0, 0, kReadWidth, kReadHeight).LitCount(), 0) << "frame " << frame;
        UpdateTileEffect();
        EXPECT_EQ(picture.scenes.scene, 5);
        EXPECT_FALSE(picture.pictureIdle == "no");
    }
    std::int32_t width = -1;
    std::int32_t height = -1;
    QuerySpriteSizeInt(kPictureSprite, width, height);
    EXPECT_EQ(width, 0) << "the preview's sprite is never grabbed while the picture is idle";
}

TEST_F(Picture, EachSceneDrawsItsTurningShapeAroundTheAnchorInsideThePictureArea) {
    for (int scene = 0; scene <= 4; ++scene) {
        SCOPED_TRACE("scene " + std::to_string(scene));
        picture = PictureState{};
        shared.musicPlaying = 1;
        PictureFrame();
        picture.scenes.scene = scene;
        RgbImage first;
        RgbImage last;
        // Long enough for the solids to show many sides, looking at every fourth frame.
        for (int frame = 0; frame < 160; ++frame) {
            Brighten();
            UpdatePicture();
            if (frame % 4 != 0) {
                UpdateTileEffect();
                continue;
            }
            last = BackBuffer(0, 0, kReadWidth, kReadHeight);
            if (frame == 0) first = last;
            int left = 0;
            int top = 0;
            int right = 0;
            int bottom = 0;
            const int lit = last.LitCount(left, top, right, bottom);
            ASSERT_GT(lit, 1500) << "frame " << frame;
            EXPECT_GE(left, kAreaLeft);
            EXPECT_GE(top, kAreaTop);
            EXPECT_LE(right, kAreaRight);
            EXPECT_LE(bottom, kAreaBottom);
            EXPECT_NEAR((left + right) / 2.0, kAnchorX, 16) << "frame " << frame;
            EXPECT_NEAR((top + bottom) / 2.0, kAnchorY, 16) << "frame " << frame;
            UpdateTileEffect();
            ASSERT_EQ(picture.scenes.scene, scene);
        }
        if (scene == 3) {
            // The bars stand still: 175 x 25 each, 26 pixels apart, centred on the anchor.
            for (int bar = 0; bar < 3; ++bar) {
                const int top = 67 + 26 * bar;
                EXPECT_TRUE(last.Lit(42, top) && last.Lit(216, top + 24)) << "bar " << bar;
                EXPECT_FALSE(last.Lit(41, top + 12) || last.Lit(217, top + 12)) << "bar " << bar;
                EXPECT_FALSE(last.Lit(kAnchorX, top - 1)) << "gap above bar " << bar;
            }
        } else {
            EXPECT_NE(first.rgb, last.rgb) << "the shape turns";
        }
        for (int y = 0; scene == 4 && y < kReadHeight; ++y) {
            for (int x = 0; x < kReadWidth; ++x) {
                if (last.Lit(x, y)) {
                    ASSERT_LE(std::hypot(x - kAnchorX, y - kAnchorY), 51) << x << ", " << y;
                }
            }
        }
    }
}

TEST_F(Picture, PreviewIsBlackBeforeMusicAnimatesWhileItPlaysAndFadesBackToBlackAfter) {
    PictureFrames(60);
    std::int32_t width = -1;
    std::int32_t height = -1;
    QuerySpriteSizeInt(kPictureSprite, width, height);
    EXPECT_EQ(width, 0);
    EXPECT_FALSE(picture.pictureIdle == "no");

    // The picture starts with the music and fades in.
    shared.musicPlaying = 1;
    PictureFrame();
    EXPECT_TRUE(picture.pictureIdle == "no");
    QuerySpriteSizeInt(kPictureSprite, width, height);
    EXPECT_EQ(width, 241);
    EXPECT_EQ(height, 171);
    auto brightness = [](const RgbImage& image) {
        double sum = 0;
        for (std::uint8_t channel : image.rgb) sum += channel;
        return sum;
    };
    std::vector<double> fadingIn;
    for (int frame = 1; frame <= 200; ++frame) {
        const double scene = picture.scenes.scene;
        ColourDrift& d = picture.drift;
        d.red = d.targetRed = d.green = d.targetGreen = d.blue = d.targetBlue = 100;
        d.timer = 0;
        PictureFrame();
        ASSERT_EQ(picture.scenes.scene, scene);
        if (frame % 50 == 0) fadingIn.push_back(brightness(SpriteImage(kPictureSprite)));
    }
    ASSERT_EQ(fadingIn.size(), 4U);
    EXPECT_LT(fadingIn[0], fadingIn[1] * 0.7);
    EXPECT_LT(fadingIn[1], fadingIn[3] * 0.9);

    // While it plays, every frame differs from the one before.
    PictureFrames(200);
    RgbImage before = SpriteImage(kPictureSprite);
    EXPECT_GT(before.LitCount(), 2000);
    for (int frame = 0; frame < 10; ++frame) {
        PictureFrame();
        RgbImage now = SpriteImage(kPictureSprite);
        EXPECT_NE(now.rgb, before.rgb) << "frame " << frame;
        before = std::move(now);
    }

    // The music stops: the shapes are gone from the next frame on (this frame's shape was
    // drawn before the stop was seen), the preview stays shown while the fade runs out, then
    // the picture is idle and the panels no longer show it.
    shared.musicPlaying = 0;
    PictureFrames(2);
    EXPECT_EQ(SpriteImage(kPictureSprite).LitCount(), 0);
    int idleAfter = 0;
    while (picture.pictureIdle == "no" && idleAfter < 1000) {
        PictureFrame();
        ++idleAfter;
    }
    EXPECT_GT(idleAfter, 55);
    EXPECT_LT(idleAfter, 70);
    const RgbImage last = SpriteImage(kPictureSprite);
    EXPECT_EQ(last.LitCount(), 0);
    PictureFrames(20);
    EXPECT_TRUE(picture.pictureIdle == "yes");
    EXPECT_EQ(SpriteImage(kPictureSprite).rgb, last.rgb) << "nothing is grabbed while idle";

    // The next piece of music starts the picture again on its first frame.
    shared.musicPlaying = 1;
    PictureFrame();
    EXPECT_TRUE(picture.pictureIdle == "no");
}

}  // namespace
}  // namespace player::test
