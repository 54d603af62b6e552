// The player's playback as other parts of the program drive it.
#include "transport.h"

#include <algorithm>

#include "file_browser.h"
#include "shared.h"

namespace player {

void TogglePause() {
    if (PlaybackPaused()) {
        ResumePlayback();
    } else {
        PausePlayback();
    }
}

void PausePlayback() {
    if (TrackLoaded()) PauseMusic();
}

void ResumePlayback() {
    if (TrackLoaded()) ResumeMusic();
}

void StopPlayback() { StopTrack(); }

void PlayAdjacentTrack(int step) {
    const std::int32_t entry = AdjacentMusicEntry(step);
    if (entry >= 0) OpenEntry(entry);
}

void SeekBy(double milliseconds) {
    if (TrackLoaded()) SeekTo(MusicPosition() + milliseconds);
}

void SeekTo(double milliseconds) {
    if (!TrackLoaded()) return;
    SeekMusic(std::clamp(milliseconds, 0.0, MusicLength()));
}

bool TrackLoaded() { return IsMusicPlaying() == 1; }

RtString PlayingTrackPath() { return TrackLoaded() ? shared.playingPath : RtString(); }

RtString PlayingTitle() {
    if (!TrackLoaded()) return RtString();
    const RtString title = MusicTitle();
    if (!title.IsEmpty()) return title;
    const RtString& path = shared.playingPath;
    const char* text = path.c_str();
    const char* name = text;
    for (const char* at = text; *at != 0; ++at) {
        if (*at == '/') name = at + 1;
    }
    return RtString(name);
}

double PlaybackPosition() { return TrackLoaded() ? MusicPosition() : 0; }

double PlaybackLength() { return TrackLoaded() ? MusicLength() : 0; }

bool PlaybackPaused() { return TrackLoaded() && IsMusicPaused() == 1; }

}  // namespace player
