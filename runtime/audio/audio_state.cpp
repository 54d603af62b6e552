#include "audio/audio_state.h"

namespace zrv {

AudioState::~AudioState() {
    movie.reset();
    music.window.reset();
    if (system != nullptr) {
        for (SoundSlot& slot : slots) EmptySlot(slot, system->GetMixer());
    }
    slots.clear();
    system.reset();
}

}  // namespace zrv
