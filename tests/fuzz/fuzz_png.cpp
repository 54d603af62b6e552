// PNG files from outside through libpng: a failure never ends the process, and an image
// that loads survives being written as PNG and read back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx2d/image_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zrv::DecodeLimits limits;
    limits.maxPixels = std::int64_t{1} << 22;
    zrv::DecodedImage image;
    if (!zrv::DecodePng(zrv::ByteSpan(data, size), "fuzz.png", zrv::kNoKeyColour, image, limits)) {
        if (image.width != 0 || image.height != 0) std::abort();
        return 0;
    }
    if (image.width <= 0 || image.height <= 0) std::abort();
    if (static_cast<std::int64_t>(image.width) * image.height > 4096) return 0;

    // The writer takes blue, green, red rows from the bottom up.
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(image.width) * image.height * 3);
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* in = image.Row(image.height - 1 - y);
        std::uint8_t* out = bgr.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (std::int32_t x = 0; x < image.width; ++x) {
            out[x * 3] = in[x * 4 + 2];
            out[x * 3 + 1] = in[x * 4 + 1];
            out[x * 3 + 2] = in[x * 4];
        }
    }
    std::vector<std::uint8_t> file;
    const zrv::BgrFrame frame{bgr.data(), image.width, image.height, image.width};
    if (!zrv::EncodePng(frame, zrv::KeyInFramebuffer{}, file)) std::abort();
    zrv::DecodedImage back;
    if (!zrv::DecodePng(file, "back.png", zrv::kNoKeyColour, back)) std::abort();
    if (back.width != image.width || back.height != image.height) std::abort();
    for (std::int32_t y = 0; y < image.height; ++y) {
        for (std::int32_t x = 0; x < image.width; ++x) {
            if (std::memcmp(back.Row(y) + x * 4, image.Row(y) + x * 4, 3) != 0 || back.Row(y)[x * 4 + 3] != 255) {
                std::abort();
            }
        }
    }
    return 0;
}
