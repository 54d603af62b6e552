// The program on the desktop's session bus as a media player: its well-known name, the
// player object, and the questions and commands that arrive for it.
#pragma once

#include <memory>
#include <string>

struct DBusConnection;

namespace zrv {

struct MediaControlsState;

class MediaBusHandler;

class MediaBus {
public:
    // Connects to the session bus at address and takes the player's name for identity;
    // null when the bus cannot be reached or no name can be had.
    static std::unique_ptr<MediaBus> Open(const std::string& address, const std::string& identity,
                                          MediaControlsState& state);
    ~MediaBus();
    MediaBus(const MediaBus&) = delete;
    MediaBus& operator=(const MediaBus&) = delete;

    const std::string& Name() const { return name_; }
    // Sends the signals of the changes recorded, then reads and answers what has arrived,
    // without waiting. False once the bus has gone.
    bool Exchange();

private:
    friend class MediaBusHandler;
    MediaBus(DBusConnection* connection, MediaControlsState& state) : connection_(connection), state_(state) {}

    DBusConnection* connection_;
    MediaControlsState& state_;
    std::string name_;
};

}  // namespace zrv
