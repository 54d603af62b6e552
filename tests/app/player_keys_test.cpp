// The player's keys, the menu bar's readout of the playing track and the settings it
// remembers, driven through the X server and measured in what the sound device played.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/wave_bytes.h"
#include "player_session.h"
#include "support/scoped_env.h"

namespace zrv::test {
namespace {

// ".", "..", then the test's files: the first file is row 2.
const EntryRow kFirstFile(2);
const EntryRow kSecondFile(3);
// The test tones are sine waves of amplitude one half.
constexpr double kToneRms = 0.5 / 1.4142135623730951;

// A tone of hz for ms, then one of laterHz for as long again.
std::string TwoToneWave(double hz, double laterHz, double ms) {
    return Riff({FormatChunk(1, 22050, 16),
                 Chunk("data", ToneSamples({hz}, 22050, ms, 16, 0.5) + ToneSamples({laterHz}, 22050, ms, 16, 0.5))});
}

// The keyboard's cursor is drawn as the mouse's highlight of a music file.
bool Highlighted(const Screen& screen, const EntryRow& row) {
    return screen.At(kEntryLeft + 2, row.clickY).Near(83, 83, 166);
}

// Taps the key and waits until the player shows that it took it.
template <class Done>
bool TapUntil(PlayerSession& player, const char* key, Done done) {
    player.X().Tap(key);
    return player.WaitForScreen(done);
}

// Down walks the cursor over ".", ".." onto the first file; false when a step did not show.
bool CursorToFirstFile(PlayerSession& player) {
    for (int row = 0; row <= 2; ++row) {
        const int y = EntryRow(row).clickY;
        if (!TapUntil(player, "Down", [&](const Screen& s) { return s.At(kEntryLeft + 2, y).Brightest() > 100; })) {
            return false;
        }
    }
    return true;
}

bool PlayFirstFileByKeys(PlayerSession& player) {
    return CursorToFirstFile(player) &&
           TapUntil(player, "Return", [](const Screen& s) { return Selected(s, kFirstFile); });
}

// The readout sits right of "Help" (which ends at x = 186) in the menu bar, its clock
// right-aligned at x = 630; "||" stands four cells before a clock of 11 characters.
constexpr int kReadoutTop = 4;
constexpr int kReadoutBottom = 19;
bool PauseMark(const Screen& screen) { return screen.Brightest(506, kReadoutTop, 536, kReadoutBottom) > 60; }
bool TitleShown(const Screen& screen) { return screen.Brightest(210, kReadoutTop, 260, kReadoutBottom) > 60; }
bool ReadoutEmpty(const Screen& screen) { return screen.Brightest(190, kReadoutTop, 636, kReadoutBottom) < 30; }
// The elapsed time's cells, "m:ss".
bool SameElapsed(const Screen& a, const Screen& b) {
    for (int y = kReadoutTop; y <= kReadoutBottom; ++y) {
        for (int x = 542; x < 574; ++x) {
            if (!a.At(x, y).Near(b.At(x, y).red, b.At(x, y).green, b.At(x, y).blue, 0)) return false;
        }
    }
    return true;
}

// The knob's left edge stands at x = 443 + volume, grey 125 while the mouse is elsewhere;
// a row above the track's line.
constexpr int kKnobY = 188;
bool KnobAt(const Screen& screen, int volume) {
    return screen.At(443 + volume, kKnobY).IsGrey(125) && screen.At(442 + volume, kKnobY).IsGrey(20);
}
// The rightmost column of the number beside the slider.
int VolumeNumberEnd(const Screen& screen) { return screen.RightmostBrighter(560, 178, 600, 197, 60); }


// Up and Down move the cursor; Enter plays; Space pauses and resumes; N and P step through
// the music files, round at the ends; the media keys do what the desktop's controls do.
TEST(PlayerKeys, TheCursorEnterSpaceNAndPDriveThePlayback) {
    TempDir root;
    MakeFolder(root / "start");
    WriteFile(root / "start/a.wav", ToneWave({660}, 22050, 30000));
    WriteFile(root / "start/b.wav", ToneWave({880}, 22050, 30000));
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());
    player.MoveTo(300, 150);

    ASSERT_TRUE(CursorToFirstFile(player));
    EXPECT_TRUE(Highlighted(player.Shot(), kFirstFile));
    ASSERT_TRUE(TapUntil(player, "Return", [](const Screen& s) { return Selected(s, kFirstFile); }));
    EXPECT_TRUE(player.WaitForTone(660));

    ASSERT_TRUE(TapUntil(player, "space", PauseMark));
    EXPECT_TRUE(player.WaitForSilence());
    ASSERT_TRUE(TapUntil(player, "space", [](const Screen& s) { return !PauseMark(s); }));
    EXPECT_TRUE(player.WaitForTone(660));

    ASSERT_TRUE(TapUntil(player, "n", [](const Screen& s) { return Selected(s, kSecondFile); }));
    EXPECT_TRUE(player.WaitForTone(880));
    ASSERT_TRUE(TapUntil(player, "n", [](const Screen& s) { return Selected(s, kFirstFile); }));
    EXPECT_TRUE(player.WaitForTone(660));
    ASSERT_TRUE(TapUntil(player, "p", [](const Screen& s) { return Selected(s, kSecondFile); }));
    EXPECT_TRUE(player.WaitForTone(880));

    // The keyboard's media keys, which no desktop takes here.
    ASSERT_TRUE(TapUntil(player, "XF86AudioPlay", PauseMark));
    EXPECT_TRUE(player.WaitForSilence());
    ASSERT_TRUE(TapUntil(player, "XF86AudioPlay", [](const Screen& s) { return !PauseMark(s); }));
    ASSERT_TRUE(TapUntil(player, "XF86AudioNext", [](const Screen& s) { return Selected(s, kFirstFile); }));
    EXPECT_TRUE(player.WaitForTone(660));
    ASSERT_TRUE(TapUntil(player, "XF86AudioPrev", [](const Screen& s) { return Selected(s, kSecondFile); }));
    ASSERT_TRUE(TapUntil(player, "XF86AudioStop", ReadoutEmpty));
    EXPECT_TRUE(player.WaitForSilence());
    EXPECT_EQ(player.EndWithEscape().exitCode, 0);
}

// The readout shows the track and its time; Left and Right move 5 s, with Shift 30 s.
TEST(PlayerKeys, TheReadoutShowsTheTrackAndItsTimeAndTheArrowsSeek) {
    TempDir root;
    MakeFolder(root / "start");
    WriteFile(root / "start/a.wav", TwoToneWave(440, 660, 20000));
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());
    player.MoveTo(300, 150);
    EXPECT_TRUE(ReadoutEmpty(player.Shot()));

    ASSERT_TRUE(PlayFirstFileByKeys(player));
    ASSERT_TRUE(player.WaitForTone(440));
    // The sound device writes a little ahead of the frames.
    ASSERT_TRUE(player.WaitForScreen(TitleShown));
    const Screen playing = player.Shot();
    EXPECT_FALSE(PauseMark(playing));
    // The clock runs.
    EXPECT_TRUE(player.WaitForScreen([&](const Screen& s) { return !SameElapsed(s, playing); }));

    ASSERT_TRUE(TapUntil(player, "space", PauseMark));
    const Screen paused = player.Shot();
    ASSERT_TRUE(TapUntil(player, "Right", [&](const Screen& s) { return !SameElapsed(s, paused); }));
    ASSERT_TRUE(TapUntil(player, "Left", [&](const Screen& s) { return SameElapsed(s, paused); }));

    // 30 s on is the second tone; 30 s back the first again.
    player.X().KeyDown("Shift_L");
    ASSERT_TRUE(TapUntil(player, "Right", [&](const Screen& s) { return !SameElapsed(s, paused); }));
    player.X().KeyUp("Shift_L");
    ASSERT_TRUE(TapUntil(player, "space", [](const Screen& s) { return !PauseMark(s); }));
    EXPECT_TRUE(player.WaitForTone(660));
    // Shift stays down until the jump is heard, as a hand holds it: a frame of a busy
    // player may come only after a quick release.
    player.X().KeyDown("Shift_L");
    player.X().Tap("Left");
    EXPECT_TRUE(player.WaitForTone(440));
    player.X().KeyUp("Shift_L");

    // Stopped, the readout is gone.
    ASSERT_TRUE(TapUntil(player, "BackSpace", ReadoutEmpty));
    EXPECT_EQ(player.EndWithEscape().exitCode, 0);
}

// + and - in the main row and on the keypad move the knob by 5, the number and the level
// with it; Backspace opens the parent folder as ".." does, which stops the music.
TEST(PlayerKeys, PlusAndMinusMoveTheVolumeAndBackspaceOpensTheParentFolder) {
    TempDir root;
    MakeFolder(root / "start/inner");
    WriteFile(root / "start/inner/a.wav", ToneWave({660}, 22050, 30000));
    PlayerSession player(root / "start/inner", root / "home");
    ASSERT_TRUE(player.Open());
    player.MoveTo(300, 150);
    ASSERT_TRUE(PlayFirstFileByKeys(player));
    ASSERT_TRUE(player.WaitForTone(660, kToneRms * 0.95));
    const double full = player.RecentLevel();
    const Screen loud = player.Shot();
    ASSERT_TRUE(KnobAt(loud, 100));

    for (int step = 1; step <= 10; ++step) {
        const int volume = 100 - 5 * step;
        ASSERT_TRUE(TapUntil(player, step % 2 == 0 ? "minus" : "KP_Subtract",
                             [&](const Screen& s) { return KnobAt(s, volume); }))
            << volume;
    }
    EXPECT_LT(VolumeNumberEnd(player.Shot()), VolumeNumberEnd(loud));
    EXPECT_TRUE(player.WaitForLevel(full * 0.45, full * 0.55));
    ASSERT_TRUE(TapUntil(player, "equal", [](const Screen& s) { return KnobAt(s, 55); }));
    ASSERT_TRUE(TapUntil(player, "KP_Add", [](const Screen& s) { return KnobAt(s, 60); }));
    EXPECT_TRUE(player.WaitForLevel(full * 0.55, full * 0.65));

    // At start the folder line shows ".../inner/media/"; the parent is ".../start/".
    const int before = FolderLineChars(player.Shot());
    ASSERT_TRUE(TapUntil(player, "BackSpace", [&](const Screen& s) { return FolderLineChars(s) == before - 12; }));
    EXPECT_TRUE(player.WaitForSilence());
    EXPECT_EQ(player.EndWithEscape().exitCode, 0);
}

// Folder, volume and loop switch come back in the next run; a damaged file is passed over.
TEST(PlayerKeys, TheFolderVolumeAndLoopSwitchAreRememberedAndADamagedFileIsPassedOver) {
    ScopedEnv noConfig("XDG_CONFIG_HOME", nullptr);
    TempDir root;
    MakeFolder(root / "start");
    MakeFolder(root / "elsewhere");
    WriteFile(root / "start/a.wav", ToneWave({660}, 22050, 3000));
    const std::string file = root / "home/.config/zorvane/player.ini";
    {
        PlayerSession player(root / "start", root / "home");
        ASSERT_TRUE(player.Open());
        player.MoveTo(300, 150);
        for (const int volume : {95, 90, 85, 80}) {
            ASSERT_TRUE(TapUntil(player, "minus", [&](const Screen& s) { return KnobAt(s, volume); })) << volume;
        }
        ASSERT_TRUE(SwitchLoopOn(player));
        player.MoveTo(300, 150);
        ASSERT_EQ(player.EndWithEscape().exitCode, 0);
    }
    ASSERT_TRUE(std::filesystem::exists(file));
    {
        PlayerSession player(root / "elsewhere", root / "home");
        ASSERT_TRUE(player.Open());
        player.MoveTo(300, 150);
        EXPECT_TRUE(player.WaitForScreen([](const Screen& s) { return KnobAt(s, 80) && LoopOutline(s) == 200; }));
        // The folder named on the command line wins; started without one, the player
        // lists the folder it listed last.
        ASSERT_EQ(player.EndWithEscape().exitCode, 0);
    }
    EXPECT_NE(ReadFile(file).find("folder=" + root / "elsewhere/"), std::string::npos) << ReadFile(file);
    {
        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(root / "start");
        MakeFolder(root / "tmp");
        LiveChild player(ZRV_PLAYER_PATH, {{"HOME", root / "home"}, {"TMPDIR", root / "tmp"}, {"SDL_AUDIODRIVER", "dummy"}});
        std::filesystem::current_path(previous);
        XDisplay x;
        const Window window = x.FindWindow(kPlayerTitle, 30);
        ASSERT_NE(window, 0u);
        x.Focus(window);
        x.Tap("Escape");
        ASSERT_EQ(player.Finish().exitCode, 0);
    }
    EXPECT_NE(ReadFile(file).find("folder=" + root / "elsewhere/"), std::string::npos) << ReadFile(file);

    WriteFile(file, std::string("[player]\nvolume=\xff\x01 80\nloop=on\nfolder=") + (root / "gone/") + "\n\x9c\x9c[");
    {
        PlayerSession player(root / "start", root / "home");
        ASSERT_TRUE(player.Open());
        player.MoveTo(300, 150);
        EXPECT_TRUE(player.WaitForScreen([](const Screen& s) { return KnobAt(s, 100) && LoopOutline(s) == 125; }));
        EXPECT_EQ(player.EndWithEscape().exitCode, 0);
    }
    EXPECT_NE(ReadFile(file).find("volume=100"), std::string::npos) << ReadFile(file);
}

}  // namespace
}  // namespace zrv::test
