// What the audio callback sees of one media player: the decoded samples and a few flags.
// The decoder thread writes the ring and says when the file is done; the callback plays
// from it and counts what it played; the main thread starts, stops and sets the level.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "audio/sample_ring.h"

namespace zrv {

struct MediaStream {
    explicit MediaStream(std::size_t capacityFrames) : ring(capacityFrames) {}

    // Callback: adds up to frames frames of the stream into out (interleaved stereo).
    void MixInto(float* out, std::size_t frames) noexcept;

    SampleRing ring;
    std::atomic<bool> playing{false};
    // Decoder: everything up to the end of the file is in the ring.
    std::atomic<bool> decodeEnded{false};
    // Callback: the end was reached and the ring ran empty.
    std::atomic<bool> drained{false};
    std::atomic<std::uint64_t> framesPlayed{0};
    std::atomic<float> gain{1.0f};
};

}  // namespace zrv
