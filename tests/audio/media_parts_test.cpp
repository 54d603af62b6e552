// Parts of the media player that need no device: the ring between decoder and callback,
// and where a movie lands in the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <thread>

#include "audio/movie_screen.h"
#include "audio/sample_ring.h"
#include "zorvane/audio.h"

namespace zrv::test {
namespace {

TEST(SampleRing, KeepsOrderAcrossTheWrapAndNeverOverfills) {
    SampleRing ring(5);  // rounded up to 8 frames
    EXPECT_EQ(ring.Capacity(), 8u);
    std::vector<float> in(2 * 20);
    std::iota(in.begin(), in.end(), 0.0f);
    EXPECT_EQ(ring.Write(in.data(), 6), 6u);
    std::vector<float> out(2 * 20, -1.0f);
    EXPECT_EQ(ring.Read(out.data(), 4), 4u);
    EXPECT_EQ(ring.Write(in.data() + 12, 10), 6u);  // 2 left + 6 free
    EXPECT_EQ(ring.Free(), 0u);
    EXPECT_EQ(ring.Read(out.data() + 8, 20), 8u);
    std::vector<float> expected(in.begin(), in.begin() + 24);
    EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 24), expected);
    EXPECT_EQ(ring.Read(out.data(), 1), 0u);
}

TEST(SampleRing, AWriterAndAReaderOnTwoThreadsPassEveryFrameOnce) {
    SampleRing ring(64);
    constexpr int kFrames = 100000;
    std::thread writer([&] {
        float chunk[2 * 7];
        for (int next = 0; next < kFrames;) {
            const int count = std::min(7, kFrames - next);
            for (int i = 0; i < count; ++i) chunk[2 * i] = chunk[2 * i + 1] = static_cast<float>(next + i);
            next += static_cast<int>(ring.Write(chunk, static_cast<std::size_t>(count)));
            std::this_thread::yield();
        }
    });
    bool inOrder = true;
    float chunk[2 * 5];
    for (int expected = 0; expected < kFrames;) {
        const std::size_t taken = ring.Read(chunk, 5);
        for (std::size_t i = 0; i < taken; ++i, ++expected) {
            inOrder = inOrder && chunk[2 * i] == static_cast<float>(expected) && chunk[2 * i + 1] == chunk[2 * i];
        }
        if (taken == 0) std::this_thread::yield();
    }
    writer.join();
    EXPECT_TRUE(inOrder);
}

TEST(MovieDestination, FitsThePictureWholeAndCentresIt) {
    // 4:3 in 640 x 200: 200 / 120 scales the height to 200, centred across.
    EXPECT_EQ(MovieDestination(160, 120, 640, 200), (PixelRect{187, 0, 453, 200}));
    // 16:9 in 640 x 480: the width decides, centred from top to bottom.
    EXPECT_EQ(MovieDestination(320, 180, 640, 480), (PixelRect{0, 60, 640, 420}));
    // Larger than the window: scaled down.
    EXPECT_EQ(MovieDestination(1280, 960, 640, 480), (PixelRect{0, 0, 640, 480}));
    // A file without pictures has no place.
    EXPECT_EQ(MovieDestination(0, 0, 640, 480), PixelRect{});
}

TEST(Movie, WithoutAFileOrAWindowIsNotShown) {
    EXPECT_EQ(PlayMovie("no-such-movie.avi"), 3);
    EXPECT_EQ(PlayMovieLooped("no-such-movie.avi"), 3);
    // The file exists, but there is no main window to show it in.
    EXPECT_EQ(PlayMovie(ZRV_TEST_MEDIA_DIR "/movie43.avi"), 3);
}

}  // namespace
}  // namespace zrv::test
