// Music through the media player and the mixer, measured in what the device played.
#ifndef _WIN32
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "audio/audio_state.h"
#include "disk_audio.h"
#include "files/pack_writer.h"
#include "support/process_memory.h"
#include "support/sanitizer.h"
#include "support/temp_dir.h"
#include "zorvane/audio.h"
#include "zorvane/media_pack.h"
#include "zorvane/memory_files.h"

namespace zrv::test {
namespace {

// The test tones are sine waves of amplitude one half.
constexpr double kToneRms = 0.5 / 1.4142135623730951;

class Music : public AudioTest {};

class MusicFormat : public AudioTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MusicFormat, PlaysA440HzToneForItsLengthAndThenStops) {
    StartMusic(Media(GetParam()).c_str(), 0);
    EXPECT_EQ(IsMusicPlaying(), 1);
    // Never before its length; later by as much as the device lags on a busy machine.
    const double ended = WaitFor([] { return IsMusicPlaying() == 0; }, 4000);
    EXPECT_GT(ended, 900);
    EXPECT_LT(ended, 2500);
    RunFor(100);
    const Capture capture = Finish();

    // A machine too busy to feed the device in time leaves gaps in the tone, never parts
    // of it missing: all of it is heard.
    const auto sounding = capture.Sounding();
    ASSERT_GE(sounding.size(), 1u);
    double heard = 0;
    Stretch tone = sounding[0];
    for (const Stretch& part : sounding) {
        heard += part.LengthMs();
        if (part.LengthMs() > tone.LengthMs()) tone = part;
    }
    EXPECT_NEAR(heard, 1000, 60);
    ASSERT_GT(tone.LengthMs(), 300);
    EXPECT_NEAR(capture.FrequencyHz(tone.startMs + 100, tone.endMs - 100), 440, 2);
    // A mono piece sounds at its own level on both sides.
    EXPECT_NEAR(capture.Rms(0, tone.startMs + 100, tone.endMs - 100), kToneRms, 0.03);
    EXPECT_NEAR(capture.Rms(1, tone.startMs + 100, tone.endMs - 100), kToneRms, 0.03);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, MusicFormat,
                         ::testing::Values("tone440.wav", "tone440.mp3", "tone440.wma", "tone440.ogg", "tone440.flac"),
                         [](const auto& info) { return std::filesystem::path(info.param).extension().string().substr(1); });

TEST_F(Music, HalfVolumeHalvesTheAmplitudeAndEveryStartIsAtNormalVolume) {
    // Set before the piece starts, a volume does not carry over.
    SetMusicVolume(0.5);
    StartMusic(Media("long3s.wav").c_str(), 0);
    RunFor(700);
    SetMusicVolume(0.5);
    RunFor(700);
    // A negative volume silences; it never turns the wave over.
    SetMusicVolume(-1);
    RunFor(1000);
    const Capture capture = Finish();

    const auto sounding = capture.Sounding();
    ASSERT_GE(sounding.size(), 1u);
    const double start = sounding[0].startMs;
    const double full = capture.Rms(0, start + 150, start + 550);
    const double half = capture.Rms(0, start + 850, start + 1250);
    EXPECT_NEAR(full, kToneRms, 0.03);
    EXPECT_NEAR(half / full, 0.5, 0.03);
    EXPECT_LT(capture.Peak(0, start + 1550, start + 1850), 1e-6);
    // Silenced at once: a device that falls behind on a busy machine plays less than the
    // 1400 ms of the clock, one still sounding plays on for another second.
    EXPECT_GT(sounding[0].LengthMs(), 900);
    EXPECT_LT(sounding[0].LengthMs(), 1800);
}

TEST_F(Music, ALoopingPieceOf300MsRestartsEvery500MsAndCountsAsPlayingInTheGaps) {
    StartMusic(Media("short300.wav").c_str(), 1);
    bool alwaysPlaying = true;
    // Starts at 0, 500, 1000 and 1500 ms: a quarter of a second from any count that
    // another period would give.
    const double end = Now() + 1750;
    while (Now() < end) {
        RunFor(5);
        alwaysPlaying = alwaysPlaying && IsMusicPlaying() == 1;
    }
    EXPECT_TRUE(alwaysPlaying);
    const Capture capture = Finish();

    const auto sounding = capture.Sounding();
    // A piece restarted at its own end would start six times, one restarted 500 ms after
    // its end three times. On a busy machine the device falls behind the clock, and a
    // piece whose decoding started late is cut by the next start: bounds, not the exact
    // 500 ms.
    ASSERT_EQ(sounding.size(), 4u);
    for (std::size_t i = 0; i < sounding.size(); ++i) {
        EXPECT_GT(sounding[i].LengthMs(), 150) << "piece " << i;
        EXPECT_LT(sounding[i].LengthMs(), 330) << "piece " << i;
        EXPECT_NEAR(capture.FrequencyHz(sounding[i].startMs + 50, sounding[i].endMs - 50), 440, 3);
        if (i + 1 < sounding.size()) {
            EXPECT_LT(sounding[i + 1].startMs - sounding[i].startMs, 600) << i + 1;
        }
    }
}

// A program that plays nothing never pays FFmpeg's start-up time and memory. The Windows
// build links FFmpeg in, which has no libraries to load.
#ifndef _WIN32
TEST_F(Music, TheDecodersAreLoadedWhenTheFirstPieceOpensAndNotBefore) {
    EXPECT_FALSE(LibraryLoaded("libavcodec"));
    EXPECT_FALSE(LibraryLoaded("libavformat"));
    StartMusic("no-such-file.wav", 0);  // a name that is no file is refused before that
    EXPECT_FALSE(LibraryLoaded("libavcodec"));
    StartMusic(Media("tone440.mp3").c_str(), 0);
    EXPECT_EQ(IsMusicPlaying(), 1);
    EXPECT_TRUE(LibraryLoaded("libavcodec"));
    EXPECT_TRUE(LibraryLoaded("libavformat"));
}
#endif

TEST_F(Music, AMissingOrUnreadableFileStopsThePreviousMusicAndLeavesNone) {
    WriteFile(folder / "noise.mp3", "this is text, not a piece of music");
    StartMusic(Media("long3s.wav").c_str(), 1);
    RunFor(400);
    StartMusic("no-such-file.wav", 1);
    EXPECT_EQ(IsMusicPlaying(), 0);
    RunFor(400);
    StartMusic(Media("long3s.wav").c_str(), 1);
    RunFor(400);
    StartMusic((folder / "noise.mp3").c_str(), 1);
    EXPECT_EQ(IsMusicPlaying(), 0);
    EXPECT_EQ(Audio().music.window, nullptr);
    RunFor(400);
    const Capture capture = Finish();

    const auto sounding = capture.Sounding();
    // Each stopped by the name that could not be played: one that played on would sound
    // for 800 ms.
    ASSERT_EQ(sounding.size(), 2u);
    for (const auto& piece : sounding) {
        EXPECT_GT(piece.LengthMs(), 250);
        EXPECT_LT(piece.LengthMs(), 650);
    }
}

#ifndef _WIN32  // sparse files, named pipes, /proc and BSD sockets
// Nothing in a file of zeros says where its first frame is; the search for one must end
// soon, whatever the size of the file.
TEST_F(Music, AHugeFileOfZerosIsRefusedInBoundedTimeAndMemory) {
    const std::string name = folder / "zeros.mp3";
    const int file = ::open(name.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(file, 0);
    // Sparse: no disk is spent on it.
    ASSERT_EQ(::ftruncate(file, off_t{400} << 20), 0);
    ::close(file);
    StartMusic(Media("long3s.wav").c_str(), 1);
    ASSERT_TRUE(ResetPeakMemory());
    [[maybe_unused]] const long before = StatusKiB("VmRSS");

    const double start = Now();
    StartMusic(name.c_str(), 1);
    // Without the bound it took 14 s; a slow build on a busy machine takes a few.
    EXPECT_LT(Now() - start, 8000);
#ifndef ZRV_ADDRESS_SANITIZER
    // The sanitizer's allocator keeps freed blocks aside: its peak says nothing of ours.
    EXPECT_LT(StatusKiB("VmHWM") - before, 100 * 1024);
#endif
    EXPECT_EQ(IsMusicPlaying(), 0);
    EXPECT_EQ(Audio().music.window, nullptr);
}
#endif

#ifndef _WIN32  // sparse files, named pipes, /proc and BSD sockets
// The music player plays whatever name a folder holds, relative to the current folder.
TEST_F(Music, AnyFileNameIsAFileAndANamedPipeNeverHoldsTheProgram) {
    std::filesystem::copy_file(Media("short300.wav"), folder / "pipe:0.wav");
    ASSERT_EQ(::mkfifo((folder / "fifo.wav").c_str(), 0600), 0);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    StartMusic("fifo.wav", 0);
    EXPECT_EQ(IsMusicPlaying(), 0);
    StartMusic("pipe:0.wav", 0);
    EXPECT_EQ(IsMusicPlaying(), 1);
    std::filesystem::current_path(previous);
    WaitFor([] { return IsMusicPlaying() == 0; }, 3000);
    RunFor(100);
    const Capture capture = Finish();
    const auto sounding = capture.Sounding();
    ASSERT_EQ(sounding.size(), 1u);
    EXPECT_NEAR(sounding[0].LengthMs(), 300, 40);
}
#endif

TEST_F(Music, StopMusicEndsThePieceAndReturns0) {
    StartMusic(Media("long3s.wav").c_str(), 1);
    RunFor(300);
    EXPECT_EQ(StopMusic(), 0);
    EXPECT_EQ(IsMusicPlaying(), 0);
    RunFor(700);
    const Capture capture = Finish();
    const auto sounding = capture.Sounding();
    // A piece that played on would sound for a second.
    ASSERT_EQ(sounding.size(), 1u);
    EXPECT_GT(sounding[0].LengthMs(), 150);
    EXPECT_LT(sounding[0].LengthMs(), 550);
}

// Where a piece comes from when it is not a file on disk: a block the program registered,
// or an entry of the media pack, read where it lies.
class MusicFromMemory : public AudioTest, public ::testing::WithParamInterface<const char*> {
protected:
    std::string NameOf(const std::string& file) {
        const std::string bytes = ReadFile(Media(file));
        if (std::string(GetParam()) == "block") return RegisterMemoryFile(bytes.data(), static_cast<std::int32_t>(bytes.size())).c_str();
        PackImage pack;
        std::string error;
        EXPECT_TRUE(BuildMediaPack({{file, std::vector<std::uint8_t>(bytes.begin(), bytes.end())}}, false, pack, error)) << error;
        WriteFile(folder / "pack.bin", std::string(pack.bytes.begin(), pack.bytes.end()));
        SetMediaPacks((folder / "pack.bin").c_str(), (folder / "pack.bin").c_str());
        return "media/" + file;
    }
};

TEST_P(MusicFromMemory, ALoopingPiecePlaysAgainAndAgainWithoutATemporaryFile) {
    StartMusic(NameOf("short300.wav").c_str(), 1);
    EXPECT_EQ(IsMusicPlaying(), 1);
    RunFor(300);
    bool temporaryFile = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        temporaryFile = temporaryFile || entry.path().filename().string().starts_with("sbx");
    }
    EXPECT_FALSE(temporaryFile);
    // The next lookup through the resolver lets go of its block; the piece reads on.
    RtString other;
    ResolveMediaName(FileMediaResolver(), "media/none.wav", other, 1);
    RunFor(1300);
    const Capture capture = Finish();

    // Whole pieces, each read again from its first byte; when they start is the looping
    // test's business.
    const auto sounding = capture.Sounding();
    ASSERT_GE(sounding.size(), 3u);
    for (std::size_t i = 0; i + 1 < sounding.size(); ++i) {
        // A start delayed on a busy machine is cut by the next one; a restart with no gap
        // at all joins two whole pieces.
        EXPECT_GT(sounding[i].LengthMs(), 150) << "piece " << i;
        EXPECT_LT(sounding[i].LengthMs(), 650) << "piece " << i;
        EXPECT_NEAR(capture.FrequencyHz(sounding[i].startMs + 50, sounding[i].endMs - 50), 440, 3);
    }
}

INSTANTIATE_TEST_SUITE_P(BlockAndPack, MusicFromMemory, ::testing::Values("block", "pack"));

#ifndef _WIN32  // sparse files, named pipes, /proc and BSD sockets
// A playlist in a media file may name further pieces; a URL among them is never fetched.
TEST_F(Music, APlaylistNamingAUrlFetchesNothing) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/piece.ts";
    WriteFile(folder / "list.mp3", "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXT-X-VERSION:3\n#EXTINF:10.0,\n" + url +
                                       "\n#EXT-X-ENDLIST\n");

    StartMusic((folder / "list.mp3").c_str(), 0);
    RunFor(300);
    pollfd waiting{listener, POLLIN, 0};
    EXPECT_EQ(::poll(&waiting, 1, 500), 0) << "something connected to " << url;
    ::close(listener);
}
#endif

class MusicWithoutDevice : public NoDeviceTest {};

TEST_F(MusicWithoutDevice, APieceStillRunsOnTheClockAndLoops) {
    StartMusic(Media("short300.wav").c_str(), 0);
    EXPECT_EQ(IsMusicPlaying(), 1);
    const double ended = WaitFor([] { return IsMusicPlaying() == 0; }, 2000);
    EXPECT_GT(ended, 250);
    EXPECT_LT(ended, 600);

    StartMusic(Media("short300.wav").c_str(), 1);
    const double firstEnd = Audio().music.loopEnd;
    EXPECT_EQ(WaitFor([] { return IsMusicPlaying() == 0; }, 1200), -1);
    // Restarted at least twice, each time with the 500 ms minimum period.
    EXPECT_GE(Audio().music.loopEnd - firstEnd, 1000);
    StartMusic("no-such-file.wav", 0);
    EXPECT_EQ(IsMusicPlaying(), 0);
}

}  // namespace
}  // namespace zrv::test
