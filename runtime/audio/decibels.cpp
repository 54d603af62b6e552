#include "audio/decibels.h"

#include <algorithm>
#include <cmath>

namespace zrv {

float AmplitudeOfHundredths(std::int32_t hundredths) noexcept {
    if (hundredths <= kSilenceHundredths) return 0.0f;
    if (hundredths >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

StereoGain GainOfVolumeAndPan(std::int32_t volume, std::int32_t pan) noexcept {
    pan = std::clamp(pan, -kFullPanHundredths, kFullPanHundredths);
    const float level = AmplitudeOfHundredths(volume);
    // Panning never raises the near side; it only lowers the far one.
    return {level * AmplitudeOfHundredths(pan > 0 ? -pan : 0), level * AmplitudeOfHundredths(pan < 0 ? pan : 0)};
}

}  // namespace zrv
