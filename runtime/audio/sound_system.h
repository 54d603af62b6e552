// The sound device: SDL's audio subsystem and one output device at the device's own rate,
// in stereo, whose callback runs the mixer. Free of SDL headers so that the runtime's
// state can hold it.
#pragma once

#include <cstdint>
#include <memory>

#include "audio/mixer.h"

namespace zrv {

class AlsaWithoutServer;

class SoundSystem {
public:
    // Null when there is no audio device to play on (SDL's dummy driver counts as none).
    static std::unique_ptr<SoundSystem> Open();
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    Mixer& GetMixer() noexcept { return mixer_; }
    std::int32_t Rate() const noexcept { return mixer_.Rate(); }
    std::int32_t BufferFrames() const noexcept { return bufferFrames_; }

private:
    SoundSystem(std::uint32_t device, std::int32_t rate, std::int32_t bufferFrames);

    std::unique_ptr<AlsaWithoutServer> alsaWithoutServer_;  // first, so it goes last
    std::uint32_t device_;
    std::int32_t bufferFrames_;
    Mixer mixer_;
};

}  // namespace zrv
