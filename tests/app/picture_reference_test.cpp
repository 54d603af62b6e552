// A few frames of the picture as the preview receives them, from a run with a fixed seed,
// compared with a reference picture committed beside the tests, so that any change in what
// the shapes or the tiles draw shows up. The reference is made by running with
// ZRV_UPDATE_REFERENCES=1 and is looked at before it is committed.
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

namespace player::test {
namespace {

constexpr int kChannelTolerance = 2;
constexpr double kDifferingShare = 0.002;

class PictureReference : public PictureCanvas {};

// The frames side by side, left to right.
RgbImage SideBySide(const std::vector<RgbImage>& frames) {
    RgbImage strip;
    strip.height = frames.front().height;
    for (const RgbImage& frame : frames) strip.width += frame.width;
    strip.rgb.resize(static_cast<std::size_t>(strip.width) * strip.height * 3);
    int left = 0;
    for (const RgbImage& frame : frames) {
        for (int y = 0; y < frame.height; ++y) {
            std::copy_n(frame.At(0, y), frame.width * 3,
                        strip.rgb.begin() + (static_cast<std::ptrdiff_t>(y) * strip.width + left) * 3);
        }
        left += frame.width;
    }
    return strip;
}

void StorePng(const RgbImage& image, const std::string& path) {
    // The encoder takes frames as the screen hands them over: BGR, bottom row first.
    std::vector<std::uint8_t> bgr(image.rgb.size());
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.At(x, y);
            std::uint8_t* q = &bgr[(static_cast<std::size_t>(image.height - 1 - y) * image.width + x) * 3];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(zrv::EncodePng({bgr.data(), image.width, image.height, image.width}, zrv::KeyInFramebuffer{}, png));
    zrv::test::WriteFile(path, std::string(png.begin(), png.end()));
}

void ExpectMatchesReference(const RgbImage& image, const std::string& name) {
    const std::string path = std::string(ZRV_APP_REFERENCE_DIR) + "/" + name + ".png";
    if (const char* update = std::getenv("ZRV_UPDATE_REFERENCES"); update != nullptr && *update == '1') {
        StorePng(image, path);
        GTEST_SKIP() << "wrote " << path;
    }
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
// then the open band as its tiles start to spin and once they have turned well over.
TEST_F(PictureReference, FramesOfTheRunningPictureWithAFixedSeed) {
    shared.musicPlaying = 1;
    std::vector<RgbImage> frames;
    int frame = 0;
    for (int capture : {300, 301, 640, 760}) {
        PictureFrames(capture - frame);
        frame = capture;
        frames.push_back(SpriteImage(kPictureSprite));
        ASSERT_GT(frames.back().LitCount(), 0) << "frame " << capture;
    }
    ExpectMatchesReference(SideBySide(frames), "picture_frames");
}

}  // namespace
}  // namespace player::test
