// Reading a sound file (on disk or in memory) into a playable PCM buffer.
#pragma once

#include <optional>

#include "audio/wave_file.h"

namespace zrv {

std::optional<PcmSound> LoadWaveFile(const char* name);

}  // namespace zrv
