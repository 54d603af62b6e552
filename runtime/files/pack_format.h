// The media pack: LZO1X-compressed files and their directory at the end of a pack file
// (usually the executable), found through a seven-byte trailer.
//
//   trailer (last 7 bytes): "sbX", directory position D (int32)
//   directory at D:         entries {name length L (1..255), name, position P, stored
//                           size S}, ended by a length byte of 0
//   entry data, S bytes at P: unpacked size U (int32), then the LZO1X stream
//
// Integers are little-endian int32. D >= 0: every position counts from the start of the
// pack; D < 0: D and every P count from its end, so a pack fits behind any host file.
#pragma once

#include <cstdint>

namespace zrv::pack {

inline constexpr char kMagic[3] = {'s', 'b', 'X'};
inline constexpr std::int32_t kTrailerSize = 7;
inline constexpr std::int32_t kMaxNameLength = 255;
// Bytes of an entry's data before the compressed stream (U).
inline constexpr std::int32_t kDataHeaderSize = 4;
// No media file of a program comes near this; a pack claiming more is damaged.
inline constexpr std::int64_t kMaxUnpackedSize = std::int64_t{1} << 30;

// LZO1X needs at least one byte per 255 bytes of a long match, so a stream of n bytes can
// never expand to more than about 255 n bytes; the margin covers the shortest streams.
constexpr bool PlausibleUnpackedSize(std::int64_t unpacked, std::int64_t streamBytes) noexcept {
    return unpacked >= 0 && unpacked <= kMaxUnpackedSize && streamBytes >= 0 &&
           unpacked <= streamBytes * 256 + 1024;
}

// The two letters of a temporary file's name come from an entry's position and size.
constexpr char TempNameLetter(std::int32_t value) noexcept {
    return static_cast<char>('A' + (value & 0xFF) % 26);
}

}  // namespace zrv::pack
