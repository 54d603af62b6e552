// The one mixer of the audio device: every sound voice and every media stream summed into
// interleaved stereo float frames at the device rate. The audio callback calls Mix; the
// main thread changes what is mixed under the same lock, which the callback holds only
// for one buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "audio/media_stream.h"
#include "audio/voice.h"

namespace zrv {

class Mixer {
public:
    explicit Mixer(std::int32_t rate) : rate_(rate) {}

    std::int32_t Rate() const noexcept { return rate_; }

    // The callback: out is overwritten with frames frames.
    void Mix(float* out, std::size_t frames) noexcept;

    void AddStream(MediaStream& stream);
    void RemoveStream(MediaStream& stream);
    // Runs work while no buffer is being mixed.
    template <class Work>
    void Exclusive(Work&& work) {
        std::lock_guard lock(mutex_);
        work();
    }

    // Plays the voice once from its current position.
    void StartVoice(Voice& voice, StereoGain gain);
    // Stops the voice and rewinds it to the start.
    void StopVoice(Voice& voice);
    bool IsPlaying(const Voice& voice);
    std::uint64_t FramesMixed(const Voice& voice);

private:
    std::int32_t rate_;
    std::mutex mutex_;
    std::vector<MediaStream*> streams_;
    // The voices that play; a voice that reaches its end leaves the list in Mix.
    std::vector<Voice*> active_;
};

}  // namespace zrv
