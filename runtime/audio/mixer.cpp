#include "audio/mixer.h"

#include <algorithm>

namespace zrv {

void Mixer::Mix(float* out, std::size_t frames) noexcept {
    std::fill(out, out + frames * 2, 0.0f);
    std::lock_guard lock(mutex_);
    for (MediaStream* stream : streams_) stream->MixInto(out, frames);
    for (Voice* voice : active_) voice->MixInto(out, frames, rate_);
    std::erase_if(active_, [](const Voice* voice) { return !voice->playing; });
    // Loud overlaps are clipped here rather than wrapping round in the device's format.
    for (std::size_t i = 0; i < frames * 2; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Mixer::AddStream(MediaStream& stream) {
    std::lock_guard lock(mutex_);
    streams_.push_back(&stream);
}

void Mixer::RemoveStream(MediaStream& stream) {
    std::lock_guard lock(mutex_);
    std::erase(streams_, &stream);
}

void Mixer::StartVoice(Voice& voice, StereoGain gain) {
    std::lock_guard lock(mutex_);
    voice.gain = gain;
    voice.framesMixed = 0;
    if (!voice.playing) active_.push_back(&voice);
    voice.playing = true;
}

void Mixer::StopVoice(Voice& voice) {
    std::lock_guard lock(mutex_);
    if (voice.playing) std::erase(active_, &voice);
    voice.playing = false;
    voice.position = 0;
}

bool Mixer::IsPlaying(const Voice& voice) {
    std::lock_guard lock(mutex_);
    return voice.playing;
}

std::uint64_t Mixer::FramesMixed(const Voice& voice) {
    std::lock_guard lock(mutex_);
    return voice.framesMixed;
}

}  // namespace zrv
