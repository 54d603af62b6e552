// Sound levels as a sound device takes them: volume as attenuation and pan as attenuation
// of the opposite side, both in hundredths of a decibel.
#pragma once

#include <cstdint>

namespace zrv {

constexpr std::int32_t kSilenceHundredths = -10000;
constexpr std::int32_t kFullPanHundredths = 10000;

// Amplitude factor of an attenuation; -10000 (or less) is silence, 0 (or more) is full.
float AmplitudeOfHundredths(std::int32_t hundredths) noexcept;

struct StereoGain {
    float left = 1.0f;
    float right = 1.0f;
};

// volume in -10000 … 0, pan in -10000 (left only) … 10000 (right only).
StereoGain GainOfVolumeAndPan(std::int32_t volume, std::int32_t pan) noexcept;

}  // namespace zrv
