// Writing 24-bit BMP files into a byte buffer.
#include <new>

#include "files/little_endian.h"
#include "gfx2d/image_codecs.h"

namespace zrv {

namespace {

constexpr std::uint32_t kHeadersSize = 54;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 10000;

template <class T>
void Put(std::vector<std::uint8_t>& out, std::size_t at, T value) {
    StoreLittleEndian(value, out.data() + at);
}

}  // namespace

bool EncodeBmp(const BgrFrame& frame, const KeyInFramebuffer& key, std::vector<std::uint8_t>& out) {
    out.clear();
    if (frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0 || frame.stride < frame.width) return false;
    const std::uint64_t rowSize = (3 * static_cast<std::uint64_t>(frame.width) + 3) & ~std::uint64_t{3};
    const std::uint64_t fileSize = rowSize * static_cast<std::uint64_t>(frame.height) + kHeadersSize;
    if (fileSize > 0x7FFFFFFF) return false;
    try {
        out.assign(fileSize, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    out[0] = 'B';
    out[1] = 'M';
    Put<std::uint32_t>(out, 2, static_cast<std::uint32_t>(fileSize));
    Put<std::uint32_t>(out, 10, kHeadersSize);
    Put<std::uint32_t>(out, 14, kInfoHeaderSize);
    Put<std::int32_t>(out, 18, frame.width);
    Put<std::int32_t>(out, 22, frame.height);
    Put<std::uint16_t>(out, 26, 1);
    Put<std::uint16_t>(out, 28, 24);
    Put<std::int32_t>(out, 38, kPixelsPerMetre);
    Put<std::int32_t>(out, 42, kPixelsPerMetre);

    // Both the frame and the file run bottom-up.
    for (std::int32_t y = 0; y < frame.height; ++y) {
        const std::uint8_t* in = frame.pixels + static_cast<std::size_t>(y) * frame.stride * 3;
        std::uint8_t* row = out.data() + kHeadersSize + rowSize * static_cast<std::uint64_t>(y);
        for (std::int32_t x = 0; x < frame.width; ++x, in += 3, row += 3) {
            // The key's look in the framebuffer goes back to the default transparent colour,
            // so that the file loads transparent again.
            if (in[0] == key.blue && in[1] == key.green && in[2] == key.red) {
                row[0] = 128;
                row[1] = 0;
                row[2] = 255;
            } else {
                row[0] = in[0];
                row[1] = in[1];
                row[2] = in[2];
            }
        }
    }
    return true;
}

bool NamesPng(const std::string& name) noexcept {
    if (name.size() <= 4) return false;
    const char* ext = name.c_str() + name.size() - 4;
    auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    return ext[0] == '.' && lower(ext[1]) == 'p' && lower(ext[2]) == 'n' && lower(ext[3]) == 'g';
}

}  // namespace zrv
