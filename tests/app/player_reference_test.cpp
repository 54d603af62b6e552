// The idle player compared with a reference picture committed beside the tests, so that any
// change in how it looks shows up. The picture is made by running with
// ZRV_UPDATE_REFERENCES=1 and is looked at before it is committed.
//
// Tolerance: a pixel matches when no channel differs by more than 2; at most 0.2 % of the
// window may differ by more. The folder line's text holds the test's own temporary path, so
// it is left out of the comparison and checked for its length instead.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx2d/image_codecs.h"
#include "player_session.h"

namespace zrv::test {
namespace {

constexpr int kChannelTolerance = 2;
constexpr double kDifferingShare = 0.002;

bool InFolderLineText(int x, int y) { return x >= 2 && x <= 637 && y >= 23 && y <= 42; }

struct Difference {
    int differing = 0;
    int worst = 0;
};

Difference Compare(const Screen& screen, const DecodedImage& reference) {
    Difference result;
    for (int y = 0; y < kPlayerHeight; ++y) {
        const std::uint8_t* expected = reference.Row(y);
        for (int x = 0; x < kPlayerWidth; ++x) {
            if (InFolderLineText(x, y)) continue;
            const Rgb drawn = screen.At(x, y);
            const int difference = std::max({std::abs(drawn.red - expected[x * 4]), std::abs(drawn.green - expected[x * 4 + 1]),
                                             std::abs(drawn.blue - expected[x * 4 + 2])});
            result.worst = std::max(result.worst, difference);
            if (difference > kChannelTolerance) ++result.differing;
        }
    }
    return result;
}

TEST(PlayerReference, TheIdlePlayerInAPreparedFolderLooksAsItsReferencePicture) {
    TempDir root;
    for (const char* folder : {"start/Albums", "start/Podcasts", "start/Radio plays"}) MakeFolder(root / folder);
    for (const char* file : {"cover.png", "notes.txt", "playlist.m3u", "README"}) WriteFile(root / ("start/" + std::string(file)), "x");
    PlayerSession player(root / "start", root / "home");
    // The pointer stays outside the window, so nothing is lit.
    player.X().MovePointerTo(0, 0);
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(player.WaitForScreen([](const Screen& s) { return ListedRows(s) == 9; }));
    const Screen screen = player.Shot();
    EXPECT_EQ(FolderLineChars(screen), static_cast<int>((root / "start/media/").size()));

    const std::string path = std::string(ZRV_APP_REFERENCE_DIR) + "/idle_player.png";
    if (const char* update = std::getenv("ZRV_UPDATE_REFERENCES"); update != nullptr && *update == '1') {
        // Blue, green, red from the bottom row up, as frames are handed to the encoder.
        std::vector<std::uint8_t> bgr(static_cast<std::size_t>(kPlayerWidth) * kPlayerHeight * 3);
        for (int y = 0; y < kPlayerHeight; ++y) {
            for (int x = 0; x < kPlayerWidth; ++x) {
                const Rgb pixel = InFolderLineText(x, y) ? Rgb{20, 20, 20} : screen.At(x, y);
                std::uint8_t* out = bgr.data() + (static_cast<std::size_t>(kPlayerHeight - 1 - y) * kPlayerWidth + x) * 3;
                out[0] = static_cast<std::uint8_t>(pixel.blue);
                out[1] = static_cast<std::uint8_t>(pixel.green);
                out[2] = static_cast<std::uint8_t>(pixel.red);
            }
        }
        std::vector<std::uint8_t> png;
        ASSERT_TRUE(EncodePng(BgrFrame{bgr.data(), kPlayerWidth, kPlayerHeight, kPlayerWidth}, KeyInFramebuffer{}, png));
        WriteFile(path, std::string(png.begin(), png.end()));
        GTEST_SKIP() << "wrote " << path;
    }

    const std::string stored = ReadFile(path);
    DecodedImage reference;
    ASSERT_TRUE(DecodePng(ByteSpan(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()), path.c_str(),
                          kNoKeyColour, reference))
        << path;
    ASSERT_EQ(reference.width, kPlayerWidth);
    ASSERT_EQ(reference.height, kPlayerHeight);
    // A busy machine may show a frame still on its way; the idle player settles within
    // moments, a real change in its looks never does.
    Difference difference;
    const int allowed = static_cast<int>(kPlayerWidth * kPlayerHeight * kDifferingShare);
    player.WaitForScreen(
        [&](const Screen& shot) {
            difference = Compare(shot, reference);
            return difference.differing <= allowed;
        },
        5);
    EXPECT_LE(difference.differing, allowed) << difference.differing << " pixels differ, by up to " << difference.worst;
}

}  // namespace
}  // namespace zrv::test
