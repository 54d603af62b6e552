#include "files/pack_reader.h"

#include <lzo/lzo1x.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "files/ascii.h"
#include "files/little_endian.h"
#include "files/pack_format.h"

namespace zrv {

namespace {

// Bounds-checked reads from the pack. Disk packs are read through a small window, so that
// walking the directory costs a few system calls rather than three per entry.
class PackBytes {
public:
    explicit PackBytes(RtFile& file) noexcept
        : file_(file), size_(file.OpenedSize()), memory_(file.MemoryBytes()) {}

    std::int64_t Size() const noexcept { return size_; }

    bool Read(std::int64_t at, void* out, std::int64_t n) {
        if (at < 0 || n < 0 || at > size_ - n) return false;
        if (memory_ != nullptr) {
            std::memcpy(out, memory_ + at, static_cast<std::size_t>(n));
            return true;
        }
        if (n > kWindow) {
            file_.Seek(static_cast<std::int32_t>(at), 0);
            return file_.ReadBytes(out, static_cast<std::int32_t>(n));
        }
        if (at < windowStart_ || at + n > windowStart_ + windowLength_) {
            const std::int64_t length = std::min<std::int64_t>(kWindow, size_ - at);
            file_.Seek(static_cast<std::int32_t>(at), 0);
            if (!file_.ReadBytes(window_, static_cast<std::int32_t>(length))) {
                windowLength_ = 0;
                return false;
            }
            windowStart_ = at;
            windowLength_ = length;
        }
        std::memcpy(out, window_ + (at - windowStart_), static_cast<std::size_t>(n));
        return true;
    }

    // The bytes [at, at + n) of a memory pack in place; null for a disk pack.
    const std::uint8_t* InPlace(std::int64_t at, std::int64_t n) const noexcept {
        if (memory_ == nullptr || at < 0 || n < 0 || at > size_ - n) return nullptr;
        return memory_ + at;
    }

private:
    static constexpr std::int64_t kWindow = 4096;

    RtFile& file_;
    std::int64_t size_;
    const std::uint8_t* memory_;
    std::uint8_t window_[kWindow];
    std::int64_t windowStart_ = 0;
    std::int64_t windowLength_ = 0;
};

bool ReadInt32(PackBytes& pack, std::int64_t at, std::int32_t& value) {
    std::uint8_t bytes[4];
    if (!pack.Read(at, bytes, 4)) return false;
    value = LoadLittleEndian<std::int32_t>(bytes);
    return true;
}

bool LzoReady() noexcept {
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

// Unpacks the entry's data (U, then the stream) into a new block of exactly U bytes.
bool Unpack(const std::uint8_t* data, std::int32_t storedSize, PackHit& hit) {
    const std::int32_t unpacked = LoadLittleEndian<std::int32_t>(data);
    const std::int32_t streamBytes = storedSize - pack::kDataHeaderSize;
    if (!pack::PlausibleUnpackedSize(unpacked, streamBytes) || !LzoReady()) return false;
    std::shared_ptr<std::uint8_t> block = AllocateBlock(unpacked);
    if (block == nullptr) return false;
    lzo_uint produced = static_cast<lzo_uint>(unpacked);
    const int status = lzo1x_decompress_safe(data + pack::kDataHeaderSize, static_cast<lzo_uint>(streamBytes),
                                             block.get(), &produced, nullptr);
    if (status != LZO_E_OK || produced != static_cast<lzo_uint>(unpacked)) return false;
    hit.bytes = std::move(block);
    hit.size = unpacked;
    return true;
}

}  // namespace

std::string_view BaseName(std::string_view name) noexcept {
    const std::size_t cut = name.find_last_of("/\\");
    return cut == std::string_view::npos ? name : name.substr(cut + 1);
}

PackHit LookUpPackEntry(RtFile& pack, std::string_view baseName) {
    PackHit hit;
    PackBytes bytes(pack);
    const std::int64_t size = bytes.Size();

    char magic[3];
    if (!bytes.Read(size - pack::kTrailerSize, magic, 3)) {
        hit.result = PackLookup::kUnreadable;
        return hit;
    }
    if (std::memcmp(magic, pack::kMagic, 3) != 0) {
        hit.result = PackLookup::kNoTrailer;
        return hit;
    }
    std::int32_t directory = 0;
    if (!ReadInt32(bytes, size - 4, directory)) {
        hit.result = PackLookup::kUnreadable;
        return hit;
    }
    const bool fromEnd = directory < 0;
    const std::int64_t origin = fromEnd ? size : 0;

    // A name ending in a separator names no file, and would otherwise match every entry.
    hit.result = PackLookup::kNotFound;
    if (baseName.empty()) return hit;

    char name[pack::kMaxNameLength];
    std::int64_t at = origin + directory;
    for (;;) {
        std::uint8_t length = 0;
        if (!bytes.Read(at, &length, 1) || length == 0) return hit;
        std::int32_t position = 0;
        std::int32_t storedSize = 0;
        if (!bytes.Read(at + 1, name, length) || !ReadInt32(bytes, at + 1 + length, position) ||
            !ReadInt32(bytes, at + 5 + length, storedSize)) {
            return hit;
        }
        at += 9 + length;
        if (length < baseName.size() ||
            !EqualIgnoringCase(std::string_view(name + length - baseName.size(), baseName.size()), baseName)) {
            continue;
        }

        hit.result = PackLookup::kBroken;
        hit.entryName.assign(name, length);
        hit.position = position;
        hit.storedSize = storedSize;
        const std::int64_t start = origin + position;
        if (storedSize < pack::kDataHeaderSize || start < 0 || start > size - storedSize) return hit;
        if (const std::uint8_t* inPlace = bytes.InPlace(start, storedSize)) {
            if (Unpack(inPlace, storedSize, hit)) hit.result = PackLookup::kFound;
            return hit;
        }
        std::vector<std::uint8_t> data;
        try {
            data.resize(static_cast<std::size_t>(storedSize));
        } catch (...) {
            // No room for the packed bytes (see core/fatal.h): the name is not found.
            return hit;
        }
        if (bytes.Read(start, data.data(), storedSize) && Unpack(data.data(), storedSize, hit)) {
            hit.result = PackLookup::kFound;
        }
        return hit;
    }
}

}  // namespace zrv
