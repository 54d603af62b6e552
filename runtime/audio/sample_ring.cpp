#include "audio/sample_ring.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zrv {

SampleRing::SampleRing(std::size_t capacityFrames)
    : capacity_(std::bit_ceil(std::max<std::size_t>(capacityFrames, 2))), mask_(capacity_ - 1) {
    data_.resize(capacity_ * 2);
}

std::size_t SampleRing::Available() const noexcept {
    return static_cast<std::size_t>(written_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire));
}

std::size_t SampleRing::Write(const float* frames, std::size_t count) noexcept {
    const std::uint64_t written = written_.load(std::memory_order_relaxed);
    const std::uint64_t read = read_.load(std::memory_order_acquire);
    count = std::min(count, capacity_ - static_cast<std::size_t>(written - read));
    const std::size_t start = static_cast<std::size_t>(written) & mask_;
    const std::size_t first = std::min(count, capacity_ - start);
    std::memcpy(data_.data() + start * 2, frames, first * 2 * sizeof(float));
    std::memcpy(data_.data(), frames + first * 2, (count - first) * 2 * sizeof(float));
    written_.store(written + count, std::memory_order_release);
    return count;
}

std::size_t SampleRing::Read(float* frames, std::size_t count) noexcept {
    const std::uint64_t read = read_.load(std::memory_order_relaxed);
    const std::uint64_t written = written_.load(std::memory_order_acquire);
    count = std::min(count, static_cast<std::size_t>(written - read));
    const std::size_t start = static_cast<std::size_t>(read) & mask_;
    const std::size_t first = std::min(count, capacity_ - start);
    std::memcpy(frames, data_.data() + start * 2, first * 2 * sizeof(float));
    std::memcpy(frames + first * 2, data_.data(), (count - first) * 2 * sizeof(float));
    read_.store(read + count, std::memory_order_release);
    return count;
}

void SampleRing::Reset() noexcept {
    written_.store(0, std::memory_order_relaxed);
    read_.store(0, std::memory_order_release);
}

}  // namespace zrv
