#include "files/pack_writer.h"

#include <lzo/lzo1x.h>

#include <cstring>
#include <limits>

#include "files/little_endian.h"
#include "files/pack_format.h"

namespace zrv {

namespace {

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    std::uint8_t bytes[4];
    StoreLittleEndian(value, bytes);
    out.insert(out.end(), bytes, bytes + 4);
}

bool Compress(const std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& stream, std::string& error) {
    // LZO1X's documented worst case for incompressible input.
    stream.resize(data.size() + data.size() / 16 + 64 + 3);
    std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint written = stream.size();
    if (lzo1x_1_compress(data.data(), data.size(), stream.data(), &written, work.data()) != LZO_E_OK) {
        error = "compression failed";
        return false;
    }
    stream.resize(written);
    std::vector<std::uint8_t> check(data.size() + 1);
    lzo_uint produced = data.size();
    if (lzo1x_decompress_safe(stream.data(), stream.size(), check.data(), &produced, nullptr) != LZO_E_OK ||
        produced != data.size() ||
        (!data.empty() && std::memcmp(check.data(), data.data(), data.size()) != 0) ||
        !pack::PlausibleUnpackedSize(static_cast<std::int64_t>(data.size()),
                                     static_cast<std::int64_t>(stream.size()))) {
        error = "the compressed data does not unpack to the original";
        return false;
    }
    return true;
}

}  // namespace

bool BuildMediaPack(const std::vector<PackInput>& files, bool fromEnd, PackImage& pack, std::string& error) {
    pack = PackImage{};
    if (lzo_init() != LZO_E_OK) {
        error = "the LZO library cannot be initialised";
        return false;
    }
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    std::vector<std::uint8_t>& out = pack.bytes;
    std::vector<std::uint8_t> stream;
    for (const PackInput& file : files) {
        if (file.name.empty() || file.name.size() > pack::kMaxNameLength) {
            error = "entry name \"" + file.name + "\" must be 1 to 255 bytes long";
            return false;
        }
        if (static_cast<std::int64_t>(file.data.size()) > pack::kMaxUnpackedSize) {
            error = "\"" + file.name + "\" is larger than a pack entry may be (1 GiB)";
            return false;
        }
        if (!Compress(file.data, stream, error)) {
            error = "\"" + file.name + "\": " + error;
            return false;
        }
        const std::int64_t stored = pack::kDataHeaderSize + static_cast<std::int64_t>(stream.size());
        if (static_cast<std::int64_t>(out.size()) + stored > kLimit) {
            error = "the pack would be larger than 2 GiB";
            return false;
        }
        pack.entries.push_back(PackedEntry{file.name, static_cast<std::int32_t>(out.size()),
                                           static_cast<std::int32_t>(stored),
                                           static_cast<std::int32_t>(file.data.size())});
        AppendInt32(out, static_cast<std::int32_t>(file.data.size()));
        out.insert(out.end(), stream.begin(), stream.end());
    }

    const std::int64_t directory = static_cast<std::int64_t>(out.size());
    std::int64_t directoryBytes = 1 + pack::kTrailerSize;
    for (const PackedEntry& entry : pack.entries) directoryBytes += 9 + static_cast<std::int64_t>(entry.name.size());
    const std::int64_t total = directory + directoryBytes;
    if (total > kLimit) {
        error = "the pack would be larger than 2 GiB";
        return false;
    }
    const std::int64_t shift = fromEnd ? -total : 0;
    for (PackedEntry& entry : pack.entries) {
        entry.position = static_cast<std::int32_t>(entry.position + shift);
        out.push_back(static_cast<std::uint8_t>(entry.name.size()));
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        AppendInt32(out, entry.position);
        AppendInt32(out, entry.storedSize);
    }
    out.push_back(0);
    out.insert(out.end(), pack::kMagic, pack::kMagic + 3);
    AppendInt32(out, static_cast<std::int32_t>(directory + shift));
    return true;
}

}  // namespace zrv
