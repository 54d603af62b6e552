#include "platform/media_bus.h"

#include <dbus/dbus.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/media_bus_properties.h"
#include "platform/media_controls_state.h"
#include "platform/media_text.h"
#include "zorvane/media_controls.h"

namespace zrv {

namespace {

constexpr const char* kBusNamePrefix = "org.mpris.MediaPlayer2.";
constexpr const char* kIntrospectableInterface = "org.freedesktop.DBus.Introspectable";
// A desktop that floods the player with commands cannot make it hold more than this many,
// nor spend more than this many answers in one frame.
constexpr std::size_t kMaxWaitingCommands = 64;
constexpr int kMaxMessagesPerPoll = 64;

struct PlayerMethod {
    const char* interface;
    const char* member;
    std::int32_t command;
};

const PlayerMethod kPlainMethods[] = {
    {kPlayerInterface, "PlayPause", kMediaPlayPause}, {kPlayerInterface, "Play", kMediaPlay},
    {kPlayerInterface, "Pause", kMediaPause},         {kPlayerInterface, "Stop", kMediaStop},
    {kPlayerInterface, "Next", kMediaNext},           {kPlayerInterface, "Previous", kMediaPrevious},
    {kRootInterface, "Quit", kMediaQuit},
    // The program has no window of its own to bring forward.
    {kRootInterface, "Raise", kMediaNone},
};

// The message calls member of interface; a call that names no interface matches any.
bool Calls(DBusMessage* message, const char* interface, const char* member) {
    const char* called = dbus_message_get_member(message);
    const char* within = dbus_message_get_interface(message);
    return called != nullptr && std::strcmp(called, member) == 0 &&
           (within == nullptr || std::strcmp(within, interface) == 0);
}

void Send(DBusConnection* connection, DBusMessage* message) {
    if (message == nullptr) return;
    dbus_connection_send(connection, message, nullptr);
    dbus_message_unref(message);
}

// The address leads to a bus that is already there: an address that would start one, and
// leave a daemon behind, is no session bus.
bool NamesRunningBus(const std::string& address) {
    return !address.empty() && address.find("autolaunch:") == std::string::npos;
}

bool TakeName(DBusConnection* connection, const std::string& name) {
    DBusError error;
    dbus_error_init(&error);
    const int result = dbus_bus_request_name(connection, name.c_str(), DBUS_NAME_FLAG_DO_NOT_QUEUE, &error);
    dbus_error_free(&error);
    return result == DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER;
}

void Release(DBusConnection* connection) {
    dbus_connection_close(connection);
    dbus_connection_unref(connection);
}

}  // namespace

class MediaBusHandler {
public:
    static DBusHandlerResult Handle(DBusConnection* connection, DBusMessage* message, void* data) {
        auto& state = static_cast<MediaBus*>(data)->state_;
        if (dbus_message_get_type(message) != DBUS_MESSAGE_TYPE_METHOD_CALL) {
            return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
        }
        for (const PlayerMethod& method : kPlainMethods) {
            if (Calls(message, method.interface, method.member)) {
                if (method.command != kMediaNone) Queue(state, method.command, 0);
                return Done(connection, message);
            }
        }
        if (Calls(message, kPlayerInterface, "Seek")) return Seek(connection, message, state);
        if (Calls(message, kPlayerInterface, "SetPosition")) return SetPosition(connection, message, state);
        if (Calls(message, kPlayerInterface, "OpenUri")) {
            return Refuse(connection, message, DBUS_ERROR_NOT_SUPPORTED, "Pieces are chosen in the player");
        }
        if (Calls(message, kPropertiesInterface, "Get")) return Get(connection, message, state);
        if (Calls(message, kPropertiesInterface, "GetAll")) return GetAll(connection, message, state);
        if (Calls(message, kPropertiesInterface, "Set")) {
            return Refuse(connection, message, DBUS_ERROR_PROPERTY_READ_ONLY, "The player's properties are read-only");
        }
        if (Calls(message, kIntrospectableInterface, "Introspect")) {
            return Answer(connection, message, [](DBusMessageIter& into) {
                const char* xml = kMediaIntrospection;
                return dbus_message_iter_append_basic(&into, DBUS_TYPE_STRING, &xml) == TRUE;
            });
        }
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    }

private:
    static void Queue(MediaControlsState& state, std::int32_t command, double value) {
        if (state.commands.size() < kMaxWaitingCommands) state.commands.push_back({command, value});
    }

    static DBusHandlerResult Seek(DBusConnection* connection, DBusMessage* message, MediaControlsState& state) {
        dbus_int64_t offset = 0;
        if (!dbus_message_get_args(message, nullptr, DBUS_TYPE_INT64, &offset, DBUS_TYPE_INVALID)) {
            return Refuse(connection, message, DBUS_ERROR_INVALID_ARGS, "Seek takes an offset in microseconds");
        }
        Queue(state, kMediaSeek, static_cast<double>(offset) / 1000);
        return Done(connection, message);
    }

    // A position for a piece that no longer plays, or outside the piece, is passed over.
    static DBusHandlerResult SetPosition(DBusConnection* connection, DBusMessage* message, MediaControlsState& state) {
        const char* track = nullptr;
        dbus_int64_t position = 0;
        if (!dbus_message_get_args(message, nullptr, DBUS_TYPE_OBJECT_PATH, &track, DBUS_TYPE_INT64, &position,
                                   DBUS_TYPE_INVALID)) {
            return Refuse(connection, message, DBUS_ERROR_INVALID_ARGS, "SetPosition takes a track and a position");
        }
        const double ms = static_cast<double>(position) / 1000;
        const double length = state.playback.lengthMs;
        if (TrackId(state) == track && !state.playback.url.empty() && ms >= 0 && (length <= 0 || ms <= length)) {
            Queue(state, kMediaSetPosition, ms);
        }
        return Done(connection, message);
    }

    static DBusHandlerResult Get(DBusConnection* connection, DBusMessage* message, MediaControlsState& state) {
        const char* interface = nullptr;
        const char* name = nullptr;
        if (!dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name,
                                   DBUS_TYPE_INVALID)) {
            return Refuse(connection, message, DBUS_ERROR_INVALID_ARGS, "Get takes an interface and a name");
        }
        return Answer(connection, message,
                      [&](DBusMessageIter& into) { return AppendProperty(into, state, interface, name); });
    }

    static DBusHandlerResult GetAll(DBusConnection* connection, DBusMessage* message, MediaControlsState& state) {
        const char* interface = nullptr;
        if (!dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &interface, DBUS_TYPE_INVALID)) {
            return Refuse(connection, message, DBUS_ERROR_INVALID_ARGS, "GetAll takes an interface");
        }
        return Answer(connection, message, [&](DBusMessageIter& into) {
            AppendAllProperties(into, state, interface);
            return true;
        });
    }

    static DBusHandlerResult Refuse(DBusConnection* connection, DBusMessage* call, const char* name, const char* text) {
        Send(connection, dbus_message_new_error(call, name, text));
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    static DBusHandlerResult Done(DBusConnection* connection, DBusMessage* call) {
        Send(connection, dbus_message_new_method_return(call));
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    // Answers the call with what append writes, or, when it finds nothing to write, with
    // the error of an unknown property.
    template <class Append>
    static DBusHandlerResult Answer(DBusConnection* connection, DBusMessage* call, Append append) {
        DBusMessage* reply = dbus_message_new_method_return(call);
        if (reply == nullptr) return DBUS_HANDLER_RESULT_NEED_MEMORY;
        DBusMessageIter into;
        dbus_message_iter_init_append(reply, &into);
        if (!append(into)) {
            dbus_message_unref(reply);
            return Refuse(connection, call, DBUS_ERROR_UNKNOWN_PROPERTY, "No such property");
        }
        Send(connection, reply);
        return DBUS_HANDLER_RESULT_HANDLED;
    }
};

std::unique_ptr<MediaBus> MediaBus::Open(const std::string& address, const std::string& identity,
                                         MediaControlsState& state) {
    if (!NamesRunningBus(address)) return nullptr;
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
    if (connection == nullptr) {
        dbus_error_free(&error);
        return nullptr;
    }
    // A bus that goes away ends the media controls, never the program.
    dbus_connection_set_exit_on_disconnect(connection, FALSE);
    if (!dbus_bus_register(connection, &error)) {
        dbus_error_free(&error);
        Release(connection);
        return nullptr;
    }
    std::unique_ptr<MediaBus> bus(new MediaBus(connection, state));
    // A second copy of the program takes a name of its own beside the first.
    const std::string name = kBusNamePrefix + BusNameElement(identity);
    const std::string instance = name + ".instance" + std::to_string(getpid());
    if (TakeName(connection, name)) {
        bus->name_ = name;
    } else if (TakeName(connection, instance)) {
        bus->name_ = instance;
    } else {
        return nullptr;
    }
    static const DBusObjectPathVTable kVTable = {nullptr, MediaBusHandler::Handle, nullptr, nullptr, nullptr, nullptr};
    if (!dbus_connection_register_object_path(connection, kMediaObjectPath, &kVTable, bus.get())) return nullptr;
    return bus;
}

MediaBus::~MediaBus() { Release(connection_); }

bool MediaBus::Exchange() {
    if (!dbus_connection_get_is_connected(connection_)) return false;
    MediaChanges& changes = state_.changes;
    if (changes.status || changes.metadata || changes.volume) {
        DBusMessage* signal = dbus_message_new_signal(kMediaObjectPath, kPropertiesInterface, "PropertiesChanged");
        if (signal != nullptr) {
            DBusMessageIter into, invalidated;
            dbus_message_iter_init_append(signal, &into);
            const char* interface = kPlayerInterface;
            dbus_message_iter_append_basic(&into, DBUS_TYPE_STRING, &interface);
            AppendChangedProperties(into, state_, changes);
            dbus_message_iter_open_container(&into, DBUS_TYPE_ARRAY, DBUS_TYPE_STRING_AS_STRING, &invalidated);
            dbus_message_iter_close_container(&into, &invalidated);
            Send(connection_, signal);
        }
    }
    if (changes.seeked) {
        DBusMessage* signal = dbus_message_new_signal(kMediaObjectPath, kPlayerInterface, "Seeked");
        const dbus_int64_t position = static_cast<dbus_int64_t>(state_.playback.PositionNowMs() * 1000);
        if (signal != nullptr) dbus_message_append_args(signal, DBUS_TYPE_INT64, &position, DBUS_TYPE_INVALID);
        Send(connection_, signal);
    }
    changes = MediaChanges{};

    // Reads what has arrived and writes what is queued, without waiting for either.
    dbus_connection_read_write(connection_, 0);
    for (int handled = 0; handled < kMaxMessagesPerPoll; ++handled) {
        if (dbus_connection_dispatch(connection_) != DBUS_DISPATCH_DATA_REMAINS) break;
    }
    // The answers leave now rather than with the next frame.
    dbus_connection_read_write(connection_, 0);
    return dbus_connection_get_is_connected(connection_);
}

}  // namespace zrv
