#include "files/config_store.h"

#include <algorithm>

#include "core/fatal.h"
#include "files/ascii.h"
#include "files/files_state.h"
#include "files/media_resolver.h"
#include "files/memory_files.h"
#include "files/plain_file.h"
#include "files/replace_file.h"
#include "files/rt_file.h"
#include "files/text_lines.h"
#include "zorvane/config_files.h"

namespace zrv {

namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool EndsName(char c) noexcept { return IsBlank(c) || c == '='; }

std::size_t SkipSpaces(std::string_view line, std::size_t at) noexcept {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    return at;
}

std::size_t NameEnd(std::string_view line, std::size_t at) noexcept {
    while (at < line.size() && !EndsName(line[at])) ++at;
    return at;
}

ConfigSection* FindSection(std::vector<ConfigSection>& sections, std::string_view name) noexcept {
    for (ConfigSection& section : sections) {
        if (EqualIgnoringCase(section.name, name)) return &section;
    }
    return nullptr;
}

ConfigEntry* FindKey(ConfigSection& section, std::string_view key) noexcept {
    for (ConfigEntry& entry : section.keys) {
        if (EqualIgnoringCase(entry.key, key)) return &entry;
    }
    return nullptr;
}

}  // namespace

void ConfigParser::KeepCurrent() {
    if (!current_.keys.empty()) sections_.push_back(std::move(current_));
    current_ = ConfigSection{};
}

void ConfigParser::Feed(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at < line.size() && line[at] == ';') return;
    if (at < line.size() && line[at] == '[') {
        KeepCurrent();
        const std::size_t start = SkipSpaces(line, at + 1);
        std::size_t end = NameEnd(line, start);
        if (end > start && line[end - 1] == ']') --end;
        current_.name.assign(line.substr(start, end - start));
        return;
    }
    const std::size_t keyEnd = NameEnd(line, at);
    if (keyEnd == line.size()) return;
    const std::size_t equals = SkipSpaces(line, keyEnd);
    if (equals == line.size() || line[equals] != '=') return;
    const std::size_t valueStart = SkipSpaces(line, equals + 1);
    std::size_t valueEnd = line.size();
    while (valueEnd > valueStart && static_cast<unsigned char>(line[valueEnd - 1]) < 32) --valueEnd;
    if (valueEnd == valueStart) return;
    current_.keys.push_back(ConfigEntry{std::string(line.substr(at, keyEnd - at)),
                                        std::string(line.substr(valueStart, valueEnd - valueStart))});
}

std::vector<ConfigSection> ConfigParser::Finish() {
    KeepCurrent();
    return std::move(sections_);
}

std::vector<ConfigSection> ParseConfig(std::string_view text) {
    ConfigParser parser;
    ForEachLine(text, INT32_MAX, [&parser](std::string_view line) { parser.Feed(line); });
    return parser.Finish();
}

std::string FormatConfig(const std::vector<ConfigSection>& sections) {
    std::string text;
    for (const ConfigSection& section : sections) {
        text += "[" + section.name + "]\r\n";
        for (const ConfigEntry& entry : section.keys) text += entry.key + "=" + entry.value + "\r\n";
    }
    return text;
}

void ConfigStore::WriteBackIfChanged() noexcept {
    if (!configChanged || configName.empty() || IsMemoryFileName(configName)) return;
    configChanged = false;
    try {
        ReplaceFileContents(configPath, FormatConfig(configSections));
    } catch (...) {
        // As any failure of a write-back: the file stays as it was.
    }
}

}  // namespace zrv

void OpenConfigFile(const RtString& name) {
    auto& store = zrv::Files().config;
    store.WriteBackIfChanged();
    try {
        store.configSections.clear();
        store.configChanged = false;
        store.configName = name.c_str();
        store.configPath = zrv::AbsolutePath(store.configName);
        std::string usable;
        if (zrv::ResolveName(zrv::Files().memoryResolver, store.configName, usable, true) == 0) return;
        // A device or a pipe counts as missing; it would be read without end.
        zrv::RtFile file;
        if (!zrv::IsPlainFile(usable) || !file.OpenRead(usable.c_str())) return;
        zrv::ConfigParser parser;
        zrv::ForEachLine(file, INT32_MAX, [&parser](std::string_view line) { parser.Feed(line); });
        store.configSections = parser.Finish();
    } catch (...) {
        // The keys the program reads are its values (see core/fatal.h).
        zrv::StopOutOfMemory();
    }
}

RtString ReadConfigValue(const RtString& section, const RtString& key) {
    auto& sections = zrv::Files().config.configSections;
    if (zrv::ConfigSection* found = zrv::FindSection(sections, section.c_str())) {
        if (const zrv::ConfigEntry* entry = zrv::FindKey(*found, key.c_str())) return RtString(entry->value.c_str());
    }
    return RtString("NO_DATA");
}

void WriteConfigValue(const RtString& section, const RtString& key, const RtString& value) {
    auto& store = zrv::Files().config;
    auto& sections = store.configSections;
    zrv::ConfigSection* found = zrv::FindSection(sections, section.c_str());
    try {
        if (key.IsEmpty()) {
            if (found == nullptr) return;
            // The last section takes the place of the deleted one.
            if (found != &sections.back()) *found = std::move(sections.back());
            sections.pop_back();
            store.configChanged = true;
            return;
        }
        if (found == nullptr) {
            sections.push_back(zrv::ConfigSection{section.c_str(), {}});
            found = &sections.back();
        }
        if (zrv::ConfigEntry* entry = zrv::FindKey(*found, key.c_str())) {
            entry->value = value.c_str();
        } else {
            found->keys.push_back(zrv::ConfigEntry{key.c_str(), value.c_str()});
        }
        store.configChanged = true;
    } catch (...) {
        // The key the program writes is its value (see core/fatal.h).
        zrv::StopOutOfMemory();
    }
}
