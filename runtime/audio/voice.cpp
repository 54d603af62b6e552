#include "audio/voice.h"

namespace zrv {

void Voice::MixInto(float* out, std::size_t frames, std::int32_t deviceRate) noexcept {
    const PcmSound& pcm = *sound;
    const std::size_t length = pcm.Frames();
    const double step = static_cast<double>(pcm.rate) / deviceRate;
    const std::int16_t* samples = pcm.samples.data();
    constexpr float kScale = 1.0f / 32768.0f;
    const bool stereo = pcm.channels == 2;
    std::size_t i = 0;
    for (; i < frames && position < static_cast<double>(length); ++i) {
        const std::size_t index = static_cast<std::size_t>(position);
        const float fraction = static_cast<float>(position - static_cast<double>(index));
        const std::size_t next = index + 1 < length ? index + 1 : index;
        float left;
        float right;
        if (stereo) {
            left = samples[index * 2] + (samples[next * 2] - samples[index * 2]) * fraction;
            right = samples[index * 2 + 1] + (samples[next * 2 + 1] - samples[index * 2 + 1]) * fraction;
        } else {
            left = right = samples[index] + (samples[next] - samples[index]) * fraction;
        }
        out[i * 2] += left * kScale * gain.left;
        out[i * 2 + 1] += right * kScale * gain.right;
        position += step;
    }
    framesMixed += i;
    if (position >= static_cast<double>(length)) {
        playing = false;
        position = 0;
    }
}

}  // namespace zrv
