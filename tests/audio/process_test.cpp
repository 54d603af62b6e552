// Whole programs with sound, run as children: the frame call keeps music looping, the end
// of the program stops the decoder and the device cleanly, and a movie plays in the window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "capture.h"
#include "disk_audio.h"
#include "files/pack_writer.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/text.h"
#include "wave_bytes.h"
// Xlib's macros (None, Status, ...) come last, after every header that could use the names.
#include "display/support/x_display.h"
#include <X11/Xutil.h>

namespace zrv::test {
namespace {

// A windowed child of a sanitizer build leaves the GL driver's allocations and SDL's D-Bus
// connection behind at exit, none of them the runtime's; errors are still caught, only the
// leak report at exit is off. The audio code's own releases are leak-checked in-process.
const std::pair<std::string, std::string> kNoLeakReport{"ASAN_OPTIONS", "detect_leaks=0"};

// The disk driver's rate when nothing reports another: what the runtime falls back to.
constexpr int kDiskRate = 48000;

TEST(AudioProgram, FramesRestartLoopingMusicAndTheEndStopsEverythingCleanly) {
    TempDir tmp;
    WriteFile(tmp / "effect.wav", ToneWave({1000}, 22050, 2000));
    ChildOptions options;
    options.env = {{"TMPDIR", tmp.Path()},
                   {"ZRV_PROBE", "loop"},
                   {"ZRV_MUSIC", Media("short300.wav")},
                   {"ZRV_SOUND", tmp / "effect.wav"},
                   {"ZRV_FRAMES_MS", "1300"},
                   {"SDL_AUDIODRIVER", "disk"},
                   {"SDL_DISKAUDIOFILE", tmp / "device.raw"},
                   kNoLeakReport};
    options.timeoutSeconds = 20;
    const ChildResult result = RunChild(TestProgram("audio_probe"), options);
    EXPECT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "effect 0\n"));
    EXPECT_TRUE(Contains(result.out, "frames done, music playing 1, effect playing 1\n")) << result.out;
    // The quit hook runs before any service is released.
    EXPECT_TRUE(Contains(result.out, "quit hook, music playing 1\n"));
    const auto log = ReadLogLines(tmp.Path());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "Init GFX");
    EXPECT_EQ(log.back(), "Shut down ZRV");

    // Music and effect sound without a break until the end of the program cuts them off,
    // long before the effect's two seconds. The output runs behind the clock on a busy
    // machine, never ahead of it.
    const Capture capture(tmp / "device.raw", kDiskRate);
    const auto sounding = capture.Sounding();
    ASSERT_EQ(sounding.size(), 1u);
    EXPECT_GT(sounding[0].LengthMs(), 800);
    EXPECT_LT(sounding[0].LengthMs(), 1600);
}

TEST(AudioProgram, LoopingMusicRestartsFromTheFrameCall) {
    TempDir tmp;
    ChildOptions options;
    options.env = {{"TMPDIR", tmp.Path()},
                   {"ZRV_PROBE", "loop"},
                   {"ZRV_MUSIC", Media("short300.wav")},
                   {"ZRV_SOUND", "none.wav"},
                   {"ZRV_FRAMES_MS", "1750"},
                   {"SDL_AUDIODRIVER", "disk"},
                   {"SDL_DISKAUDIOFILE", tmp / "device.raw"},
                   kNoLeakReport};
    const ChildResult result = RunChild(TestProgram("audio_probe"), options);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "effect -1\n"));
    // The restarts come at the first frame after each 500 ms of the clock: in 1750 ms the
    // piece starts at 0, 500, 1000 and 1500, each time after a pause, and plays no longer
    // than whole. The disk driver's output runs behind the clock by a share that grows with
    // the machine's load, so spacings are bounded only from above, with room for a decoder
    // that refills late; the count of starts holds at any load, 250 ms from the nearest
    // clock time that would change it. Restarts that came too soon would show as a fifth
    // start, or run into the piece before them as one longer sound; one that waited 500 ms
    // after the piece's end would leave three starts.
    const Capture capture(tmp / "device.raw", kDiskRate);
    const auto sounding = capture.Sounding();
    ASSERT_EQ(sounding.size(), 4u);
    for (std::size_t i = 0; i < sounding.size(); ++i) {
        EXPECT_LT(sounding[i].LengthMs(), 330) << "start " << i;
        if (i + 1 == sounding.size()) break;
        // Less than whole only where the decoder, starved on a busy machine, began late.
        EXPECT_GT(sounding[i].LengthMs(), 150) << "start " << i;
        EXPECT_LT(sounding[i + 1].startMs - sounding[i].startMs, 600) << "restart " << i + 1;
    }
}

unsigned long PixelAt(XImage* image, int x, int y) { return XGetPixel(image, x, y) & 0xFFFFFF; }

TEST(AudioProgram, AMovieIsScaledToTheWindowCentredAndEndedByAKey) {
    TempDir tmp;
    LiveChild child(TestProgram("audio_probe"), Env{{"TMPDIR", tmp.Path()},
                                                    {"ZRV_PROBE", "movie"},
                                                    {"ZRV_MOVIE", Media("movie43.avi")},
                                                    {"SDL_AUDIODRIVER", "disk"},
                                                    {"SDL_DISKAUDIOFILE", tmp / "device.raw"},
                                                    kNoLeakReport});
    ASSERT_TRUE(child.WaitForLine("movie start"));
    XDisplay x;
    const Window window = x.FindWindow("Zorvane audio probe");
    ASSERT_NE(window, 0u);
    EXPECT_EQ(x.Size(window), (std::pair{640, 200}));
    usleep(1500000);
    EXPECT_FALSE(child.HasPrinted("movie result 0"));

    XImage* image = XGetImage(x.Get(), window, 0, 0, 640, 200, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    // 160 x 120 scaled by 200 / 120 is 266 x 200, placed from x = 187 to 453, red above
    // blue as in the file.
    const auto red = [](unsigned long p) { return (p >> 16) > 200 && ((p >> 8) & 0xFF) < 60 && (p & 0xFF) < 60; };
    const auto blue = [](unsigned long p) { return (p >> 16) < 60 && ((p >> 8) & 0xFF) < 60 && (p & 0xFF) > 200; };
    int redColumns = 0;
    int firstRed = -1;
    for (int column = 0; column < 640; ++column) {
        const bool isRed = red(PixelAt(image, column, 50));
        if (isRed && firstRed < 0) firstRed = column;
        redColumns += isRed ? 1 : 0;
    }
    EXPECT_NEAR(firstRed, 187, 2);
    EXPECT_NEAR(redColumns, 266, 3);
    EXPECT_TRUE(red(PixelAt(image, 320, 0)));
    EXPECT_TRUE(blue(PixelAt(image, 320, 150)));
    EXPECT_TRUE(blue(PixelAt(image, 320, 199)));
    EXPECT_TRUE(blue(PixelAt(image, 190, 150)));
    EXPECT_TRUE(blue(PixelAt(image, 450, 150)));
    EXPECT_EQ(PixelAt(image, 20, 100), 0u);
    EXPECT_EQ(PixelAt(image, 620, 100), 0u);
    XDestroyImage(image);

    // Held for a while, as a person's key press is: the movie looks at the keyboard state.
    x.KeyDown("space");
    const bool ended = child.WaitForLine("movie result 0", 5);
    x.KeyUp("space");
    ASSERT_TRUE(ended);
    const ChildResult result = child.Finish();
    EXPECT_EQ(result.exitCode, 0);
    // The movie lasts ten seconds; the key ended it long before.
    const auto at = result.out.find("movie took ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_LT(std::stoi(result.out.substr(at + 11)), 5000);
}

TEST(AudioProgram, AMovieLeftAloneEndsWithItsLength) {
    TempDir tmp;
    ChildOptions options;
    options.env = {{"TMPDIR", tmp.Path()}, {"ZRV_PROBE", "movie"}, {"ZRV_MOVIE", Media("movie1s.avi")},
                   {"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", tmp / "device.raw"}, kNoLeakReport};
    const ChildResult result = RunChild(TestProgram("audio_probe"), options);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "movie result 0\n"));
    const auto at = result.out.find("movie took ");
    ASSERT_NE(at, std::string::npos);
    const int took = std::stoi(result.out.substr(at + 11));
    // Ended by itself: not at once, and not as a looped movie, which never would.
    EXPECT_GT(took, 950);
    EXPECT_LT(took, 8000);
}

// A movie that is no file on disk: a block the program registered, or an entry of the
// media pack, played where it lies while no temporary file ever appears.
TEST(AudioProgram, AMovieFromAMemoryBlockOrThePackPlaysToItsEndWithoutATemporaryFile) {
    const std::string movie = ReadFile(Media("movie1s.avi"));
    for (const bool fromPack : {false, true}) {
        SCOPED_TRACE(fromPack ? "pack" : "block");
        TempDir tmp;
        Env env{{"TMPDIR", tmp.Path()}, {"ZRV_PROBE", "movie"}, {"SDL_AUDIODRIVER", "disk"},
                {"SDL_DISKAUDIOFILE", tmp / "device.raw"}, kNoLeakReport};
        if (fromPack) {
            PackImage pack;
            std::string error;
            ASSERT_TRUE(BuildMediaPack({{"packed.avi", std::vector<std::uint8_t>(movie.begin(), movie.end())}}, false, pack, error)) << error;
            WriteFile(tmp / "pack.bin", std::string(pack.bytes.begin(), pack.bytes.end()));
            env.insert(env.end(), {{"ZRV_PACK", tmp / "pack.bin"}, {"ZRV_MOVIE", "media/packed.avi"}});
        } else {
            env.insert(env.end(), {{"ZRV_MOVIE", Media("movie1s.avi")}, {"ZRV_MOVIE_IN_MEMORY", "1"}});
        }
        LiveChild child(TestProgram("audio_probe"), env);
        ASSERT_TRUE(child.WaitForLine("movie start"));
        bool temporaryFile = false;
        while (!child.HasPrinted("movie result 0") && !child.HasPrinted("movie result 3")) {
            for (const auto& entry : std::filesystem::directory_iterator(tmp.Path())) {
                temporaryFile = temporaryFile || entry.path().filename().string().starts_with("sbx");
            }
            usleep(5000);
        }
        const ChildResult result = child.Finish();
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_FALSE(temporaryFile);
        ASSERT_TRUE(Contains(result.out, "movie result 0\n")) << result.out;
        const int took = std::stoi(result.out.substr(result.out.find("movie took ") + 11));
        EXPECT_GT(took, 950);
        // Its sound came from the same bytes: a second of the 440 Hz tone.
        const Capture capture(tmp / "device.raw", kDiskRate);
        const auto sounding = capture.Sounding();
        ASSERT_GE(sounding.size(), 1u);
        EXPECT_GT(sounding[0].LengthMs(), 700);
        EXPECT_NEAR(capture.FrequencyHz(sounding[0].startMs + 100, sounding[0].startMs + 600), 440, 3);
    }
}

TEST(AudioProgram, ALoopedMovieRepeatsUntilAKeyEndsIt) {
    TempDir tmp;
    LiveChild child(TestProgram("audio_probe"), Env{{"TMPDIR", tmp.Path()},
                                                    {"ZRV_PROBE", "movie"},
                                                    {"ZRV_MOVIE", Media("movie1s.avi")},
                                                    {"ZRV_MOVIE_LOOPED", "1"},
                                                    {"SDL_AUDIODRIVER", "dummy"},
                                                    kNoLeakReport});
    ASSERT_TRUE(child.WaitForLine("movie start"));
    // Three times the movie's length, and still playing.
    usleep(3000000);
    EXPECT_FALSE(child.HasPrinted("movie result 0"));
    XDisplay x;
    x.KeyDown("Return");
    const bool ended = child.WaitForLine("movie result 0", 5);
    x.KeyUp("Return");
    EXPECT_TRUE(ended);
    EXPECT_EQ(child.Finish().exitCode, 0);
}

}  // namespace
}  // namespace zrv::test
