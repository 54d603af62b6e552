// Finding one entry of a media pack and unpacking it. Every position and size in the pack is
// checked against the pack before it is used: a damaged or hostile pack ends the lookup,
// it never makes the reader leave the pack or allocate more than the entry can hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/memory_files.h"
#include "files/rt_file.h"

namespace zrv {

enum class PackLookup {
    kFound,
    kUnreadable,  // the trailer cannot be read (a pack shorter than the trailer)
    kNoTrailer,   // no "sbX": the file carries no pack
    kNotFound,    // no entry of that name, or the directory ends unreadably
    kBroken,      // the matching entry points outside the pack or does not unpack
};

struct PackHit {
    PackLookup result = PackLookup::kNotFound;
    SharedBytes bytes;  // kFound: the unpacked file
    std::int32_t size = 0;
    std::string entryName;
    std::int32_t position = 0;    // P as stored
    std::int32_t storedSize = 0;  // S
};

// The part of a name after its last "/" or "\".
std::string_view BaseName(std::string_view name) noexcept;

// Looks baseName up in the open pack (an entry matches when the end of its name equals
// baseName, letters compared without case; the first match wins) and unpacks it.
PackHit LookUpPackEntry(RtFile& pack, std::string_view baseName);

}  // namespace zrv
