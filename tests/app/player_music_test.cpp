// Playing music from the file list, the loop switch, the volume slider and the start-up
// tune, measured in what the player's sound device played.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/wave_bytes.h"
#include "player_session.h"

namespace zrv::test {
namespace {

// The test tones are sine waves of amplitude one half.
constexpr double kToneRms = 0.5 / 1.4142135623730951;

bool EntryHovered(const Screen& screen, const EntryRow& row) {
    return screen.At(kEntryLeft + 2, row.clickY).Near(83, 83, 166) || screen.At(kEntryLeft + 2, row.clickY).IsGrey(125);
}

// Plays the entry of that row with a click; true once the selection frame is drawn.
bool ClickEntry(PlayerSession& player, const EntryRow& row) {
    player.MoveTo(300, 150);
    if (!player.WaitForScreen([&](const Screen& s) { return !EntryHovered(s, row); })) return false;
    return player.Click(kEntryClickX, row.clickY, [&](const Screen& s) { return EntryHovered(s, row); },
                        [&](const Screen& s) { return Selected(s, row); });
}

TEST(PlayerMusic, MusicFilesAreMarkedByTheCaseOfTheirEndingAndAClickPlaysOneWithItsFrame) {
    TempDir root;
    MakeFolder(root / "start/sub.wav");
    WriteFile(root / "start/a.wav", ToneWave({660}, 22050, 8000));
    std::filesystem::copy_file(TestMedia("tone440.mp3"), root / "start/b.MP3");
    std::filesystem::copy_file(TestMedia("tone440.mp3"), root / "start/c.Mp3");
    WriteFile(root / "start/wav", ToneWave({880}, 22050, 8000));
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());

    // ".", "..", "sub.wav" (a folder), "a.wav", "b.MP3", "c.Mp3", "wav".
    const Screen idle = player.Shot();
    ASSERT_EQ(ListedRows(idle), 7);
    for (const int row : {0, 1, 2, 5}) EXPECT_FALSE(MarkedAsMusic(idle, EntryRow(row))) << row;
    for (const int row : {3, 4, 6}) EXPECT_TRUE(MarkedAsMusic(idle, EntryRow(row))) << row;
    EXPECT_TRUE(player.WaitForSilence());

    ASSERT_TRUE(ClickEntry(player, EntryRow(3)));
    EXPECT_TRUE(player.WaitForTone(660, kToneRms * 0.8));
    ASSERT_TRUE(ClickEntry(player, EntryRow(4)));
    EXPECT_FALSE(Selected(player.Shot(), EntryRow(3)));
    EXPECT_TRUE(player.WaitForTone(440, kToneRms * 0.8));
    ASSERT_TRUE(ClickEntry(player, EntryRow(6)));
    EXPECT_TRUE(player.WaitForTone(880, kToneRms * 0.8));

    // "c.Mp3" is no music file: the click stops the music and selects nothing.
    const EntryRow unmarked(5);
    player.MoveTo(300, 150);
    ASSERT_TRUE(player.Click(kEntryClickX, unmarked.clickY, [&](const Screen& s) { return EntryHovered(s, unmarked); },
                             [](const Screen& s) { return !Selected(s, EntryRow(6)); }));
    EXPECT_TRUE(player.WaitForSilence());
    EXPECT_FALSE(Selected(player.Shot(), unmarked));
}


TEST(PlayerMusic, TheLoopSwitchRestartsAShortTrackUntilItIsSwitchedOff) {
    TempDir root;
    MakeFolder(root / "start");
    WriteFile(root / "start/short.wav", ToneWave({660}, 22050, 300));
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());

    ASSERT_TRUE(SwitchLoopOn(player));
    ASSERT_TRUE(ClickEntry(player, EntryRow(2)));
    ASSERT_TRUE(player.WaitForTone(660));
    // For three seconds of output the 300 ms track is heard again and again. The player
    // starts it anew once it has ended, so the pause between two plays is the time a start
    // takes, which grows with the machine's load: every 600 ms still hold some of it unless
    // a start took twice the track's length.
    const double from = player.Sound().LengthMs() - 300;
    ASSERT_TRUE(player.WaitForScreen([&](const Screen&) { return player.Sound().LengthMs() > from + 3000; }, 30));
    const Capture heard = player.Sound();
    for (double part = from; part < from + 3000; part += 600) {
        EXPECT_GT(heard.Peak(0, part, part + 600), 0.25) << "from " << part - from << " ms";
    }
    EXPECT_TRUE(player.WaitForTone(660, 0.05, 5));

    // Switched off, the track ends for good. The switch looks the same while it is on and
    // while it is pressed, so the press is held for some frames.
    player.MoveTo(kLoopX, kLoopY);
    ASSERT_TRUE(player.WaitForFrames(EntryRow(2), 3));
    player.Press();
    ASSERT_TRUE(player.WaitForFrames(EntryRow(2), 3));
    player.Release();
    const bool switchedOff = player.WaitForScreen([](const Screen& s) { return LoopOutline(s) != 200; }, 10);
    ASSERT_TRUE(switchedOff);
    EXPECT_TRUE(player.WaitForSilence());
    const double silentFrom = player.Sound().LengthMs();
    ASSERT_TRUE(player.WaitForScreen([&](const Screen&) { return player.Sound().LengthMs() > silentFrom + 1500; }, 30));
    const auto stretches = player.Sound().Sounding();
    ASSERT_FALSE(stretches.empty());
    EXPECT_LT(stretches.back().endMs, silentFrom);
}

// The volume knob: 14 pixels wide, centred on the track's left end (x = 450) plus the
// volume; its left edge is grey 135 under the mouse and 155 while it is held.
int KnobLeft(int volume) { return 443 + volume; }
constexpr int kKnobY = 189;

TEST(PlayerMusic, DraggingTheVolumeKnobSetsTheLevelOfTheOutput) {
    TempDir root;
    MakeFolder(root / "start");
    WriteFile(root / "start/long.wav", ToneWave({660}, 22050, 30000));
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(ClickEntry(player, EntryRow(2)));
    ASSERT_TRUE(player.WaitForTone(660, kToneRms * 0.95));
    const double full = player.RecentLevel();

    player.MoveTo(KnobLeft(100) + 7, kKnobY);
    ASSERT_TRUE(player.WaitForScreen([](const Screen& s) { return s.At(KnobLeft(100), kKnobY).IsGrey(135); }));
    player.Press();
    ASSERT_TRUE(player.WaitForScreen([](const Screen& s) { return s.At(KnobLeft(100), kKnobY).IsGrey(155); }));
    player.MoveTo(500, kKnobY);
    EXPECT_TRUE(player.WaitForScreen([](const Screen& s) { return s.At(KnobLeft(50), kKnobY).IsGrey(155); }));
    EXPECT_TRUE(player.WaitForLevel(full * 0.45, full * 0.55));
    // Beyond the track's ends the volume stops at 0 and 100.
    player.MoveTo(300, kKnobY);
    EXPECT_TRUE(player.WaitForScreen([](const Screen& s) { return s.At(KnobLeft(0), kKnobY).IsGrey(155); }));
    EXPECT_TRUE(player.WaitForSilence());
    player.MoveTo(630, kKnobY);
    EXPECT_TRUE(player.WaitForScreen([](const Screen& s) { return s.At(KnobLeft(100), kKnobY).IsGrey(155); }));
    player.Release();
    EXPECT_TRUE(player.WaitForTone(660, full * 0.95));
}

TEST(PlayerMusic, TheStartUpTunePlaysOnceWhileItsMarkerIsThere) {
    TempDir root;
    MakeFolder(root / "start/media");
    WriteFile(root / "start/media/text.txt", "");
    {
        PlayerSession player(root / "start", root / "home");
        ASSERT_TRUE(player.Open());
        EXPECT_FALSE(std::filesystem::exists(root / "start/media/text.txt"));
        EXPECT_TRUE(player.WaitForTone(0, 0.02));
        player.X().KeyDown("Escape");
        EXPECT_EQ(player.Finish().exitCode, 0);
        player.X().KeyUp("Escape");
    }
    PlayerSession again(root / "start", root / "home");
    ASSERT_TRUE(again.Open());
    ASSERT_TRUE(again.WaitForScreen([&](const Screen&) { return again.Sound().LengthMs() > 4000; }, 60));
    const Capture sound = again.Sound();
    EXPECT_LT(sound.Peak(0, 0, sound.LengthMs()), 1e-4);
}

}  // namespace
}  // namespace zrv::test
