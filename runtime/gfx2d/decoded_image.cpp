#include "gfx2d/decoded_image.h"

#include <new>

namespace zrv {

bool PrepareImage(DecodedImage& image, std::int64_t width, std::int64_t height, const DecodeLimits& limits) {
    image.width = image.height = 0;
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
    if (width * height > limits.maxPixels) return false;
    const auto bytes = static_cast<std::size_t>(width * height * 4);
    try {
        if (image.pixels.size() < bytes) image.pixels.resize(bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    image.width = static_cast<std::int32_t>(width);
    image.height = static_cast<std::int32_t>(height);
    return true;
}

}  // namespace zrv
