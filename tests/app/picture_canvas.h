// The fixture of the picture tests: the runtime started in the test process, the player's
// start-up run once, and before every test a picture as fresh as a new program's, the
// random generator as start-up leaves it for a fixed seed, and no music.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace player::test {

constexpr std::int32_t kSeed = 20240611;

// RGB bytes, top row first.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* At(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    bool Lit(int x, int y) const {
        const std::uint8_t* p = At(x, y);
        return p[0] + p[1] + p[2] > 0;
    }
    // How many pixels are not black, and the box around them.
    int LitCount(int& left, int& top, int& right, int& bottom) const;
    int LitCount() const;
};

// The image of a sprite slot as it holds it (width x height of the slot).
RgbImage SpriteImage(std::int32_t slot);
// A rectangle of the back buffer.
RgbImage BackBuffer(int x, int y, int width, int height);

class PictureCanvas : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // One frame of the picture: the shapes, then the tile effect, as the main loop runs them.
    static void PictureFrame();
    static void PictureFrames(int count);
};

}  // namespace player::test
