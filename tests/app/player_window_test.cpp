// The player's window, its menu bar and its folder browsing, as a user sees and drives them.
#include <gtest/gtest.h>

#include "audio/wave_bytes.h"
#include "player_session.h"

namespace zrv::test {
namespace {

// A folder holding one music file keeps the marker glow running, which shows frames pass.
void PrepareFolders(const TempDir& root) {
    MakeFolder(root / "start/Albums/Live");
    MakeFolder(root / "home");
    WriteFile(root / "start/song.wav", ToneWave({440}, 22050, 200));
    WriteFile(root / "start/Albums/one.txt", "1");
}

bool SearchArmed(const Screen& screen) { return screen.At(5, 5).IsGrey(100); }
bool DriveListShown(const Screen& screen) { return screen.At(4, 32).IsGrey(125); }
bool EntryHighlighted(const Screen& screen, const EntryRow& row) {
    return screen.At(kEntryLeft + 2, row.clickY).IsGrey(125);
}

TEST(PlayerWindow, FaintMenuItemsNeverReactFoldersOpenWithTheFolderLineFollowingAndEscapeEnds) {
    TempDir root;
    PrepareFolders(root);
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());
    EXPECT_EQ(player.X().Title(player.PlayerWindow()), kPlayerTitle);
    EXPECT_EQ(player.X().Size(player.PlayerWindow()), (std::pair{kPlayerWidth, kPlayerHeight}));

    // ".", "..", "Albums", "song.wav"; the folder line shows the media folder at first.
    const EntryRow albums(2);
    const EntryRow song(3);
    Screen screen = player.Shot();
    EXPECT_EQ(ListedRows(screen), 4);
    EXPECT_EQ(FolderLineChars(screen), static_cast<int>((root / "start/media/").size()));
    // "Search" is drawn opaque, "Options" and "Help" faint.
    EXPECT_GT(screen.Brightest(12, 6, 60, 18), 200);
    EXPECT_LT(screen.Brightest(75, 6, 130, 18), 120);
    EXPECT_GT(screen.Brightest(75, 6, 130, 18), 40);
    EXPECT_LT(screen.Brightest(146, 6, 178, 18), 120);

    // Hovering "Search" lights it; leaving it for "Options" or "Help" lights nothing, and a
    // click there opens no list.
    player.MoveTo(30, 12);
    ASSERT_TRUE(player.WaitForScreen(SearchArmed));
    for (const int x : {100, 160}) {
        player.MoveTo(x, 12);
        ASSERT_TRUE(player.WaitForScreen([](const Screen& s) { return !SearchArmed(s); }));
        ASSERT_TRUE(player.WaitForFrames(song, 3));
        player.Press();
        ASSERT_TRUE(player.WaitForFrames(song, 3));
        player.Release();
        ASSERT_TRUE(player.WaitForFrames(song, 3));
        screen = player.Shot();
        EXPECT_TRUE(screen.At(x, 5).IsGrey(20)) << x;
        EXPECT_FALSE(DriveListShown(screen)) << x;
    }

    // Into "Albums", then back up with "..", twice.
    const auto folderLineIs = [](const std::string& path) {
        return [length = static_cast<int>(path.size())](const Screen& s) { return FolderLineChars(s) == length; };
    };
    ASSERT_TRUE(player.Click(kEntryClickX, albums.clickY, [&](const Screen& s) { return EntryHighlighted(s, albums); },
                             folderLineIs(root / "start/Albums/")));
    EXPECT_TRUE(player.WaitForScreen([](const Screen& s) { return ListedRows(s) == 4; }));  // ., .., Live, one.txt
    const EntryRow up(1);
    ASSERT_TRUE(player.Click(kEntryClickX, up.clickY, [&](const Screen& s) { return EntryHighlighted(s, up); },
                             folderLineIs(root / "start/")));
    ASSERT_TRUE(player.WaitForScreen([](const Screen& s) { return ListedRows(s) == 4; }));
    player.MoveTo(300, 150);
    ASSERT_TRUE(player.WaitForScreen([&](const Screen& s) { return !EntryHighlighted(s, up); }));
    ASSERT_TRUE(player.Click(kEntryClickX, up.clickY, [&](const Screen& s) { return EntryHighlighted(s, up); },
                             folderLineIs(root.Path() + "/")));
    EXPECT_TRUE(player.WaitForScreen([](const Screen& s) { return ListedRows(s) == 4; }));  // ., .., home, start

    player.X().KeyDown("Escape");
    const ChildResult result = player.Finish();
    player.X().KeyUp("Escape");
    EXPECT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace zrv::test
