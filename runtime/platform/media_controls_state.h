// The media controls' part of the runtime: what the program last published, the commands
// the desktop sent that the program has not polled yet, and the bus connection.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace zrv {

class MediaBus;

struct MediaCommand {
    std::int32_t code = 0;
    double value = 0;
};

// What plays, as the program published it. Strings are valid UTF-8.
struct MediaPlayback {
    std::int32_t status = 0;
    std::string title;
    std::string url;  // "file://..." of the piece, empty when none
    std::uint32_t track = 0;  // counts the pieces published, names the piece on the bus
    double positionMs = 0;
    double lengthMs = 0;
    double volume = 1;
    std::chrono::steady_clock::time_point stamp;  // when positionMs was published

    // Where the piece stands now: while playing, counted on from the stamp, up to its length.
    double PositionNowMs() const;
};

// Which changes the next poll tells the desktop about.
struct MediaChanges {
    bool status = false;
    bool metadata = false;
    bool volume = false;
    bool seeked = false;
};

struct MediaControlsState {
    MediaControlsState();
    ~MediaControlsState();
    MediaControlsState(const MediaControlsState&) = delete;
    MediaControlsState& operator=(const MediaControlsState&) = delete;

    std::unique_ptr<MediaBus> bus;  // null: not published
    std::string identity;
    std::string desktopEntry;
    MediaPlayback playback;
    MediaChanges changes;
    std::deque<MediaCommand> commands;
    double commandValue = 0;
    bool unreachableLogged = false;
};

MediaControlsState& MediaControls() noexcept;
// Leaves the bus and forgets what was published; the program may publish again.
void StopMediaControls();

}  // namespace zrv
