// What the player remembers between runs.
#include "settings.h"

#include "panels.h"
#include "shared.h"

namespace player {

SettingsState settings;

namespace {

constexpr const char* kSection = "player";
constexpr const char* kFolderKey = "folder";
constexpr const char* kVolumeKey = "volume";
constexpr const char* kLoopKey = "loop";
constexpr double kMaxVolume = 100;

// The folder the file lives in: the text before its last "/".
RtString FolderOf(const RtString& file) {
    const std::int32_t length = static_cast<std::int32_t>(file.Length());
    std::int32_t slash = length - 1;
    while (slash > 0 && file.c_str()[slash] != '/') --slash;
    return MidString(file, 0, slash);
}

// Each missing folder on the way, as a new home has no configuration folder yet.
void MakeFolders(const RtString& folder) {
    if (folder.IsEmpty() || IsDirectory(folder) == 1) return;
    MakeFolders(FolderOf(folder));
    CreateDir(folder);
}

// A whole number 0..100 and nothing else, or -1.
double VolumeFrom(const RtString& text) {
    if (text.IsEmpty() || text.Length() > 3) return -1;
    for (const char* at = text.c_str(); *at != 0; ++at) {
        if (*at < '0' || *at > '9') return -1;
    }
    const double volume = TextToNumber(text);
    return volume <= kMaxVolume ? volume : -1;
}

RtString Read(const char* key) { return ReadConfigValue(kSection, key); }

}  // namespace

void LoadSettings() {
    settings = SettingsState{};
    settings.file = SettingsFileName();
    if (settings.file.IsEmpty()) return;
    OpenConfigFile(settings.file);
    settings.savedFolder = Read(kFolderKey);
    settings.savedVolume = Read(kVolumeKey);
    settings.savedLoop = Read(kLoopKey);

    const RtString& folder = settings.savedFolder;
    if (IsAbsolutePath(folder.c_str()) && IsDirectory(folder) == 1) settings.folder = folder;
    PresetControls(VolumeFrom(settings.savedVolume), settings.savedLoop == "1");
}

void SaveChangedSettings(bool quitting) {
    if (settings.file.IsEmpty() || (shared.mouseLeft != 0 && !quitting)) return;
    const RtString folder = ReadCurrentDir();
    const RtString volume = IntToText(static_cast<std::int32_t>(panels.volume));
    const RtString loop = panels.loopOn == 1 ? "1" : "0";
    // The three in one text, to tell a change from one frame to the next.
    const RtString now = volume + "," + loop + "," + folder;
    const bool changed = !settings.seen.IsEmpty() && now != settings.seen;
    settings.seen = now;
    if (!changed && !quitting) return;
    if (folder == settings.savedFolder && volume == settings.savedVolume && loop == settings.savedLoop) return;
    settings.savedFolder = folder;
    settings.savedVolume = volume;
    settings.savedLoop = loop;
    WriteConfigValue(kSection, kFolderKey, folder);
    WriteConfigValue(kSection, kVolumeKey, volume);
    WriteConfigValue(kSection, kLoopKey, loop);
    MakeFolders(FolderOf(settings.file));
    // Opening the file again writes the changes out now; a failure leaves the old file.
    OpenConfigFile(settings.file);
}

}  // namespace player
