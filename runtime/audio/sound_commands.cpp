// The sound-effect commands and the sound device's share of start-up and shutdown.
#include <algorithm>
#include <cmath>

#include "audio/audio_runtime.h"
#include "audio/audio_state.h"
#include "audio/wave_loader.h"
#include "zorvane/audio.h"
#include "zorvane/maths.h"
#include "zorvane/media_pack.h"

namespace zrv {

namespace {

constexpr std::int32_t kLastSlot = kSoundSlots - 1;

Mixer* CurrentMixer() {
    auto& system = Audio().system;
    return system != nullptr ? &system->GetMixer() : nullptr;
}

// The slot a play or load request addresses; null for a negative number or before the
// slot table exists.
SoundSlot* AddressedSlot(std::int32_t slot) {
    auto& slots = Audio().slots;
    if (slot < 0 || slots.empty()) return nullptr;
    return &slots[static_cast<std::size_t>(std::min(slot, kLastSlot))];
}

}  // namespace

void StartSoundSlots() {
    auto& slots = Audio().slots;
    slots.clear();
    slots.resize(kSoundSlots);
}

void StartSound(WindowHandle) {
    // SDL's audio device needs no window, so a new window changes nothing.
    auto& audio = Audio();
    if (audio.system == nullptr) audio.system = SoundSystem::Open();
}

void StopSoundSlots() {
    auto& audio = Audio();
    if (Mixer* mixer = CurrentMixer()) {
        for (SoundSlot& slot : audio.slots) EmptySlot(slot, *mixer);
    }
    audio.slots.clear();
}

void StopSound() {
    auto& audio = Audio();
    // Nothing may be left reading from the mixer when the device goes.
    audio.movie.reset();
    audio.music.window.reset();
    if (Mixer* mixer = CurrentMixer()) {
        for (SoundSlot& slot : audio.slots) EmptySlot(slot, *mixer);
    }
    audio.system.reset();
}

}  // namespace zrv

std::int32_t FindFreeSound() {
    const auto& slots = zrv::Audio().slots;
    for (std::int32_t slot = 0; slot < zrv::kSoundSlots; ++slot) {
        if (slots.empty() || slots[static_cast<std::size_t>(slot)].voiceCount == 0) return slot;
    }
    return -1;
}

void LoadSound(const RtString& name, std::int32_t slot, std::int32_t voices) {
    try {
        zrv::SoundSlot* target = zrv::AddressedSlot(slot);
        if (target == nullptr) return;
        // A name the lookup fails on is still tried as it came back, and normally fails to
        // open.
        RtString usable;
        ResolveMediaName(MemoryMediaResolver(), name, usable, 1);
        zrv::Mixer* mixer = zrv::CurrentMixer();
        if (mixer == nullptr) return;
        zrv::EmptySlot(*target, *mixer);
        voices = std::clamp(voices, 1, zrv::kMaxVoices);
        auto sound = zrv::LoadWaveFile(usable.c_str());
        if (!sound) return;
        zrv::FillSlot(*target, std::make_shared<const zrv::PcmSound>(std::move(*sound)), voices, name.c_str());
    } catch (...) {
        // Out of memory for the samples: the slot stays empty, as for any failed load.
    }
}

std::int32_t PlaySound(std::int32_t slot, double pan, double volume) {
    try {
        zrv::SoundSlot* target = zrv::AddressedSlot(slot);
        zrv::Mixer* mixer = zrv::CurrentMixer();
        if (target == nullptr || mixer == nullptr || target->voiceCount == 0) return -1;
        if (std::isnan(pan)) pan = 0;
        pan = std::clamp(pan, -1.0, 1.0);
        const double level = std::clamp(volume * 100, 0.0, 100.0);
        const std::int32_t voice = zrv::ChooseVoice(*target, *mixer);
        if (voice < 0) return -1;
        const zrv::StereoGain gain =
            zrv::GainOfVolumeAndPan(TruncateToInt32(level * 100 - 10000), TruncateToInt32(pan * zrv::kFullPanHundredths));
        mixer->StartVoice(*target->voices[static_cast<std::size_t>(voice)], gain);
        return std::min(slot, zrv::kLastSlot) * 256 + voice;
    } catch (...) {
        // No voice could be set up (see core/fatal.h): the sound does not start.
        return -1;
    }
}

std::int32_t IsSoundPlaying(std::int32_t channel) {
    if (channel < 0) return 0;
    const auto& slots = zrv::Audio().slots;
    const std::size_t slot = static_cast<std::size_t>(channel >> 8);
    const std::int32_t voice = channel & 255;
    zrv::Mixer* mixer = zrv::CurrentMixer();
    if (mixer == nullptr || slot >= slots.size() || voice >= slots[slot].voiceCount) return 0;
    return mixer->IsPlaying(*slots[slot].voices[static_cast<std::size_t>(voice)]) ? 1 : 0;
}

void StopAllSounds() {
    zrv::Mixer* mixer = zrv::CurrentMixer();
    if (mixer == nullptr) return;
    for (zrv::SoundSlot& slot : zrv::Audio().slots) {
        for (std::int32_t voice = 0; voice < slot.voiceCount; ++voice) {
            mixer->StopVoice(*slot.voices[static_cast<std::size_t>(voice)]);
        }
    }
}
