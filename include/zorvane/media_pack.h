// Media names and the media pack. Every media name a command opens passes through one of
// two resolvers: a name that exists as a file is used as it is; any other is looked up by
// its base name (letters compared without case) in the pack appended to the executable,
// and unpacked either into memory or into a temporary file, as the caller asks. The memory
// resolver serves file channels, images, fonts and sounds, the file resolver music and
// movies (which take memory results too, so no temporary file is written for them). A
// resolver keeps one result at a time: the next lookup through it releases the previous one.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

struct MediaResolver;

// The resolver that unpacks into memory: file channels, images, fonts and sounds.
MediaResolver& MemoryMediaResolver() noexcept;
// The resolver that unpacks into temporary files: music and movies.
MediaResolver& FileMediaResolver() noexcept;

// out receives the usable name: the name itself, a "mem://" name (wantMemory 1) or the
// path of a temporary file (wantMemory 0). 1 when out can be opened, else 0.
std::int32_t ResolveMediaName(MediaResolver& resolver, const RtString& name, RtString& out,
                              std::int32_t wantMemory);
// The packs of the memory and the file resolver: paths, or "mem://" names of blocks
// registered with RegisterMemoryFile. Re-enables both and releases their results. At
// start-up both are the running executable.
void SetMediaPacks(const RtString& memoryPack, const RtString& filePack);
