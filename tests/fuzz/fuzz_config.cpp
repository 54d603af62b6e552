// Configuration files from outside: loading never fails, the store loaded through a memory
// file equals the text parsed directly, and the file the store writes back loads into the
// same store again. Changes and deletions then run on whatever was loaded.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/config_store.h"
#include "files/files_state.h"
#include "zorvane/config_files.h"
#include "zorvane/memory_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = zrv::ParseConfig(text);
    if (zrv::ParseConfig(zrv::FormatConfig(parsed)) != parsed) std::abort();

    const RtString name = RegisterMemoryFile(data, static_cast<std::int32_t>(size));
    OpenConfigFile(name);
    auto& store = zrv::Files().config;
    if (store.configSections != parsed) std::abort();
    if (!parsed.empty() && !parsed.front().keys.empty()) {
        const RtString section = parsed.front().name.c_str();
        const RtString key = parsed.front().keys.front().key.c_str();
        if (!(ReadConfigValue(section, key) == parsed.front().keys.front().value.c_str())) std::abort();
        // (An empty key would delete the section instead.)
        if (!key.IsEmpty()) {
            WriteConfigValue(section, key, "changed");
            if (!(ReadConfigValue(section, key) == "changed")) std::abort();
        }
        WriteConfigValue(section, "", "");
    }
    WriteConfigValue("added", "key", "value");
    // A store loaded from memory is never written anywhere.
    OpenConfigFile("");
    ReleaseMemoryFile(name);
    return 0;
}
