// The audio part of the runtime's process-wide state: the sound device with its mixer,
// the sound slots, the music and a movie while one plays. Free of SDL and FFmpeg headers.
#pragma once

#include <memory>
#include <vector>

#include "audio/media_player.h"
#include "audio/music_state.h"
#include "audio/sound_slots.h"
#include "audio/sound_system.h"

namespace zrv {

struct AudioState {
    AudioState() = default;
    // At exit without a shutdown everything still goes in the order shutdown uses, so no
    // thread or callback outlives what it reads.
    ~AudioState();
    AudioState(const AudioState&) = delete;
    AudioState& operator=(const AudioState&) = delete;

    std::unique_ptr<SoundSystem> system;  // null without an audio device
    std::vector<SoundSlot> slots;         // empty before start-up and after shutdown
    MusicState music;
    std::unique_ptr<MediaPlayer> movie;
};

AudioState& Audio() noexcept;

}  // namespace zrv
