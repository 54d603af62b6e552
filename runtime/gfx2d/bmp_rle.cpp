#include "gfx2d/bmp_rle.h"

#include <algorithm>

namespace zrv {

namespace {

constexpr std::uint8_t kEscape = 0;
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Where the next pixel goes; x stops growing at the row's end, since every pixel from
// there on is dropped anyway.
class IndexWriter {
public:
    IndexWriter(std::int32_t width, std::int32_t height, std::vector<std::uint8_t>& indexes)
        : width_(width), height_(height), indexes_(indexes) {}

    bool PastLastRow() const noexcept { return y_ >= height_; }
    // Every row has been reached to its end.
    bool Complete() const noexcept { return y_ >= height_ || (y_ == height_ - 1 && x_ >= width_); }
    void Put(std::uint8_t index) noexcept {
        if (x_ < width_ && y_ < height_) {
            indexes_[static_cast<std::size_t>(y_) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x_)] = index;
        }
        x_ = std::min(x_ + 1, width_);
    }
    void NextLine() noexcept {
        x_ = 0;
        ++y_;
    }
    void Move(std::uint8_t right, std::uint8_t up) noexcept {
        x_ = std::min(x_ + right, width_);
        y_ = std::min(y_ + up, height_);
    }

private:
    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint8_t>& indexes_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
};

// The index of pixel i of a run: every byte for 8 bits, the high nibble then the low one
// for 4 bits.
std::uint8_t Nibble(std::uint8_t value, std::uint32_t bits, std::size_t i) noexcept {
    if (bits == 8) return value;
    return i % 2 == 0 ? value >> 4 : value & 0x0F;
}

}  // namespace

bool ExpandRle(std::span<const std::uint8_t> stream, std::int32_t width, std::int32_t height,
               std::uint32_t bitsPerPixel, std::vector<std::uint8_t>& indexes) {
    indexes.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    IndexWriter out(width, height, indexes);
    std::size_t at = 0;
    const auto left = [&] { return stream.size() - at; };
    while (!out.PastLastRow()) {
        if (left() < 2) return out.Complete();
        const std::uint8_t count = stream[at];
        const std::uint8_t value = stream[at + 1];
        at += 2;
        if (count != kEscape) {
            for (std::size_t i = 0; i < count; ++i) out.Put(Nibble(value, bitsPerPixel, i));
            continue;
        }
        switch (value) {
            case kEndOfLine: out.NextLine(); break;
            case kEndOfBitmap: return true;
            case kDelta:
                if (left() < 2) return false;
                out.Move(stream[at], stream[at + 1]);
                at += 2;
                break;
            default: {
                // Absolute mode: value pixels as they are, padded to a 16-bit boundary.
                const std::size_t bytes = bitsPerPixel == 8 ? value : (value + 1u) / 2;
                if (left() < bytes) return false;
                for (std::size_t i = 0; i < value; ++i) {
                    out.Put(Nibble(stream[at + (bitsPerPixel == 8 ? i : i / 2)], bitsPerPixel, i));
                }
                at += std::min(left(), bytes + bytes % 2);
                break;
            }
        }
    }
    return true;
}

}  // namespace zrv
