#include "audio/sound_slots.h"

namespace zrv {

void EmptySlot(SoundSlot& slot, Mixer& mixer) {
    for (auto& voice : slot.voices) {
        if (voice == nullptr) continue;
        mixer.StopVoice(*voice);
        voice.reset();
    }
    slot.voiceCount = 0;
    slot.nextVoice = 0;
}

void FillSlot(SoundSlot& slot, std::shared_ptr<const PcmSound> sound, std::int32_t voices, const std::string& name) {
    for (std::int32_t i = 0; i < voices; ++i) slot.voices[i] = std::make_unique<Voice>(sound);
    slot.voiceCount = voices;
    slot.nextVoice = 0;
    slot.name = name;
}

std::int32_t ChooseVoice(SoundSlot& slot, Mixer& mixer) {
    if (!mixer.IsPlaying(*slot.voices[slot.nextVoice])) return slot.nextVoice;
    if (slot.voiceCount == 1) return -1;
    slot.nextVoice = (slot.nextVoice + 1) % slot.voiceCount;
    Voice& voice = *slot.voices[slot.nextVoice];
    if (mixer.IsPlaying(voice)) mixer.StopVoice(voice);
    return slot.nextVoice;
}

}  // namespace zrv
