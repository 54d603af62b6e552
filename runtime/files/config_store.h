// The configuration store: one file of sections ("[name]") holding key lines ("key = value")
// in memory, read and changed by section and key, written back when the program opens
// another configuration file or ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zrv {

struct ConfigEntry {
    std::string key;
    std::string value;
    bool operator==(const ConfigEntry&) const = default;
};

struct ConfigSection {
    std::string name;
    std::vector<ConfigEntry> keys;
    bool operator==(const ConfigSection&) const = default;
};

// Builds the sections from the lines of a file. Comments (';'), lines that are not
// "key = value" and sections without keys are dropped.
class ConfigParser {
public:
    void Feed(std::string_view line);
    std::vector<ConfigSection> Finish();

private:
    void KeepCurrent();

    std::vector<ConfigSection> sections_;
    ConfigSection current_;  // keys before the first header belong to a section named ""
};

std::vector<ConfigSection> ParseConfig(std::string_view text);
// The file as written back: "[name]" and one "key=value" per key, lines ended by "\r\n".
std::string FormatConfig(const std::vector<ConfigSection>& sections);

struct ConfigStore {
    std::string configName;  // as the program gave it
    std::string configPath;  // where it is written back
    std::vector<ConfigSection> configSections;
    bool configChanged = false;

    ConfigStore() = default;
    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;
    // The program's end writes a changed store back.
    ~ConfigStore() { WriteBackIfChanged(); }

    void WriteBackIfChanged() noexcept;
};

}  // namespace zrv
