// The desktop's media keys and media controls.
#include "media_keys.h"

#include "panels.h"
#include "transport.h"
#include "zorvane.h"

namespace player {

namespace {

constexpr const char* kIdentity = "Zorvane";
// The base name of the desktop file the package installs.
constexpr const char* kDesktopEntry = "zorvane-player";
constexpr double kFullVolume = 100;

// Play with nothing loaded starts the folder's first music file, as a player would.
void Play() {
    if (TrackLoaded()) {
        ResumePlayback();
    } else {
        PlayAdjacentTrack(1);
    }
}

}  // namespace

void CarryMediaCommand(std::int32_t command, double value) {
    switch (command) {
        case kMediaPlayPause:
            if (TrackLoaded()) {
                TogglePause();
            } else {
                Play();
            }
            break;
        case kMediaPlay: Play(); break;
        case kMediaPause: PausePlayback(); break;
        case kMediaStop: StopPlayback(); break;
        case kMediaNext: PlayAdjacentTrack(1); break;
        case kMediaPrevious: PlayAdjacentTrack(-1); break;
        case kMediaSeek: SeekBy(value); break;
        case kMediaSetPosition: SeekTo(value); break;
        case kMediaQuit: EndProgram();
        default: break;
    }
}

namespace {

std::int32_t Status() {
    if (!TrackLoaded()) return kMediaStopped;
    return PlaybackPaused() ? kMediaPaused : kMediaPlaying;
}

}  // namespace

void OfferToMediaControls() { PublishMediaControls(kIdentity, kDesktopEntry); }

void UpdateMediaKeys() {
    for (std::int32_t command = PollMediaCommand(); command != kMediaNone; command = PollMediaCommand()) {
        CarryMediaCommand(command, MediaCommandValue());
    }
    PublishMediaState(Status(), PlayingTitle(), PlayingTrackPath(), PlaybackPosition(), PlaybackLength(),
                      panels.volume / kFullVolume);
}

}  // namespace player
