// Building a media pack: the pack tool, the tests and the benchmarks make their packs here.
// Depends on nothing of the runtime but the format, so the tool can compile it alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zrv {

struct PackInput {
    std::string name;  // the entry's name: 1 to 255 bytes
    std::vector<std::uint8_t> data;
};

struct PackedEntry {
    std::string name;
    std::int32_t position = 0;    // P as written
    std::int32_t storedSize = 0;  // S
    std::int32_t unpackedSize = 0;
};

struct PackImage {
    std::vector<std::uint8_t> bytes;
    std::vector<PackedEntry> entries;
};

// Compresses the files with LZO1X-1 and lays out the data, the directory and the trailer.
// fromEnd writes positions counted from the end, so the bytes can be appended to any host
// file unchanged. Each compressed stream is unpacked again and compared before it is
// accepted. False with a reason when a name or a size cannot be stored.
bool BuildMediaPack(const std::vector<PackInput>& files, bool fromEnd, PackImage& pack, std::string& error);

}  // namespace zrv
