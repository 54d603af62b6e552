// Run-length streams from outside: three leading bytes choose width, height and depth, the
// rest is the stream. Whatever it holds, the expansion stays inside the image and a 4-bit
// stream only ever yields indexes of its 16 colours.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gfx2d/bmp_rle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::int32_t width = data[0] % 64 + 1;
    const std::int32_t height = data[1] % 64 + 1;
    const std::uint32_t bits = data[2] % 2 == 0 ? 8 : 4;
    std::vector<std::uint8_t> indexes;
    zrv::ExpandRle(std::span<const std::uint8_t>(data + 3, size - 3), width, height, bits, indexes);
    if (indexes.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) std::abort();
    if (bits == 4) {
        for (const std::uint8_t index : indexes) {
            if (index > 15) std::abort();
        }
    }
    return 0;
}
