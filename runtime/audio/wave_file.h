// RIFF WAVE sounds: the walk over the chunks of a file's bytes, and the PCM buffer a sound
// slot plays from. The bytes are outside data, so every length is checked against what is
// really there before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zrv {

struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

// The sound as the mixer plays it: 16-bit samples, one or two interleaved channels, at
// the file's own rate.
struct PcmSound {
    std::int32_t channels = 0;
    std::int32_t rate = 0;
    std::vector<std::int16_t> samples;
    std::size_t Frames() const noexcept { return samples.size() / static_cast<std::size_t>(channels); }
};

// The "fmt " record and the "data" bytes of a RIFF WAVE image; nothing when the image is
// not one or a chunk runs past its end.
struct WaveChunks {
    WaveFormat format;
    std::span<const std::uint8_t> data;
};
std::optional<WaveChunks> FindWaveChunks(std::span<const std::uint8_t> bytes);

// The buffer a sound device would accept for that format: 8- or 16-bit samples, a block
// of exactly one frame, a rate it can play and at least one whole frame of data. The
// format tag is not looked at, so other encodings play as if they were PCM.
std::optional<PcmSound> MakePcmSound(const WaveChunks& wave);

inline std::optional<PcmSound> ParseWave(std::span<const std::uint8_t> bytes) {
    const auto chunks = FindWaveChunks(bytes);
    return chunks ? MakePcmSound(*chunks) : std::nullopt;
}

}  // namespace zrv
