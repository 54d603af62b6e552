// The idle player compared with a reference picture (support/reference_picture.h), so that
// any change in how it looks shows up. The folder line's text holds the test's own
// temporary path, so it is left out of the comparison and checked for its length instead.
#include <gtest/gtest.h>

#include <array>

#include "player_session.h"
#include "support/reference_picture.h"

namespace zrv::test {
namespace {

bool InFolderLineText(int x, int y) { return x >= 2 && x <= 637 && y >= 23 && y <= 42; }

PixelAt PixelsOf(const Screen& screen) {
    return [&screen](int x, int y) {
        const Rgb pixel = screen.At(x, y);
        return std::array<int, 3>{pixel.red, pixel.green, pixel.blue};
    };
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
    if (UpdatingReferences()) {
        const PixelAt shown = PixelsOf(screen);
        ASSERT_NO_FATAL_FAILURE(WriteReference(path, kPlayerWidth, kPlayerHeight, [&shown](int x, int y) {
            return InFolderLineText(x, y) ? std::array<int, 3>{20, 20, 20} : shown(x, y);
        }));
        GTEST_SKIP() << "wrote " << path;
    }

    DecodedImage reference;
    ASSERT_NO_FATAL_FAILURE(LoadReference(path, kPlayerWidth, kPlayerHeight, reference));
    // A busy machine may show a frame still on its way; the idle player settles within
    // moments, a real change in its looks never does.
    PictureDifference difference;
    const int allowed = AllowedDifferences(kPlayerWidth, kPlayerHeight);
    player.WaitForScreen(
        [&](const Screen& shot) {
            difference = ComparePicture(reference, kPlayerWidth, kPlayerHeight, PixelsOf(shot), InFolderLineText);
            return difference.differing <= allowed;
        },
        5);
    EXPECT_LE(difference.differing, allowed) << difference.differing << " pixels differ, by up to " << difference.worst;
}

}  // namespace
}  // namespace zrv::test
