// The drive list below "Search": opened by the menu item and the S key, closed by a press
// outside it, and a chosen drive listed in the browser.
#include <gtest/gtest.h>

#include "audio/wave_bytes.h"
#include "player_session.h"

namespace zrv::test {
namespace {

// The list hangs below "Search" from x = 4, y = 22, over the folder line; its items are
// 16 pixels apart from y = 24, "/" first, then the home folder.
bool DriveListShown(const Screen& screen) { return screen.At(4, 32).IsGrey(125); }
bool DriveListGone(const Screen& screen) { return screen.At(4, 32).IsGrey(20); }
int DriveItemY(int item) { return 24 + 16 * item + 8; }
bool DriveItemHovered(const Screen& screen, int item) { return screen.At(8, DriveItemY(item)).IsGrey(100); }
bool SearchArmed(const Screen& screen) { return screen.At(5, 5).IsGrey(100); }

TEST(PlayerDriveList, SearchAndTheSKeyOpenItAPressOutsideClosesItAndADriveListsItsRootAndStopsTheMusic) {
    TempDir root;
    MakeFolder(root / "start");
    MakeFolder(root / "home/Music");
    WriteFile(root / "home/notes.txt", "");
    WriteFile(root / "start/long.wav", ToneWave({660}, 22050, 30000));
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());
    const EntryRow song(2);
    ASSERT_TRUE(player.Click(kEntryClickX, song.clickY, [&](const Screen& s) { return s.At(kEntryLeft + 2, song.clickY).Near(83, 83, 166); },
                             [&](const Screen& s) { return Selected(s, song); }));
    ASSERT_TRUE(player.WaitForTone(660));

    ASSERT_TRUE(player.Click(30, 12, SearchArmed, DriveListShown));
    // It stays open once the button is up; a press in the empty part of the file list
    // closes it and selects nothing.
    player.MoveTo(300, 150);
    ASSERT_TRUE(player.WaitForFrames(song, 3));
    ASSERT_TRUE(DriveListShown(player.Shot()));
    player.Press();
    EXPECT_TRUE(player.WaitForScreen(DriveListGone));
    player.Release();
    EXPECT_TRUE(Selected(player.Shot(), song));

    player.X().KeyDown("s");
    EXPECT_TRUE(player.WaitForScreen(DriveListShown));
    player.X().KeyUp("s");
    // Pressing "Search" itself closes it too.
    ASSERT_TRUE(player.Click(30, 12, SearchArmed, DriveListGone));
    ASSERT_TRUE(player.WaitForFrames(song, 3));
    EXPECT_TRUE(DriveListGone(player.Shot()));

    // The home folder: its root is listed, the folder line shows it, the music stops.
    ASSERT_TRUE(player.Click(30, 12, SearchArmed, DriveListShown));
    const int homeChars = static_cast<int>((root / "home/").size());
    ASSERT_TRUE(player.Click(20, DriveItemY(1), [](const Screen& s) { return DriveItemHovered(s, 1); },
                             [&](const Screen& s) { return DriveListGone(s) && FolderLineChars(s) == homeChars; }));
    EXPECT_TRUE(player.WaitForScreen([](const Screen& s) { return ListedRows(s) == 4; }));  // ., .., Music, notes.txt
    EXPECT_TRUE(player.WaitForSilence());

    // "/" is first.
    ASSERT_TRUE(player.Click(30, 12, SearchArmed, DriveListShown));
    ASSERT_TRUE(player.Click(20, DriveItemY(0), [](const Screen& s) { return DriveItemHovered(s, 0); },
                             [](const Screen& s) { return DriveListGone(s) && FolderLineChars(s) == 1; }));
}

}  // namespace
}  // namespace zrv::test
