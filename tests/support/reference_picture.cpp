#include "support/reference_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "support/temp_dir.h"

namespace zrv::test {

namespace {

constexpr int kChannelTolerance = 2;
constexpr double kDifferingShare = 0.002;

}  // namespace

bool UpdatingReferences() {
    const char* update = std::getenv("ZRV_UPDATE_REFERENCES");
    return update != nullptr && *update == '1';
}

int AllowedDifferences(int width, int height) { return static_cast<int>(width * height * kDifferingShare); }

void LoadReference(const std::string& path, int width, int height, DecodedImage& reference) {
    const std::string stored = ReadFile(path);
    ASSERT_TRUE(DecodePng(ByteSpan(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()), path.c_str(),
                          kNoKeyColour, reference))
        << path;
    ASSERT_EQ(reference.width, width);
    ASSERT_EQ(reference.height, height);
}

PictureDifference ComparePicture(const DecodedImage& reference, int width, int height, const PixelAt& drawn,
                                 const PixelFilter& leftOut) {
    PictureDifference result;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* expected = reference.Row(y);
        for (int x = 0; x < width; ++x) {
            if (leftOut && leftOut(x, y)) continue;
            const std::array<int, 3> pixel = drawn(x, y);
            int difference = 0;
            for (int c = 0; c < 3; ++c) difference = std::max(difference, std::abs(pixel[c] - expected[x * 4 + c]));
            result.worst = std::max(result.worst, difference);
            if (difference > kChannelTolerance) ++result.differing;
        }
    }
    return result;
}

void WriteReference(const std::string& path, int width, int height, const PixelAt& drawn) {
    // Blue, green, red from the bottom row up, as frames are handed to the encoder.
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::array<int, 3> pixel = drawn(x, y);
            std::uint8_t* out = bgr.data() + (static_cast<std::size_t>(height - 1 - y) * width + x) * 3;
            for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(pixel[2 - c]);
        }
    }
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(EncodePng(BgrFrame{bgr.data(), width, height, width}, KeyInFramebuffer{}, png)) << path;
    WriteFile(path, std::string(png.begin(), png.end()));
}

}  // namespace zrv::test
