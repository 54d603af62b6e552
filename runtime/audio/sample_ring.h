// The bounded buffer between a decoder thread (the one writer) and the audio callback (the
// one reader): interleaved stereo float frames in a ring, with nothing shared but two
// counters. Neither side ever waits on the other.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zrv {

class SampleRing {
public:
    // capacity is rounded up to a power of two frames.
    explicit SampleRing(std::size_t capacityFrames);

    // Writer: copies as many of the frames as fit; returns how many did.
    std::size_t Write(const float* frames, std::size_t count) noexcept;
    // Reader: takes up to count frames; returns how many it took.
    std::size_t Read(float* frames, std::size_t count) noexcept;

    std::size_t Available() const noexcept;
    std::size_t Free() const noexcept { return capacity_ - Available(); }
    std::size_t Capacity() const noexcept { return capacity_; }
    // Empties the ring; only while neither side is at work.
    void Reset() noexcept;

private:
    std::vector<float> data_;
    std::size_t capacity_;
    std::size_t mask_;
    std::atomic<std::uint64_t> written_{0};
    std::atomic<std::uint64_t> read_{0};
};

}  // namespace zrv
