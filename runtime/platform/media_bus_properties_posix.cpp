#include "platform/media_bus_properties.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <utility>

#include "platform/media_controls_state.h"
#include "zorvane/media_controls.h"

namespace zrv {

namespace {

constexpr const char* kNoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
constexpr const char* kTrackPrefix = "/org/zorvane/Track/";

// Which published change makes a property's value change; fixed ones never signal.
enum class Follows { fixed, status, piece, volume };

std::int64_t Microseconds(double ms) { return static_cast<std::int64_t>(std::llround(ms * 1000)); }
bool HasPiece(const MediaControlsState& state) { return !state.playback.url.empty(); }

void Variant(DBusMessageIter& into, int type, const char* signature, const void* value) {
    DBusMessageIter variant;
    dbus_message_iter_open_container(&into, DBUS_TYPE_VARIANT, signature, &variant);
    dbus_message_iter_append_basic(&variant, type, value);
    dbus_message_iter_close_container(&into, &variant);
}
void Bool(DBusMessageIter& into, bool value) {
    const dbus_bool_t flag = value ? TRUE : FALSE;
    Variant(into, DBUS_TYPE_BOOLEAN, DBUS_TYPE_BOOLEAN_AS_STRING, &flag);
}
void Text(DBusMessageIter& into, const std::string& value) {
    const char* text = value.c_str();
    Variant(into, DBUS_TYPE_STRING, DBUS_TYPE_STRING_AS_STRING, &text);
}
void Double(DBusMessageIter& into, double value) { Variant(into, DBUS_TYPE_DOUBLE, DBUS_TYPE_DOUBLE_AS_STRING, &value); }
void Int64(DBusMessageIter& into, std::int64_t value) {
    const dbus_int64_t number = value;
    Variant(into, DBUS_TYPE_INT64, DBUS_TYPE_INT64_AS_STRING, &number);
}
void ObjectPath(DBusMessageIter& into, const std::string& value) {
    const char* path = value.c_str();
    Variant(into, DBUS_TYPE_OBJECT_PATH, DBUS_TYPE_OBJECT_PATH_AS_STRING, &path);
}
void EmptyTextList(DBusMessageIter& into) {
    DBusMessageIter variant, list;
    dbus_message_iter_open_container(&into, DBUS_TYPE_VARIANT, "as", &variant);
    dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, DBUS_TYPE_STRING_AS_STRING, &list);
    dbus_message_iter_close_container(&variant, &list);
    dbus_message_iter_close_container(&into, &variant);
}

// One "{sv}" entry of a dictionary, its value written by write.
template <class Write>
void Entry(DBusMessageIter& dictionary, const char* key, Write write) {
    DBusMessageIter entry;
    dbus_message_iter_open_container(&dictionary, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
    dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
    write(entry);
    dbus_message_iter_close_container(&dictionary, &entry);
}

void Metadata(DBusMessageIter& into, const MediaControlsState& state) {
    const MediaPlayback& playback = state.playback;
    DBusMessageIter variant, dictionary;
    dbus_message_iter_open_container(&into, DBUS_TYPE_VARIANT, "a{sv}", &variant);
    dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "{sv}", &dictionary);
    Entry(dictionary, "mpris:trackid", [&](DBusMessageIter& entry) { ObjectPath(entry, TrackId(state)); });
    if (HasPiece(state)) {
        if (playback.lengthMs > 0) {
            Entry(dictionary, "mpris:length", [&](DBusMessageIter& entry) { Int64(entry, Microseconds(playback.lengthMs)); });
        }
        Entry(dictionary, "xesam:title", [&](DBusMessageIter& entry) { Text(entry, playback.title); });
        Entry(dictionary, "xesam:url", [&](DBusMessageIter& entry) { Text(entry, playback.url); });
    }
    dbus_message_iter_close_container(&variant, &dictionary);
    dbus_message_iter_close_container(&into, &variant);
}

const char* StatusText(std::int32_t status) {
    if (status == kMediaPlaying) return "Playing";
    if (status == kMediaPaused) return "Paused";
    return "Stopped";
}

struct Property {
    const char* name;
    Follows follows;
    void (*write)(DBusMessageIter&, const MediaControlsState&);
    bool (*present)(const MediaControlsState&) = nullptr;  // null: always there
};

const Property kRootProperties[] = {
    {"CanQuit", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { Bool(i, true); }},
    {"CanRaise", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { Bool(i, false); }},
    {"HasTrackList", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { Bool(i, false); }},
    {"Identity", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState& s) { Text(i, s.identity); }},
    {"DesktopEntry", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState& s) { Text(i, s.desktopEntry); },
     [](const MediaControlsState& s) { return !s.desktopEntry.empty(); }},
    // Pieces are chosen in the program, never opened by the desktop.
    {"SupportedUriSchemes", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { EmptyTextList(i); }},
    {"SupportedMimeTypes", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { EmptyTextList(i); }},
};

const Property kPlayerProperties[] = {
    {"PlaybackStatus", Follows::status,
     [](DBusMessageIter& i, const MediaControlsState& s) { Text(i, StatusText(s.playback.status)); }},
    {"Rate", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { Double(i, 1); }},
    {"MinimumRate", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { Double(i, 1); }},
    {"MaximumRate", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { Double(i, 1); }},
    {"Metadata", Follows::piece, Metadata},
    {"Volume", Follows::volume, [](DBusMessageIter& i, const MediaControlsState& s) { Double(i, s.playback.volume); }},
    // Asked for, never signalled: it moves all the time.
    {"Position", Follows::fixed,
     [](DBusMessageIter& i, const MediaControlsState& s) { Int64(i, Microseconds(s.playback.PositionNowMs())); }},
    // With a piece the program plays, pauses, seeks in it and steps to the music beside it.
    {"CanPlay", Follows::piece, [](DBusMessageIter& i, const MediaControlsState& s) { Bool(i, HasPiece(s)); }},
    {"CanPause", Follows::piece, [](DBusMessageIter& i, const MediaControlsState& s) { Bool(i, HasPiece(s)); }},
    {"CanSeek", Follows::piece,
     [](DBusMessageIter& i, const MediaControlsState& s) { Bool(i, HasPiece(s) && s.playback.lengthMs > 0); }},
    {"CanGoNext", Follows::piece, [](DBusMessageIter& i, const MediaControlsState& s) { Bool(i, HasPiece(s)); }},
    {"CanGoPrevious", Follows::piece, [](DBusMessageIter& i, const MediaControlsState& s) { Bool(i, HasPiece(s)); }},
    {"CanControl", Follows::fixed, [](DBusMessageIter& i, const MediaControlsState&) { Bool(i, true); }},
};

// The interface's table as [begin, end), or an empty range.
std::pair<const Property*, const Property*> PropertiesOf(const std::string& interface) {
    if (interface == kRootInterface) return {std::begin(kRootProperties), std::end(kRootProperties)};
    if (interface == kPlayerInterface) return {std::begin(kPlayerProperties), std::end(kPlayerProperties)};
    return {nullptr, nullptr};
}

bool Present(const Property& property, const MediaControlsState& state) {
    return property.present == nullptr || property.present(state);
}

bool Changed(Follows follows, const MediaChanges& changes) {
    return (follows == Follows::status && changes.status) || (follows == Follows::piece && changes.metadata) ||
           (follows == Follows::volume && changes.volume);
}

// Appends an a{sv} of the interface's properties that pass the filter.
template <class Filter>
void AppendDictionary(DBusMessageIter& into, const MediaControlsState& state, const std::string& interface,
                      Filter filter) {
    DBusMessageIter dictionary;
    dbus_message_iter_open_container(&into, DBUS_TYPE_ARRAY, "{sv}", &dictionary);
    const auto [begin, end] = PropertiesOf(interface);
    for (const Property* property = begin; property != end; ++property) {
        if (!Present(*property, state) || !filter(*property)) continue;
        Entry(dictionary, property->name, [&](DBusMessageIter& entry) { property->write(entry, state); });
    }
    dbus_message_iter_close_container(&into, &dictionary);
}

}  // namespace

std::string TrackId(const MediaControlsState& state) {
    if (!HasPiece(state)) return kNoTrack;
    return kTrackPrefix + std::to_string(state.playback.track);
}

bool AppendProperty(DBusMessageIter& into, const MediaControlsState& state, const std::string& interface,
                    const std::string& name) {
    const auto [begin, end] = PropertiesOf(interface);
    for (const Property* property = begin; property != end; ++property) {
        if (name == property->name && Present(*property, state)) {
            property->write(into, state);
            return true;
        }
    }
    return false;
}

void AppendAllProperties(DBusMessageIter& into, const MediaControlsState& state, const std::string& interface) {
    AppendDictionary(into, state, interface, [](const Property&) { return true; });
}

void AppendChangedProperties(DBusMessageIter& into, const MediaControlsState& state, const MediaChanges& changes) {
    AppendDictionary(into, state, kPlayerInterface,
                     [&](const Property& property) { return Changed(property.follows, changes); });
}

const char kMediaIntrospection[] =
    DBUS_INTROSPECT_1_0_XML_DOCTYPE_DECL_NODE
    "<node>\n"
    " <interface name=\"org.freedesktop.DBus.Introspectable\">\n"
    "  <method name=\"Introspect\"><arg name=\"xml\" type=\"s\" direction=\"out\"/></method>\n"
    " </interface>\n"
    " <interface name=\"org.freedesktop.DBus.Properties\">\n"
    "  <method name=\"Get\"><arg name=\"interface\" type=\"s\" direction=\"in\"/>"
    "<arg name=\"name\" type=\"s\" direction=\"in\"/><arg name=\"value\" type=\"v\" direction=\"out\"/></method>\n"
    "  <method name=\"GetAll\"><arg name=\"interface\" type=\"s\" direction=\"in\"/>"
    "<arg name=\"values\" type=\"a{sv}\" direction=\"out\"/></method>\n"
    "  <method name=\"Set\"><arg name=\"interface\" type=\"s\" direction=\"in\"/>"
    "<arg name=\"name\" type=\"s\" direction=\"in\"/><arg name=\"value\" type=\"v\" direction=\"in\"/></method>\n"
    "  <signal name=\"PropertiesChanged\"><arg name=\"interface\" type=\"s\"/>"
    "<arg name=\"changed\" type=\"a{sv}\"/><arg name=\"invalidated\" type=\"as\"/></signal>\n"
    " </interface>\n"
    " <interface name=\"org.mpris.MediaPlayer2\">\n"
    "  <method name=\"Raise\"/>\n"
    "  <method name=\"Quit\"/>\n"
    "  <property name=\"CanQuit\" type=\"b\" access=\"read\"/>\n"
    "  <property name=\"CanRaise\" type=\"b\" access=\"read\"/>\n"
    "  <property name=\"HasTrackList\" type=\"b\" access=\"read\"/>\n"
    "  <property name=\"Identity\" type=\"s\" access=\"read\"/>\n"
    "  <property name=\"DesktopEntry\" type=\"s\" access=\"read\"/>\n"
    "  <property name=\"SupportedUriSchemes\" type=\"as\" access=\"read\"/>\n"
    "  <property name=\"SupportedMimeTypes\" type=\"as\" access=\"read\"/>\n"
    " </interface>\n"
    " <interface name=\"org.mpris.MediaPlayer2.Player\">\n"
    "  <method name=\"Next\"/>\n"
    "  <method name=\"Previous\"/>\n"
    "  <method name=\"Pause\"/>\n"
    "  <method name=\"PlayPause\"/>\n"
    "  <method name=\"Stop\"/>\n"
    "  <method name=\"Play\"/>\n"
    "  <method name=\"Seek\"><arg name=\"Offset\" type=\"x\" direction=\"in\"/></method>\n"
    "  <method name=\"SetPosition\"><arg name=\"TrackId\" type=\"o\" direction=\"in\"/>"
    "<arg name=\"Position\" type=\"x\" direction=\"in\"/></method>\n"
    "  <method name=\"OpenUri\"><arg name=\"Uri\" type=\"s\" direction=\"in\"/></method>\n"
    "  <signal name=\"Seeked\"><arg name=\"Position\" type=\"x\"/></signal>\n"
    "  <property name=\"PlaybackStatus\" type=\"s\" access=\"read\"/>\n"
    "  <property name=\"Rate\" type=\"d\" access=\"read\"/>\n"
    "  <property name=\"MinimumRate\" type=\"d\" access=\"read\"/>\n"
    "  <property name=\"MaximumRate\" type=\"d\" access=\"read\"/>\n"
    "  <property name=\"Metadata\" type=\"a{sv}\" access=\"read\"/>\n"
    "  <property name=\"Volume\" type=\"d\" access=\"read\"/>\n"
    "  <property name=\"Position\" type=\"x\" access=\"read\"/>\n"
    "  <property name=\"CanGoNext\" type=\"b\" access=\"read\"/>\n"
    "  <property name=\"CanGoPrevious\" type=\"b\" access=\"read\"/>\n"
    "  <property name=\"CanPlay\" type=\"b\" access=\"read\"/>\n"
    "  <property name=\"CanPause\" type=\"b\" access=\"read\"/>\n"
    "  <property name=\"CanSeek\" type=\"b\" access=\"read\"/>\n"
    "  <property name=\"CanControl\" type=\"b\" access=\"read\"/>\n"
    " </interface>\n"
    "</node>\n";

}  // namespace zrv
