// The numbered sound slots: each holds one loaded sound and up to four voices playing it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/mixer.h"
#include "audio/voice.h"
#include "audio/wave_file.h"

namespace zrv {

constexpr std::int32_t kSoundSlots = 256;
constexpr std::int32_t kMaxVoices = 4;

struct SoundSlot {
    std::int32_t voiceCount = 0;  // 0: empty
    std::int32_t nextVoice = 0;
    std::string name;
    // Voice 0 was made from the file; the others share its samples.
    std::array<std::unique_ptr<Voice>, kMaxVoices> voices;
};

// Stops every voice of the slot and releases them; the slot is empty afterwards.
void EmptySlot(SoundSlot& slot, Mixer& mixer);
// Fills an empty slot with voices voices of the sound.
void FillSlot(SoundSlot& slot, std::shared_ptr<const PcmSound> sound, std::int32_t voices, const std::string& name);

// The voice a play request uses, as the slot rotates through them: the next one while
// it is free; else, with several voices, the one after it, cutting it off when it still
// plays. -1 when a single voice is still playing.
std::int32_t ChooseVoice(SoundSlot& slot, Mixer& mixer);

}  // namespace zrv
