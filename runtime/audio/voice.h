// One voice of a sound slot: a play position in a PCM buffer that several voices share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "audio/decibels.h"
#include "audio/wave_file.h"

namespace zrv {

struct Voice {
    explicit Voice(std::shared_ptr<const PcmSound> sound) : sound(std::move(sound)) {}

    // Adds the voice into out at the device rate, resampling linearly from the sound's own
    // rate; at the end of the sound the voice stops and its position returns to 0.
    void MixInto(float* out, std::size_t frames, std::int32_t deviceRate) noexcept;

    std::shared_ptr<const PcmSound> sound;
    // Everything below belongs to the mixer's lock.
    double position = 0;  // in frames of the sound
    StereoGain gain;
    bool playing = false;
    std::uint64_t framesMixed = 0;
};

}  // namespace zrv
