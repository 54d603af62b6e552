// Music: one piece at a time; looping is the runtime's own, restarted from the frame call
// once the piece's length has passed.
#include <algorithm>
#include <cmath>

#include "audio/audio_runtime.h"
#include "audio/audio_state.h"
#include "audio/media_source.h"
#include "display/frame_state.h"
#include "zorvane/audio.h"
#include "zorvane/clock.h"
#include "zorvane/maths.h"

namespace zrv {

namespace {

// A piece shorter than this still loops with this period, so that a broken length can
// never restart the music at every frame.
constexpr std::int32_t kMinLoopMs = 500;

std::int32_t LoopLength(const MediaPlayer& player) { return std::max(player.LengthMs(), kMinLoopMs); }

void CloseMusicWindow(MusicState& music) {
    music.volume = -1;
    music.loopEnd = 0;
    music.paused = false;
    if (music.window != nullptr) {
        music.window->Stop();
        music.window.reset();
    }
}

void OpenMusic(MusicState& music, std::int32_t loop) {
    auto& audio = Audio();
    auto player = std::make_unique<MediaPlayer>();
    Mixer* mixer = audio.system != nullptr ? &audio.system->GetMixer() : nullptr;
    if (!player->Open(music.file, mixer, false)) return;
    music.window = std::move(player);
    const std::int32_t length = LoopLength(*music.window);
    music.loopEnd = loop != 0 ? ReadClockMs() + length : 0;
    music.window->SeekToStart();
    music.window->Play();
}

// Looping music is restarted where the rest of the piece from here ends.
void CountLoopFrom(MusicState& music, std::int32_t positionMs) {
    if (music.loopEnd > 0) music.loopEnd = ReadClockMs() + LoopLength(*music.window) - positionMs;
}

}  // namespace

void CheckMusicLoop() {
    MusicState& music = Audio().music;
    if (music.loopEnd <= 0 || music.window == nullptr || music.paused) return;
    const double now = ReadClockMs();
    if (now < music.loopEnd) return;
    music.loopEnd = now + LoopLength(*music.window);
    music.window->Play();
    music.window->SeekToStart();
    music.window->Play();
}

void StopMusicPlayer() {
    Audio().movie.reset();
    StopMusic();
}

}  // namespace zrv

void StartMusic(const RtString& name, std::int32_t loop) {
    zrv::MusicState& music = zrv::Audio().music;
    try {
        zrv::CloseMusicWindow(music);
        music.file = name.c_str();
        RtString resolved;
        if (!zrv::ResolvePlayableName(name, resolved)) return;
        music.file = resolved.c_str();

        // A file that cannot be opened leaves no music, as one that cannot be found. Opening
        // makes no window of its own, so the keyboard focus and the pointer stay as they are:
        // hiding the pointer and putting it back would undo a move the user made since the
        // last frame.
        zrv::OpenMusic(music, loop);
        if (music.volume != 1) {
            music.volume = 1;
            if (music.window != nullptr) music.window->SetVolume(1000);
        }
        zrv::Frame().paused = 0;
    } catch (...) {
        // Out of memory or a decoder's error (see core/fatal.h): no music, as for a bad file.
        music.window.reset();
        music.loopEnd = 0;
    }
}

std::int32_t StopMusic() {
    zrv::CloseMusicWindow(zrv::Audio().music);
    return 0;
}

void SetMusicVolume(double volume) {
    zrv::MusicState& music = zrv::Audio().music;
    if (volume == music.volume) return;
    music.volume = volume;
    if (music.window != nullptr) music.window->SetVolume(TruncateToInt32(volume * 1000));
}

std::int32_t IsMusicPlaying() {
    const zrv::MusicState& music = zrv::Audio().music;
    if (music.window == nullptr) return 0;
    if (music.loopEnd > 0) return 1;
    return music.window->PositionMs() < music.window->LengthMs() ? 1 : 0;
}

void PauseMusic() {
    zrv::MusicState& music = zrv::Audio().music;
    if (music.window == nullptr || music.paused) return;
    music.window->Stop();
    music.paused = true;
}

void ResumeMusic() {
    zrv::MusicState& music = zrv::Audio().music;
    if (music.window == nullptr || !music.paused) return;
    music.paused = false;
    zrv::CountLoopFrom(music, music.window->PositionMs());
    music.window->Play();
}

std::int32_t IsMusicPaused() {
    const zrv::MusicState& music = zrv::Audio().music;
    return music.window != nullptr && music.paused ? 1 : 0;
}

double MusicPosition() {
    const zrv::MusicState& music = zrv::Audio().music;
    return music.window != nullptr ? music.window->PositionMs() : 0;
}

double MusicLength() {
    const zrv::MusicState& music = zrv::Audio().music;
    return music.window != nullptr ? music.window->LengthMs() : 0;
}

void SeekMusic(double milliseconds) {
    zrv::MusicState& music = zrv::Audio().music;
    if (music.window == nullptr) return;
    // Not a number goes to the start, as a negative time does.
    const double length = music.window->LengthMs();
    const double target = milliseconds > 0 ? std::min(milliseconds, length) : 0;
    const auto position = static_cast<std::int32_t>(std::lround(target));
    music.window->Seek(position);
    if (!music.paused) music.window->Play();
    zrv::CountLoopFrom(music, position);
}

RtString MusicTitle() {
    const zrv::MusicState& music = zrv::Audio().music;
    if (music.window == nullptr) return RtString();
    return RtString(music.window->Title().c_str());
}
