// JPEG files from outside through libjpeg: every error of the library fails the load
// instead of ending the process, and the process can decode again afterwards.
#include <cstdint>
#include <cstdlib>

#include "gfx2d/image_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zrv::DecodeLimits limits;
    limits.maxPixels = std::int64_t{1} << 22;
    zrv::DecodedImage image;
    if (!zrv::DecodeJpeg(zrv::ByteSpan(data, size), image, limits)) {
        if (image.width != 0 || image.height != 0) std::abort();
        return 0;
    }
    if (image.width <= 0 || image.height <= 0) std::abort();
    if (image.pixels.size() < static_cast<std::size_t>(image.width) * image.height * 4) std::abort();
    return 0;
}
