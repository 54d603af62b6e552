#include "audio/wave_file.h"

#include <cstring>

#include "files/little_endian.h"

namespace zrv {

namespace {

constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kFormatRecord = 16;
// The rates a sound buffer accepts, in samples per second.
constexpr std::uint32_t kMinRate = 100;
constexpr std::uint32_t kMaxRate = 200000;

bool TagIs(std::span<const std::uint8_t> bytes, std::size_t at, const char* tag) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

// Walks from at to the chunk with the tag; at is left on the chunk's data. Chunks carry a
// pad byte after an odd length, as RIFF lays them out.
std::optional<std::span<const std::uint8_t>> WalkTo(std::span<const std::uint8_t> bytes, std::size_t& at,
                                                    const char* tag) {
    while (bytes.size() - at >= kChunkHeader) {
        const std::size_t length = LoadLittleEndian<std::uint32_t>(bytes.data() + at + 4);
        const bool found = TagIs(bytes, at, tag);
        at += kChunkHeader;
        if (length > bytes.size() - at) return std::nullopt;
        if (found) return bytes.subspan(at, length);
        at += length;
        if ((length & 1) != 0 && at < bytes.size()) ++at;
    }
    return std::nullopt;
}

}  // namespace

std::optional<WaveChunks> FindWaveChunks(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 12 || !TagIs(bytes, 0, "RIFF") || !TagIs(bytes, 8, "WAVE")) return std::nullopt;
    std::size_t at = 12;
    const auto fmt = WalkTo(bytes, at, "fmt ");
    if (!fmt || fmt->size() < kFormatRecord) return std::nullopt;
    WaveChunks wave;
    const std::uint8_t* record = fmt->data();
    wave.format.formatTag = LoadLittleEndian<std::uint16_t>(record);
    wave.format.channels = LoadLittleEndian<std::uint16_t>(record + 2);
    wave.format.samplesPerSecond = LoadLittleEndian<std::uint32_t>(record + 4);
    wave.format.averageBytesPerSecond = LoadLittleEndian<std::uint32_t>(record + 8);
    wave.format.blockAlign = LoadLittleEndian<std::uint16_t>(record + 12);
    wave.format.bitsPerSample = LoadLittleEndian<std::uint16_t>(record + 14);
    at += fmt->size();
    if ((fmt->size() & 1) != 0 && at < bytes.size()) ++at;
    const auto data = WalkTo(bytes, at, "data");
    if (!data) return std::nullopt;
    wave.data = *data;
    return wave;
}

std::optional<PcmSound> MakePcmSound(const WaveChunks& wave) {
    const WaveFormat& format = wave.format;
    if (format.channels == 0) return std::nullopt;
    const std::int32_t channels = format.channels < 2 ? 1 : 2;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return std::nullopt;
    const std::size_t bytesPerSample = format.bitsPerSample / 8u;
    if (format.blockAlign != bytesPerSample * static_cast<std::size_t>(channels)) return std::nullopt;
    if (format.samplesPerSecond < kMinRate || format.samplesPerSecond > kMaxRate) return std::nullopt;
    // A trailing part of a frame cannot be played and is left out.
    const std::size_t count = wave.data.size() / format.blockAlign * static_cast<std::size_t>(channels);
    if (count == 0) return std::nullopt;

    PcmSound sound;
    sound.channels = channels;
    sound.rate = static_cast<std::int32_t>(format.samplesPerSecond);
    sound.samples.resize(count);
    const std::uint8_t* source = wave.data.data();
    for (std::size_t i = 0; i < count; ++i) {
        // 8-bit samples are unsigned around 128, 16-bit ones signed.
        sound.samples[i] = bytesPerSample == 1 ? static_cast<std::int16_t>((source[i] - 128) * 256)
                                               : LoadLittleEndian<std::int16_t>(source + 2 * i);
    }
    return sound;
}

}  // namespace zrv
