// RIFF WAVE images made in the tests, well-formed or damaged on purpose.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace zrv::test {

inline std::string LittleEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// A chunk with its pad byte after an odd length.
inline std::string Chunk(const std::string& tag, const std::string& payload) {
    std::string chunk = tag + LittleEndian(static_cast<std::uint32_t>(payload.size()), 4) + payload;
    if (payload.size() % 2 != 0) chunk += '\0';
    return chunk;
}

inline std::string FormatChunk(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                               std::uint16_t blockAlign = 0, std::uint16_t formatTag = 1) {
    if (blockAlign == 0) blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    return Chunk("fmt ", LittleEndian(formatTag, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4) +
                             LittleEndian(rate * blockAlign, 4) + LittleEndian(blockAlign, 2) + LittleEndian(bits, 2));
}

inline std::string Riff(const std::vector<std::string>& chunks) {
    std::string body = "WAVE";
    for (const auto& chunk : chunks) body += chunk;
    return "RIFF" + LittleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

// Sine samples of the given frequencies per side (one frequency: mono) at amplitude.
inline std::string ToneSamples(const std::vector<double>& frequencies, std::uint32_t rate, double ms, int bits,
                               double amplitude = 0.5) {
    std::string data;
    const auto frames = static_cast<std::uint32_t>(rate * ms / 1000);
    constexpr double kTwoPi = 6.283185307179586;
    for (std::uint32_t i = 0; i < frames; ++i) {
        for (const double frequency : frequencies) {
            const double value = amplitude * std::sin(kTwoPi * frequency * i / rate);
            if (bits == 8) data += static_cast<char>(static_cast<std::uint8_t>(std::lround(128 + 127 * value)));
            else data += LittleEndian(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(32767 * value))), 2);
        }
    }
    return data;
}

inline std::string ToneWave(const std::vector<double>& frequencies, std::uint32_t rate, double ms, int bits = 16,
                            double amplitude = 0.5) {
    const auto channels = static_cast<std::uint16_t>(frequencies.size());
    return Riff({FormatChunk(channels, rate, static_cast<std::uint16_t>(bits)),
                 Chunk("data", ToneSamples(frequencies, rate, ms, bits, amplitude))});
}

}  // namespace zrv::test
