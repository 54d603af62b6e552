#include "audio/media_stream.h"

#include <algorithm>

namespace zrv {

void MediaStream::MixInto(float* out, std::size_t frames) noexcept {
    if (!playing.load(std::memory_order_acquire)) return;
    constexpr std::size_t kChunk = 256;
    float chunk[kChunk * 2];
    const float level = gain.load(std::memory_order_relaxed);
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t taken = ring.Read(chunk, std::min(kChunk, frames - done));
        if (taken == 0) break;
        for (std::size_t i = 0; i < taken * 2; ++i) out[done * 2 + i] += chunk[i] * level;
        done += taken;
    }
    framesPlayed.fetch_add(done, std::memory_order_relaxed);
    // The end flag is read before the ring: once it is set the decoder has written its
    // last frame, so an empty ring then really is the end of the piece.
    if (done < frames && decodeEnded.load(std::memory_order_acquire) && ring.Available() == 0) {
        drained.store(true, std::memory_order_release);
    }
}

}  // namespace zrv
