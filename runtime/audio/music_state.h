// What the runtime keeps of the current music.
#pragma once

#include <memory>
#include <string>

#include "audio/media_player.h"

namespace zrv {

struct MusicState {
    // The player of the current music; null when no music is loaded.
    std::unique_ptr<MediaPlayer> window;
    // Clock time at which looping music is started again; 0 when it does not loop. Stale
    // while the music is paused: resuming counts it afresh from the position.
    double loopEnd = 0;
    // Held by PauseMusic until ResumeMusic, a new start or a stop.
    bool paused = false;
    // The last volume sent; -1 when none was sent since the last start or stop.
    double volume = -1;
    // The resolved name of the current music.
    std::string file;
};

}  // namespace zrv
