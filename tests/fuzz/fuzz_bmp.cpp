// BMP files from outside: whatever the header claims, the reader either fails or produces
// exactly the image it says, and a transparent pixel is always fully transparent.
#include <cstdint>
#include <cstdlib>

#include "gfx2d/image_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zrv::DecodeLimits limits;
    limits.maxPixels = std::int64_t{1} << 22;
    zrv::DecodedImage image;
    const std::int32_t key = 0x8000FF;
    if (!zrv::DecodeBmp(zrv::ByteSpan(data, size), key, image, limits)) {
        if (image.width != 0 || image.height != 0) std::abort();
        return 0;
    }
    if (image.width <= 0 || image.height <= 0) std::abort();
    if (image.pixels.size() < static_cast<std::size_t>(image.width) * image.height * 4) std::abort();
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* p = image.Row(y);
        for (std::int32_t x = 0; x < image.width; ++x, p += 4) {
            if (p[3] == 0 && (p[0] | p[1] | p[2]) != 0) std::abort();
            if (p[3] != 0 && (p[3] != 255 || zrv::PackColour(p[0], p[1], p[2]) == key)) std::abort();
        }
    }
    return 0;
}
