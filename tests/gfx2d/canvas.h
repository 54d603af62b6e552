// The fixture of the drawing tests: the runtime's window at 640 x 480, a black back buffer,
// the 2D defaults, and ways to read back what was drawn and to hand the runtime files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/image_builders.h"
#include "support/temp_dir.h"

namespace zrv::test {

constexpr std::int32_t kKeyColour = 0x8000FF;  // red 255, green 0, blue 128
constexpr std::int32_t kRedColour = 0x0000FF;
constexpr std::int32_t kGreenColour = 0x00FF00;
constexpr std::int32_t kBlueColour = 0xFF0000;
constexpr std::int32_t kWhiteColour = 0xFFFFFF;

// Packed colour of a back-buffer pixel, (x, y) from the top left, read with OpenGL itself
// once the runtime's gathered draws are drawn (as for any GL call of a test's own).
std::int32_t BackPixel(int x, int y);
// Whole rows of the back buffer, top row first, RGB.
std::vector<std::uint8_t> BackBufferRgb(int x, int y, int width, int height);

// An image of colours given row by row (top first) as a 24-bit BMP file; kKey pixels stand
// for the transparent colour.
Bytes BmpOf(const std::vector<std::vector<std::int32_t>>& rows);
// A w x h BMP of one colour.
Bytes SolidBmp(int width, int height, std::int32_t colour);

void RestoreTransparentColours();

class Canvas : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes the bytes to a file of the test's own and returns its path.
    std::string File(const std::string& name, const Bytes& bytes);
    // Loads the bytes as a sprite into slot; asserts that the load succeeded.
    void LoadSprite(std::int32_t slot, const Bytes& bytes);

    TempDir folder_;
};

}  // namespace zrv::test
