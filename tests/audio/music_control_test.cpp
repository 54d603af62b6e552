// Pausing, seeking and the time readout of music, heard through the device and on the
// clock alone.
#include <algorithm>
#include <string>
#include <limits>

#include "disk_audio.h"
#include "zorvane/audio.h"

namespace zrv::test {
namespace {

// The step files: 440 Hz up to here, 880 Hz after it, 4 s in all.
constexpr double kStepMs = 2000;
constexpr double kStepLengthMs = 4000;

// Where, from fromMs on, the tone first sounds above 660 Hz (in 20 ms windows); -1 if never.
double FirstHighToneMs(const Capture& capture, double fromMs, double toMs) {
    for (double t = fromMs; t + 20 <= toMs; t += 20) {
        if (capture.FrequencyHz(t, t + 20) > 660) return t;
    }
    return -1;
}

class MusicSeek : public AudioTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MusicSeek, APausedPieceHoldsAndPlaysOnFromWhereItWasSent) {
    StartMusic(Media(GetParam()).c_str(), 0);
    EXPECT_NEAR(MusicLength(), kStepLengthMs, 100);
    RunFor(300);
    PauseMusic();
    const double held = MusicPosition();
    EXPECT_GT(held, 100);
    SeekMusic(1500);
    EXPECT_NEAR(MusicPosition(), 1500, 1);
    RunFor(600);
    EXPECT_EQ(IsMusicPaused(), 1);
    EXPECT_NEAR(MusicPosition(), 1500, 1);
    ResumeMusic();
    EXPECT_GE(WaitFor([] { return MusicPosition() >= 2600; }, 5000), 0) << "at " << MusicPosition();
    // Sent past its end, the piece ends at once and says so.
    SeekMusic(1e9);
    EXPECT_GE(WaitFor([] { return IsMusicPlaying() == 0; }, 2000), 0);
    EXPECT_EQ(MusicPosition(), MusicLength());
    RunFor(100);
    const Capture capture = Finish();

    // Silent while paused: the part before the pause, then the part from the seek on; of
    // the jump to the end, no more than what a file holds past its stated length.
    const auto sounding = capture.Sounding();
    ASSERT_GE(sounding.size(), 2u);
    for (std::size_t i = 2; i < sounding.size(); ++i) EXPECT_LT(sounding[i].LengthMs(), 50) << "stretch " << i;
    EXPECT_NEAR(capture.FrequencyHz(sounding[0].startMs + 20, sounding[0].endMs - 20), 440, 3);
    const double high = FirstHighToneMs(capture, sounding[1].startMs, sounding[1].endMs);
    ASSERT_GE(high, 0);
    EXPECT_NEAR(high - sounding[1].startMs, kStepMs - 1500, 100);
    EXPECT_NEAR(capture.FrequencyHz(high + 40, high + 400), 880, 5);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, MusicSeek,
                         ::testing::Values("step.wav", "step.mp3", "stepvbr.mp3", "step.ogg", "step.wma"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

class MusicControlWithoutDevice : public NoDeviceTest {};

TEST_F(MusicControlWithoutDevice, PositionFollowsTheClockAndAPauseHoldsIt) {
    // Without music every command does nothing.
    PauseMusic();
    ResumeMusic();
    SeekMusic(1000);
    EXPECT_EQ(IsMusicPaused(), 0);
    EXPECT_EQ(MusicPosition(), 0);
    EXPECT_EQ(MusicLength(), 0);

    StartMusic(Media("step.wav").c_str(), 0);
    EXPECT_NEAR(MusicLength(), kStepLengthMs, 50);
    EXPECT_LT(MusicPosition(), 100);
    RunFor(300);
    PauseMusic();
    const double held = MusicPosition();
    EXPECT_GE(held, 250);
    RunFor(1000);
    EXPECT_EQ(IsMusicPaused(), 1);
    EXPECT_EQ(IsMusicPlaying(), 1);
    EXPECT_NEAR(MusicPosition(), held, 100);
    ResumeMusic();
    EXPECT_EQ(IsMusicPaused(), 0);
    RunFor(300);
    EXPECT_GT(MusicPosition(), held + 200);

    // Out of range and not a number are clamped; at the end a piece that does not loop
    // has ended.
    SeekMusic(-100);
    EXPECT_LT(MusicPosition(), 100);
    SeekMusic(std::numeric_limits<double>::quiet_NaN());
    EXPECT_LT(MusicPosition(), 100);
    SeekMusic(1e12);
    EXPECT_EQ(MusicPosition(), MusicLength());
    EXPECT_EQ(IsMusicPlaying(), 0);

    // A new start is unpaused at 0; a stop ends the pause.
    PauseMusic();
    StartMusic(Media("step.wav").c_str(), 0);
    EXPECT_EQ(IsMusicPaused(), 0);
    RunFor(200);
    EXPECT_GT(MusicPosition(), 100);
    EXPECT_LT(MusicPosition(), 1000);
    PauseMusic();
    StopMusic();
    EXPECT_EQ(IsMusicPaused(), 0);
    EXPECT_EQ(MusicPosition(), 0);
}

TEST_F(MusicControlWithoutDevice, LoopingMusicRestartsWhereThePieceReallyEnds) {
    // After a seek near the end the rest of the piece, not its whole length, passes.
    StartMusic(Media("step.wav").c_str(), 1);
    SeekMusic(kStepLengthMs - 500);
    const double restarted = WaitFor([] { return MusicPosition() < 1000; }, 5000);
    EXPECT_GT(restarted, 400);
    EXPECT_LT(restarted, 2000);

    // A paused piece is not restarted, and after the pause what was left of it plays out
    // before the restart (the 300 ms piece loops every 500 ms).
    StartMusic(Media("short300.wav").c_str(), 1);
    RunFor(100);
    PauseMusic();
    const double held = MusicPosition();
    RunFor(1000);
    EXPECT_NEAR(MusicPosition(), held, 50);
    EXPECT_EQ(IsMusicPlaying(), 1);
    ResumeMusic();
    const double again = WaitFor([held] { return MusicPosition() < held; }, 3000);
    EXPECT_GT(again, 250);
    EXPECT_LT(again, 1500);
}

TEST_F(MusicControlWithoutDevice, TheTitleComesFromTheTagsOfEachFormat) {
    EXPECT_STREQ(MusicTitle().c_str(), "");
    for (const char* file : {"titled.mp3", "titled.ogg", "titled.wma"}) {
        StartMusic(Media(file).c_str(), 0);
        EXPECT_STREQ(MusicTitle().c_str(), ZRV_TEST_MEDIA_TITLE) << file;
    }
    StartMusic(Media("tone440.mp3").c_str(), 0);
    EXPECT_STREQ(MusicTitle().c_str(), "");
    StartMusic(Media("titled.ogg").c_str(), 0);
    StopMusic();
    EXPECT_STREQ(MusicTitle().c_str(), "");
}

}  // namespace
}  // namespace zrv::test
