// Name resolution: a media name that exists as a file (or names an in-memory file) is used
// as it is; any other is looked up in the resolver's media pack and handed back either as
// an in-memory file (memory resolver) or as a temporary file (file resolver).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/memory_files.h"

struct MediaResolver {
    // 0 once the pack turned out to be missing or without a trailer: lookups then never
    // open it again until SetMediaPacks.
    std::uint8_t enabled = 1;
    std::string packName;  // a path or a "mem://" name; empty until SetMediaPacks
    // The result of the previous lookup, released by the next one.
    std::string lastTempFile;
    std::string lastBlockName;
    zrv::SharedBytes lastBlock;
};

namespace zrv {

// out receives the usable name; 1 when it can be opened, else 0.
std::int32_t ResolveName(MediaResolver& resolver, std::string_view name, std::string& out, bool wantMemory);
// enabled := 1, the previous result released, the pack name taken over.
void PointResolverAt(MediaResolver& resolver, std::string_view packName);
// Frees the block or deletes the temporary file of the last lookup.
void ReleaseLastResult(MediaResolver& resolver) noexcept;

// Start-up: both resolvers on the running executable.
void StartMediaResolvers();
// Shutdown: the results of both resolvers released.
void StopMediaResolvers() noexcept;

// The file name under which the file resolver extracts an entry: "sbx", two letters made
// from P and S, and the entry's name with every separator (and NUL) turned into "_", so that no
// entry name can place the file outside the temporary folder.
std::string TemporaryFileName(const std::string& entryName, std::int32_t position, std::int32_t storedSize);

}  // namespace zrv
