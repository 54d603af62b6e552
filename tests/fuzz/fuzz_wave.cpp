// The RIFF WAVE walk on arbitrary bytes: it must fail or succeed without reading outside
// them, and what it accepts must hold whole frames.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "audio/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto sound = zrv::ParseWave({data, size});
    if (sound) {
        if (sound->channels != 1 && sound->channels != 2) std::abort();
        if (sound->samples.empty() || sound->samples.size() % static_cast<std::size_t>(sound->channels) != 0) std::abort();
        if (sound->samples.size() > size) std::abort();
    }
    return 0;
}
