// A few frames of the picture as the preview receives them, from a run with a fixed seed,
// compared with reference pictures committed beside the tests, so that any change in what
// the shapes or the tiles draw shows up. The references are made by running with
// ZRV_UPDATE_REFERENCES=1 (the runtime saves the sprite) and are looked at before they are
// committed.
//
// Tolerance: a pixel matches when no channel differs by more than 2; at most 0.2 % of the
// pixels may differ by more (turned and filtered edges may move a pixel between Mesa
// versions).
#include <cstdlib>

#include "gfx2d/image_codecs.h"
#include "picture.h"
#include "picture_canvas.h"
#include "shared.h"
#include "support/temp_dir.h"
#include "zorvane.h"

namespace player::test {
namespace {

constexpr int kChannelTolerance = 2;
constexpr double kDifferingShare = 0.002;

class PictureReference : public PictureCanvas {};

// The preview's sprite as the stored picture of the same name shows it.
void ExpectSpriteMatchesReference(const std::string& name) {
    const std::string path = std::string(ZRV_APP_REFERENCE_DIR) + "/" + name + ".png";
    if (const char* update = std::getenv("ZRV_UPDATE_REFERENCES"); update != nullptr && *update == '1') {
        SaveSpriteImage(path.c_str(), kPictureSprite);
        EXPECT_EQ(GetErrorState().errorCode, 0) << path;
        return;
    }
    const RgbImage image = SpriteImage(kPictureSprite);
    const std::string stored = zrv::test::ReadFile(path);
    zrv::DecodedImage reference;
    ASSERT_TRUE(zrv::DecodePng(zrv::ByteSpan(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()),
                               path.c_str(), zrv::kNoKeyColour, reference))
        << path;
    ASSERT_EQ(reference.width, image.width);
    ASSERT_EQ(reference.height, image.height);
    int differing = 0;
    int worst = 0;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* expected = reference.Row(y);
        for (int x = 0; x < image.width; ++x) {
            int difference = 0;
            for (int c = 0; c < 3; ++c) difference = std::max(difference, std::abs(image.At(x, y)[c] - expected[x * 4 + c]));
            worst = std::max(worst, difference);
            if (difference > kChannelTolerance) ++differing;
        }
    }
    EXPECT_LE(differing, static_cast<int>(image.width * image.height * kDifferingShare))
        << name << ": " << differing << " pixels differ, by up to " << worst;
}

// Music from the first frame on: the torus fading in and swaying, two frames in a row,
// then the open band as its tiles start to spin and once they have turned over.
TEST_F(PictureReference, FramesOfTheRunningPictureWithAFixedSeed) {
    shared.musicPlaying = 1;
    int frame = 0;
    for (int capture : {300, 301, 640, 760}) {
        PictureFrames(capture - frame);
        frame = capture;
        ExpectSpriteMatchesReference("picture_frame_" + std::to_string(capture));
    }
    if (const char* update = std::getenv("ZRV_UPDATE_REFERENCES"); update != nullptr && *update == '1') {
        GTEST_SKIP() << "wrote the reference pictures to " << ZRV_APP_REFERENCE_DIR;
    }
}

}  // namespace
}  // namespace player::test
