// A few frames of the picture as the preview receives them, from a run with a fixed seed,
// compared with reference pictures (support/reference_picture.h), so that any change in
// what the shapes or the tiles draw shows up. When the references are made, the runtime
// saves the sprite.
#include <array>

#include "picture.h"
#include "picture_canvas.h"
#include "shared.h"
#include "support/reference_picture.h"
#include "zorvane.h"

namespace player::test {
namespace {

class PictureReference : public PictureCanvas {};

// The preview's sprite as the stored picture of the same name shows it.
void ExpectSpriteMatchesReference(const std::string& name) {
    const std::string path = std::string(ZRV_APP_REFERENCE_DIR) + "/" + name + ".png";
    if (zrv::test::UpdatingReferences()) {
        SaveSpriteImage(path.c_str(), kPictureSprite);
        EXPECT_EQ(GetErrorState().errorCode, 0) << path;
        return;
    }
    const RgbImage image = SpriteImage(kPictureSprite);
    zrv::DecodedImage reference;
    ASSERT_NO_FATAL_FAILURE(zrv::test::LoadReference(path, image.width, image.height, reference));
    const zrv::test::PictureDifference difference =
        zrv::test::ComparePicture(reference, image.width, image.height, [&image](int x, int y) {
            const std::uint8_t* p = image.At(x, y);
            return std::array<int, 3>{p[0], p[1], p[2]};
        });
    EXPECT_LE(difference.differing, zrv::test::AllowedDifferences(image.width, image.height))
        << name << ": " << difference.differing << " pixels differ, by up to " << difference.worst;
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
    if (zrv::test::UpdatingReferences()) {
        GTEST_SKIP() << "wrote the reference pictures to " << ZRV_APP_REFERENCE_DIR;
    }
}

}  // namespace
}  // namespace player::test
