// The player object's properties as the bus carries them, from what the program published.
#pragma once

#include <dbus/dbus.h>

#include <string>

namespace zrv {

struct MediaChanges;
struct MediaControlsState;

constexpr const char* kMediaObjectPath = "/org/mpris/MediaPlayer2";
constexpr const char* kRootInterface = "org.mpris.MediaPlayer2";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";
constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";

// What Introspect answers for the player object.
extern const char kMediaIntrospection[];

// The object path that names the piece published last (the "no track" path when none).
std::string TrackId(const MediaControlsState& state);
// Appends the property's value as a variant; false when the interface has no such property.
bool AppendProperty(DBusMessageIter& into, const MediaControlsState& state, const std::string& interface,
                    const std::string& name);
// Appends an a{sv} of every property of the interface (empty for an interface it has not).
void AppendAllProperties(DBusMessageIter& into, const MediaControlsState& state, const std::string& interface);
// Appends an a{sv} of the player's properties the changes touch.
void AppendChangedProperties(DBusMessageIter& into, const MediaControlsState& state, const MediaChanges& changes);

}  // namespace zrv
