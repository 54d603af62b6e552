// Sound effects: slots, voices, levels and pan, measured in what the device played.
#include <cmath>

#include "audio/audio_state.h"
#include "disk_audio.h"
#include "support/temp_dir.h"
#include "wave_bytes.h"
#include "zorvane/audio.h"
#include "zorvane/memory_files.h"

namespace zrv::test {
namespace {

class Sound : public AudioTest {
protected:
    // A 16-bit mono tone on disk.
    std::string Tone(const std::string& name, double ms, double frequency = 1000) {
        const std::string path = folder / name;
        WriteFile(path, ToneWave({frequency}, 22050, ms));
        return path;
    }
};

TEST_F(Sound, ThreeVoicesRotateAndTheFourthPlayCutsTheOldest) {
    LoadSound(Tone("long.wav", 1000).c_str(), 5, 3);
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 0);
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 1);
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 2);
    for (int voice = 0; voice < 3; ++voice) EXPECT_EQ(IsSoundPlaying(5 * 256 + voice), 1);
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 0);
    EXPECT_EQ(IsSoundPlaying(5 * 256 + 0), 1);
    // A channel past the slot's voices, or a negative one, never plays.
    EXPECT_EQ(IsSoundPlaying(5 * 256 + 3), 0);
    EXPECT_EQ(IsSoundPlaying(-1), 0);
}

TEST_F(Sound, ASingleVoiceStillPlayingRefusesAndPlaysAgainOnceDone) {
    LoadSound(Tone("short.wav", 200).c_str(), 0, 1);
    EXPECT_EQ(PlaySound(0, 0, 1), 0);
    EXPECT_EQ(PlaySound(0, 0, 1), -1);
    // The output runs behind the clock on a busy machine, so the end comes at 200 ms or
    // later; -1 when it never came.
    const double done = WaitFor([] { return IsSoundPlaying(0) == 0; }, 10000);
    EXPECT_GT(done, 150);
    EXPECT_EQ(PlaySound(0, 0, 1), 0);
}

// The waits between sounds leave a pause in the output even where it runs at half the
// speed of the clock, as it can on a busy machine.
TEST_F(Sound, PanAndVolumeFollowTheHundredthsOfADecibelScale) {
    LoadSound(Tone("beep.wav", 150).c_str(), 1, 1);
    EXPECT_EQ(PlaySound(1, -1, 1), 256);
    RunFor(500);
    EXPECT_EQ(PlaySound(1, 3, 2), 256);  // clamped: right only, full level
    RunFor(500);
    EXPECT_EQ(PlaySound(1, 0, 0.5), 256);  // -5000 hundredths: 50 dB down
    RunFor(500);
    EXPECT_EQ(PlaySound(1, 0, 0), 256);  // silent, but it still plays
    EXPECT_EQ(IsSoundPlaying(256), 1);
    RunFor(500);
    const Capture capture = Finish();

    const auto sounding = capture.Sounding(1e-5);
    ASSERT_EQ(sounding.size(), 3u);
    const auto middle = [](const Stretch& s) { return std::pair{s.startMs + 30, s.endMs - 30}; };
    const auto [l0, l1] = middle(sounding[0]);
    const double full = 0.5 / std::sqrt(2.0);
    EXPECT_NEAR(capture.Rms(0, l0, l1), full, 0.02);
    EXPECT_LT(capture.Peak(1, l0, l1), 1e-6);
    const auto [r0, r1] = middle(sounding[1]);
    EXPECT_NEAR(capture.Rms(1, r0, r1), full, 0.02);
    EXPECT_LT(capture.Peak(0, r0, r1), 1e-6);
    const auto [q0, q1] = middle(sounding[2]);
    EXPECT_NEAR(capture.Rms(0, q0, q1) / full, std::pow(10.0, -2.5), 0.0005);
    EXPECT_NEAR(capture.Rms(1, q0, q1) / full, std::pow(10.0, -2.5), 0.0005);
    for (const Stretch& s : sounding) EXPECT_NEAR(s.LengthMs(), 150, 10);
}

TEST_F(Sound, EachSoundPlaysAtItsOwnRateAndChannelsThroughTheDeviceRate) {
    const std::string mono8 = folder / "mono8.wav";
    WriteFile(mono8, ToneWave({500}, 11025, 400, 8));
    const std::string stereo = folder / "stereo.wav";
    WriteFile(stereo, ToneWave({300, 700}, 44100, 400, 16));
    LoadSound(mono8.c_str(), 2, 1);
    LoadSound(stereo.c_str(), 3, 1);
    EXPECT_EQ(PlaySound(2, 0, 1), 512);
    RunFor(1000);
    EXPECT_EQ(PlaySound(3, 0, 1), 768);
    RunFor(1000);
    const Capture capture = Finish();

    const auto sounding = capture.Sounding();
    ASSERT_EQ(sounding.size(), 2u);
    EXPECT_NEAR(sounding[0].LengthMs(), 400, 10);
    EXPECT_NEAR(capture.FrequencyHz(sounding[0].startMs + 50, sounding[0].endMs - 50), 500, 2);
    EXPECT_NEAR(sounding[1].LengthMs(), 400, 10);
    EXPECT_NEAR(capture.FrequencyHz(sounding[1].startMs + 50, sounding[1].endMs - 50), 300, 2);
    // Each side keeps its own tone.
    EXPECT_NEAR(capture.FrequencyHz(sounding[1].startMs + 50, sounding[1].endMs - 50, 1), 700, 2);
}

TEST_F(Sound, StopAllSoundsSilencesEveryVoiceAndRewindsIt) {
    LoadSound(Tone("a.wav", 1000).c_str(), 0, 2);
    LoadSound(Tone("b.wav", 1000, 700).c_str(), 1, 1);
    PlaySound(0, 0, 0.8);
    PlaySound(0, 0, 0.8);
    PlaySound(1, 0, 0.8);
    RunFor(300);
    StopAllSounds();
    EXPECT_EQ(IsSoundPlaying(0), 0);
    EXPECT_EQ(IsSoundPlaying(1), 0);
    EXPECT_EQ(IsSoundPlaying(256), 0);
    RunFor(300);
    // From the start again: the whole second plays.
    EXPECT_EQ(PlaySound(1, 0, 1), 256);
    RunFor(1200);
    const Capture capture = Finish();

    const auto sounding = capture.Sounding();
    ASSERT_EQ(sounding.size(), 2u);
    // Cut where it was stopped: about 300 ms of the clock, less in an output that ran
    // behind it, and far from the second the sounds last.
    EXPECT_GT(sounding[0].LengthMs(), 150);
    EXPECT_LT(sounding[0].LengthMs(), 500);
    EXPECT_NEAR(sounding[1].LengthMs(), 1000, 15);
}

class SoundLoading : public Sound {};

TEST_F(SoundLoading, SlotNumbersFromDiskAndMemoryFiles) {
    EXPECT_EQ(FindFreeSound(), 0);
    // A chunk before "fmt " is walked over.
    const std::string listFirst = folder / "list.wav";
    WriteFile(listFirst, Riff({Chunk("LIST", "INFOISFT\x04\0\0\0zrv\0"), FormatChunk(1, 22050, 16),
                               Chunk("data", ToneSamples({440}, 22050, 100, 16))}));
    LoadSound(listFirst.c_str(), 0, 1);
    EXPECT_EQ(FindFreeSound(), 1);
    EXPECT_EQ(PlaySound(0, 0, 1), 0);

    // Slot 300 is slot 255, for loading and for playing.
    LoadSound(Tone("high.wav", 100).c_str(), 300, 2);
    EXPECT_EQ(PlaySound(255, 0, 1), 255 * 256);
    EXPECT_EQ(PlaySound(300, 0, 1), 255 * 256 + 1);

    // An in-memory file loads like one on disk; voices above 4 are 4.
    const std::string bytes = ToneWave({440}, 8000, 100);
    const RtString memory = RegisterMemoryFile(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    LoadSound(memory, 7, 9);
    EXPECT_EQ(Audio().slots[7].voiceCount, 4);
    EXPECT_EQ(PlaySound(7, 0, 1), 7 * 256);
    ReleaseMemoryFile(memory);

    // Negative slot numbers neither load nor play.
    LoadSound(Tone("neg.wav", 100).c_str(), -1, 1);
    EXPECT_EQ(PlaySound(-1, 0, 1), -1);
    EXPECT_EQ(PlaySound(-256, 0, 1), -1);
    EXPECT_EQ(PlaySound(9, 0, 1), -1);  // empty
}

TEST_F(SoundLoading, AFailedLoadEmptiesTheSlotEvenWhileItsSoundPlays) {
    LoadSound(Tone("ok.wav", 1000).c_str(), 4, 2);
    EXPECT_EQ(PlaySound(4, 0, 1), 4 * 256);
    EXPECT_EQ(IsSoundPlaying(4 * 256), 1);
    WriteFile(folder / "broken.wav", Riff({FormatChunk(0, 22050, 16, 2), Chunk("data", "abcd")}));
    LoadSound((folder / "broken.wav").c_str(), 4, 2);
    EXPECT_EQ(IsSoundPlaying(4 * 256), 0);
    EXPECT_EQ(PlaySound(4, 0, 1), -1);
    EXPECT_EQ(FindFreeSound(), 0);
    LoadSound("no-such.wav", 4, 1);
    EXPECT_EQ(PlaySound(4, 0, 1), -1);
    RunFor(1500);  // long enough for a sound left playing to play out whole
    const Capture capture = Finish();
    // The second of sound was cut off by the failed load, however long the steps between
    // took on a busy machine.
    double heard = 0;
    for (const Stretch& s : capture.Sounding()) heard += s.LengthMs();
    EXPECT_LT(heard, 500);
}

TEST_F(SoundLoading, EveryOneOf256SlotsCanHoldASound) {
    const std::string path = Tone("tiny.wav", 10);
    for (int slot = 0; slot < 256; ++slot) LoadSound(path.c_str(), slot, 1);
    EXPECT_EQ(FindFreeSound(), -1);
}

class SoundWithoutDevice : public NoDeviceTest {};

TEST_F(SoundWithoutDevice, CommandsDoNothing) {
    const std::string path = folder / "tone.wav";
    WriteFile(path, ToneWave({440}, 22050, 100));
    LoadSound(path.c_str(), 0, 2);
    EXPECT_EQ(FindFreeSound(), 0);
    EXPECT_EQ(PlaySound(0, 0, 1), -1);
    EXPECT_EQ(IsSoundPlaying(0), 0);
    StopAllSounds();
}

}  // namespace
}  // namespace zrv::test
