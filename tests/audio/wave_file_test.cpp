// The RIFF WAVE walk: what loads, and the damaged files that must fail without reading
// past the end of what they hold.
#include <gtest/gtest.h>

#include <cctype>

#include "audio/wave_file.h"
#include "wave_bytes.h"

namespace zrv::test {
namespace {

std::optional<PcmSound> Parse(const std::string& bytes) {
    // An exact-size copy, so that the address sanitizer sees any read past the end.
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    return ParseWave(copy);
}

TEST(WaveFile, SixteenBitStereoKeepsItsSamplesAndRate) {
    const std::string data = LittleEndian(0x1234, 2) + LittleEndian(0xFFFF, 2) + LittleEndian(0x8000, 2) +
                             LittleEndian(0x7FFF, 2);
    const auto sound = Parse(Riff({FormatChunk(2, 22050, 16), Chunk("data", data)}));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->rate, 22050);
    EXPECT_EQ(sound->samples, (std::vector<std::int16_t>{0x1234, -1, -32768, 32767}));
    EXPECT_EQ(sound->Frames(), 2u);
}

TEST(WaveFile, EightBitSamplesAreUnsignedAroundTheMiddle) {
    const auto sound = Parse(Riff({FormatChunk(1, 11025, 8), Chunk("data", std::string("\x80\xff\x00", 3))}));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->samples, (std::vector<std::int16_t>{0, 127 * 256, -128 * 256}));
}

TEST(WaveFile, ChunksBeforeAndBetweenAreSkippedWithTheirPadBytes) {
    const std::string list = Chunk("LIST", "INFOISFT\x05\0\0\0odd!!");  // odd length: padded
    const std::string fact = Chunk("fact", LittleEndian(2, 4));
    // A longer "fmt " record (as with an extension size) is read for its first 16 bytes.
    std::string format = FormatChunk(1, 8000, 16);
    format = Chunk("fmt ", format.substr(8) + std::string("\0\0", 2));
    const auto sound = Parse(Riff({list, format, fact, Chunk("data", LittleEndian(7, 2) + LittleEndian(9, 2))}));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->rate, 8000);
    EXPECT_EQ(sound->samples, (std::vector<std::int16_t>{7, 9}));
}

TEST(WaveFile, TheFormatTagIsNotLookedAtAndMoreThanTwoChannelsPlayAsTwo) {
    const auto sound = Parse(Riff({FormatChunk(4, 22050, 16, 4, 0x55), Chunk("data", std::string(8, '\0'))}));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->Frames(), 2u);
}

TEST(WaveFile, APartFrameAtTheEndIsLeftOut) {
    const auto sound = Parse(Riff({FormatChunk(2, 22050, 16), Chunk("data", std::string(6, '\1'))}));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->Frames(), 1u);
}

struct Damaged {
    const char* what;
    std::string bytes;
};

class DamagedWave : public ::testing::TestWithParam<Damaged> {};

TEST_P(DamagedWave, FailsToLoad) { EXPECT_FALSE(Parse(GetParam().bytes)) << GetParam().what; }

const std::string kData = Chunk("data", std::string(8, '\0'));
const std::string kFormat = FormatChunk(1, 22050, 16);

std::string Truncated(std::string bytes, std::size_t cut) { return bytes.substr(0, bytes.size() - cut); }

std::string WithLength(std::string chunk, std::uint32_t length) {
    return chunk.replace(4, 4, LittleEndian(length, 4));
}

INSTANTIATE_TEST_SUITE_P(
    Outside, DamagedWave,
    ::testing::Values(
        Damaged{"empty", ""},
        Damaged{"not RIFF", "RIFX" + Riff({kFormat, kData}).substr(4)},
        Damaged{"not WAVE", Riff({kFormat, kData}).replace(8, 4, "AVI ")},
        Damaged{"header only", Riff({})},
        Damaged{"no data chunk", Riff({kFormat})},
        Damaged{"no fmt chunk", Riff({kData})},
        Damaged{"data before fmt", Riff({kData, kFormat})},
        Damaged{"data length past the end", Riff({kFormat, WithLength(kData, 9)})},
        Damaged{"data length of 4 GiB", Riff({kFormat, WithLength(kData, 0xFFFFFFFF)})},
        Damaged{"chunk before fmt runs past the end", Riff({WithLength(Chunk("LIST", "abcd"), 0xFFFFFFF0), kFormat, kData})},
        Damaged{"fmt shorter than its record", Riff({Chunk("fmt ", std::string(14, '\1')), kData})},
        Damaged{"cut inside the data", Truncated(Riff({kFormat, kData}), 1)},
        Damaged{"cut inside a chunk header", Truncated(Riff({kFormat, kData}), 12)},
        Damaged{"zero channels", Riff({FormatChunk(0, 22050, 16, 2), kData})},
        Damaged{"block alignment of 0", Riff({FormatChunk(1, 22050, 16, 0xFFFF), kData}).replace(32, 2, LittleEndian(0, 2))},
        Damaged{"absurd block alignment", Riff({FormatChunk(1, 22050, 16, 60000), kData})},
        Damaged{"rate 0", Riff({FormatChunk(1, 0, 16), kData})},
        Damaged{"absurd rate", Riff({FormatChunk(1, 0xFFFFFFFF, 16), kData})},
        Damaged{"24-bit samples", Riff({FormatChunk(1, 22050, 24), kData})},
        Damaged{"no whole frame", Riff({kFormat, Chunk("data", "\1")})}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
}  // namespace zrv::test
