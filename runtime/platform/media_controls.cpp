// The media-control commands: offering the program to the desktop, polling its commands
// and publishing what plays.
#include "zorvane/media_controls.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/media_bus.h"
#include "platform/media_controls_state.h"
#include "platform/media_text.h"
#include "zorvane/program.h"

namespace zrv {

namespace {

// A published position this far from where the piece should stand by the clock means the
// program moved it, and the desktop is told of the jump.
constexpr double kSeekToleranceMs = 1000;

double Finite(double value, double otherwise = 0) { return std::isfinite(value) ? value : otherwise; }

}  // namespace

double MediaPlayback::PositionNowMs() const {
    double position = positionMs;
    if (status == kMediaPlaying) {
        position += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - stamp).count();
    }
    return lengthMs > 0 ? std::min(position, lengthMs) : position;
}

MediaControlsState::MediaControlsState() = default;
MediaControlsState::~MediaControlsState() = default;

MediaControlsState& MediaControls() noexcept {
    static MediaControlsState state;
    return state;
}

void StopMediaControls() {
    MediaControlsState& state = MediaControls();
    state.bus.reset();
    state.identity.clear();
    state.desktopEntry.clear();
    state.playback = MediaPlayback{};
    state.changes = MediaChanges{};
    state.commands.clear();
    state.commandValue = 0;
}

}  // namespace zrv

std::int32_t PublishMediaControls(const RtString& identity, const RtString& desktopEntry) {
    zrv::MediaControlsState& state = zrv::MediaControls();
    if (state.bus) return 1;
    // Without an address there is no bus to join; one is never started for the program.
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (identity.IsEmpty() || address == nullptr || *address == '\0') return 0;
    state.bus = zrv::MediaBus::Open(address, identity.c_str(), state);
    if (!state.bus) {
        if (!state.unreachableLogged) AppendLogLine("Media controls: the session bus cannot be reached");
        state.unreachableLogged = true;
        return 0;
    }
    state.identity = zrv::ValidUtf8(identity.c_str());
    state.desktopEntry = zrv::ValidUtf8(desktopEntry.c_str());
    return 1;
}

std::int32_t PollMediaCommand() {
    zrv::MediaControlsState& state = zrv::MediaControls();
    if (state.bus && !state.bus->Exchange()) state.bus.reset();
    if (state.commands.empty()) {
        state.commandValue = 0;
        return kMediaNone;
    }
    const zrv::MediaCommand command = state.commands.front();
    state.commands.pop_front();
    state.commandValue = command.value;
    return command.code;
}

double MediaCommandValue() { return zrv::MediaControls().commandValue; }

void PublishMediaState(std::int32_t status, const RtString& title, const RtString& path, double positionMs,
                       double lengthMs, double volume) {
    zrv::MediaControlsState& state = zrv::MediaControls();
    if (!state.bus) return;
    zrv::MediaPlayback& playback = state.playback;
    zrv::MediaChanges& changes = state.changes;
    if (status != kMediaPlaying && status != kMediaPaused) status = kMediaStopped;
    positionMs = std::max(0.0, zrv::Finite(positionMs));
    lengthMs = std::max(0.0, zrv::Finite(lengthMs));
    volume = std::clamp(zrv::Finite(volume, 1), 0.0, 1.0);

    // The piece is told by its path; the same path published again is the same piece.
    const std::string url = path.IsEmpty() ? std::string() : zrv::FileUrl(path.c_str());
    const bool newPiece = url != playback.url;
    if (newPiece) {
        playback.url = url;
        ++playback.track;
        changes.metadata = true;
    } else if (!url.empty() && std::abs(positionMs - playback.PositionNowMs()) > zrv::kSeekToleranceMs) {
        changes.seeked = true;
    }
    const std::string text = zrv::ValidUtf8(title.c_str());
    if (text != playback.title || lengthMs != playback.lengthMs) changes.metadata = true;
    if (status != playback.status) changes.status = true;
    if (volume != playback.volume) changes.volume = true;
    playback.title = text;
    playback.status = status;
    playback.positionMs = positionMs;
    playback.lengthMs = lengthMs;
    playback.volume = volume;
    playback.stamp = std::chrono::steady_clock::now();
}
