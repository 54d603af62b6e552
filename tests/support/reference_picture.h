// Pictures compared with reference pictures committed beside the tests, so that any change
// in what is drawn shows up. A run with ZRV_UPDATE_REFERENCES=1 writes the references
// instead; they are looked at before they are committed.
//
// Tolerance: a pixel matches when no channel differs by more than 2; at most 0.2 % of the
// pixels may differ by more (rasterisation of turned and filtered edges may move a pixel
// between Mesa versions).
#pragma once

#include <array>
#include <functional>
#include <string>

#include "gfx2d/image_codecs.h"

namespace zrv::test {

struct PictureDifference {
    int differing = 0;  // pixels off by more than the tolerance
    int worst = 0;      // the largest difference of a channel
};

// Red, green and blue of the picture's pixel (x, y), from the top left.
using PixelAt = std::function<std::array<int, 3>(int x, int y)>;
using PixelFilter = std::function<bool(int x, int y)>;

bool UpdatingReferences();
// The differing pixels a picture of that size may have.
int AllowedDifferences(int width, int height);
// Reads the reference PNG at path: a fatal failure when it cannot be read or is not
// width x height.
void LoadReference(const std::string& path, int width, int height, DecodedImage& reference);
// Pixels for which leftOut holds are not compared.
PictureDifference ComparePicture(const DecodedImage& reference, int width, int height, const PixelAt& drawn,
                                 const PixelFilter& leftOut = {});
// Stores the picture as the reference PNG at path: a fatal failure when it cannot be encoded.
void WriteReference(const std::string& path, int width, int height, const PixelAt& drawn);

}  // namespace zrv::test
