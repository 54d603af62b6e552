// The player's frame routines driven inside the test process, frame by frame, on folders a
// user could have: held arrows counted in frames, names of any length and bytes, ten
// thousand entries, and folders, drives and tracks that go away or cannot be played.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "audio/audio_state.h"
#include "audio/wave_bytes.h"
#include "display/opengl_lumivane.h"
#include "display/support/runtime_session.h"
#include "display/support/x_display.h"
#include "drive_list.h"
#include "file_browser.h"
#include "panels.h"
#include "player.h"
#include "shared.h"
#include "settings.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "transport.h"

namespace zrv::test {
namespace {

using namespace player;

std::string Text(const RtString& text) { return std::string(text.Buffer(), text.Length()); }

// Without the player's own font the runtime's built-in 8 x 8 font is used: list rows are
// 9 pixels apart from y = 48, 14 to a column.
double RowY(int row) { return 48 + 9 * row + 4.5; }
constexpr double kEntryX = 30;
constexpr double kRightArrowX = 425;
constexpr double kBarY = 187;
constexpr double kLoopX = 619;
constexpr double kLoopY = 188;
// The volume knob is centred on the track's left end (x = 450) plus the volume.
constexpr double kVolumeTrackX = 450;
constexpr double kKnobY = 189;

class PlayerFrames : public ::testing::Test {
protected:
    void SetUp() override {
        if (Renderer() == nullptr) StartRuntimeSession("Zorvane player frames");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
        shared = Shared{};
        panels = PanelsState{};
        browser = FileBrowserState{};
        driveList = DriveListState{};
        settings = SettingsState{};
    }
    void TearDown() override {
        StopMusic();
        std::filesystem::current_path(previous_);
    }

    // The player starts in the test's folder once its contents are made.
    static void Start() { StartPlayer(); }
    // One frame of the screen areas with the mouse where the test puts it.
    static void Frame(double x, double y, double left) {
        shared.mouseX = x;
        shared.mouseY = y;
        shared.mouseLeft = left;
        UpdatePanels();
        UpdateFileBrowser();
        UpdateDriveList();
    }
    static void Click(double x, double y) {
        Frame(x, y, 0);
        Frame(x, y, 1);
        Frame(x, y, 0);
    }
    // A press held for some frames, then dragged to (toX, y) and let go there.
    static void Drag(double x, double y, double toX) {
        Frame(x, y, 0);
        for (int frame = 0; frame < 3; ++frame) Frame(x, y, 1);
        for (int frame = 0; frame < 3; ++frame) Frame(toX, y, 1);
        Frame(toX, y, 0);
    }
    static int Row(const std::string& name) {
        for (int i = 0; i < browser.entryCount; ++i) {
            if (Text(browser.entryName(i)) == name) return i;
        }
        return -1;
    }
    std::string Here() const { return folder.Path() + "/"; }

    TempDir folder;

private:
    std::filesystem::path previous_;
};

void Touch(const std::string& name) { WriteFile(name, "x"); }

// "f" and the number and the ending, put together piece by piece (a literal joined to a
// temporary text draws a false overlap warning from the compiler).
std::string Numbered(int number, const char* ending) {
    std::string name = "f";
    name += std::to_string(number);
    name += ending;
    return name;
}

// Real pointer and button through the X server and whole frames of the player, so the
// frames are counted exactly.
TEST_F(PlayerFrames, AHeldArrowScrollsAtThePressAndThenEvery21FramesAndEveryNewClickAtOnce) {
    for (int i = 0; i < 200; ++i) Touch(Numbered(1000 + i, ""));
    Start();
    XDisplay x;
    ASSERT_TRUE(x.Ok());
    const Window window = x.FindWindow(WindowTitle().c_str());
    ASSERT_NE(window, 0u);
    x.Focus(window);
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(x.Get(), window, DefaultRootWindow(x.Get()), 0, 0, &rootX, &rootY, &child);
    x.MovePointerTo(rootX + static_cast<int>(kRightArrowX), rootY + static_cast<int>(kBarY));
    const auto runUntil = [](auto condition) {
        for (int frame = 0; frame < 600; ++frame) {
            RunPlayerFrame();
            if (condition()) return true;
        }
        return false;
    };
    ASSERT_TRUE(runUntil([] { return panels.elemArmed(5, 2) == 1; }));
    ASSERT_GT(browser.extraColumns, 5);

    x.ButtonDown(1);
    ASSERT_TRUE(runUntil([] { return shared.mouseLeft == 1; }));
    std::vector<double> columns{panels.scrollColumn};
    for (int frame = 1; frame < 50; ++frame) {
        RunPlayerFrame();
        columns.push_back(panels.scrollColumn);
    }
    x.ButtonUp(1);
    for (int frame = 0; frame < 50; ++frame) {
        EXPECT_EQ(columns[frame], 1 + (frame >= 21 ? 1 : 0) + (frame >= 42 ? 1 : 0)) << "frame " << frame;
    }
    ASSERT_TRUE(runUntil([] { return shared.mouseLeft == 0; }));
    x.ButtonDown(1);
    ASSERT_TRUE(runUntil([] { return shared.mouseLeft == 1; }));
    x.ButtonUp(1);
    EXPECT_EQ(panels.scrollColumn, 4);
    ASSERT_TRUE(runUntil([] { return shared.mouseLeft == 0; }));
}

TEST_F(PlayerFrames, NamesOfAnyLengthOrBytesAreMusicByTheExactCaseOfTheirLastThreeCharacters) {
    std::string low;
    std::string high;
    for (int byte = 1; byte < 128; ++byte) {
        if (byte != '/') low += static_cast<char>(byte);
    }
    for (int byte = 128; byte < 256; ++byte) high += static_cast<char>(byte);
    const std::string longName(246, 'n');
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"x.mp3", "mp3"},          {"y.MP3", "mp3"},          {"z.Mp3", ""},
        {"wav", "wav"},            {"xwav", "wav"},           {"ab", ""},
        {"song.WMA", "wma"},       {"song.wMa", ""},          {longName + ".wma", "wma"},
        {longName + ".Wma", ""},   {std::string(198, 'w') + "WAV", "wav"},
        {low + ".mp3", "mp3"},     {high + ".wav", "wav"},
    };
    for (const auto& [name, kind] : expected) Touch(name);
    ASSERT_EQ(::mkdir("folder.mp3", 0755), 0);
    Start();
    Frame(600, 100, 0);
    for (const auto& [name, kind] : expected) {
        const int row = Row(name);
        ASSERT_GE(row, 0) << name.size();
        EXPECT_EQ(Text(browser.entryKind(row)), kind) << name.size() << " bytes ending in " << name.substr(name.size() - 3);
    }
    EXPECT_EQ(Text(browser.entryKind(Row("folder.mp3"))), "");
    EXPECT_EQ(browser.musicCount, 10);  // the folder counts too, as its name matches
    EXPECT_EQ(browser.longestName, static_cast<double>(longName.size() + 4));
}

TEST_F(PlayerFrames, TenThousandEntriesInMoreThanFiftyColumnsScrollToTheLastColumn) {
    for (int i = 0; i < 10000; ++i) Touch(Numbered(100000 + i, ".txt"));
    Start();
    Frame(600, 100, 0);
    ASSERT_EQ(browser.entryCount, 10002);
    ASSERT_EQ(browser.extraColumns, 714);

    // The far right of the scroll track is its last but one column...
    Click(415, kBarY);
    EXPECT_EQ(panels.scrollColumn, 713);
    // ...and the arrow goes one further, and no further than the last.
    Click(kRightArrowX, kBarY);
    Click(kRightArrowX, kBarY);
    EXPECT_EQ(panels.scrollColumn, 714);
    Frame(600, 100, 0);
    const int last = 10001;
    EXPECT_GT(browser.entryLeft(last), browser.listLeft);
    EXPECT_LT(browser.entryLeft(last), browser.listRight);
    EXPECT_EQ(Text(browser.entryShown(last)), "f109999.txt");
    // The thumb stays inside its track.
    EXPECT_LE(panels.elemRight(5, 4), panels.elemRight(5, 3) + 1e-9);
    EXPECT_GE(panels.elemLeft(5, 4), panels.elemLeft(5, 3));
}

TEST_F(PlayerFrames, NothingThatVanishedOrCannotBePlayedStopsThePlayer) {
    ASSERT_EQ(::mkdir("gone", 0755), 0);
    ASSERT_EQ(::mkdir("home", 0755), 0);
    ASSERT_EQ(::mkfifo("pipe.mp3", 0600), 0);
    WriteFile("bad.mp3", "these are words, not music");
    const std::string oldHome = getenv("HOME") != nullptr ? getenv("HOME") : "";
    setenv("HOME", (folder / "home").c_str(), 1);
    Start();
    Frame(600, 100, 0);

    // A folder removed after it was listed: the list is made again from where we are.
    ASSERT_EQ(::rmdir("gone"), 0);
    Click(kEntryX, RowY(Row("gone")));
    Frame(600, 100, 0);
    EXPECT_EQ(Text(ReadCurrentDir()), Here());
    EXPECT_EQ(Text(shared.browseDir), Here());
    EXPECT_EQ(Row("gone"), -1);

    // A named pipe and a file that is not music: nothing plays, the loop keeps trying.
    Click(kEntryX, RowY(Row("pipe.mp3")));
    EXPECT_EQ(IsMusicPlaying(), 0);
    Click(kLoopX, kLoopY);
    ASSERT_EQ(panels.loopOn, 1);
    Click(kEntryX, RowY(Row("bad.mp3")));
    for (int frame = 0; frame < 5; ++frame) Frame(600, 100, 0);
    EXPECT_EQ(Text(browser.currentTrack), "bad.mp3");
    EXPECT_EQ(shared.musicPlaying, 0);

    // A drive gone since the list was made: the current folder stays and is listed again.
    Click(30, 12);
    Frame(600, 100, 0);
    ASSERT_EQ(Text(panels.driveListOpen), "yes");
    ASSERT_GE(driveList.driveCount, 2);
    ASSERT_EQ(Text(driveList.driveRoot(1)), Here() + "home/");
    ASSERT_EQ(::rmdir("home"), 0);
    Click(20, 24 + 16 + 8);
    Frame(600, 100, 0);
    EXPECT_NE(Text(panels.driveListOpen), "yes");
    EXPECT_EQ(Text(ReadCurrentDir()), Here());
    EXPECT_EQ(Text(shared.browseDir), Here());
    EXPECT_EQ(Text(browser.currentTrack), "");

    // A folder that cannot be entered (only where permissions hold, so not for root).
    if (::geteuid() != 0) {
        ASSERT_EQ(::mkdir("locked", 0), 0);
        browser.listValid = 0;
        Frame(600, 100, 0);
        Click(kEntryX, RowY(Row("locked")));
        Frame(600, 100, 0);
        EXPECT_EQ(Text(ReadCurrentDir()), Here());
        ::chmod("locked", 0755);
    }
    setenv("HOME", oldHome.c_str(), 1);
}

// The drive list enters every drive to see whether it can; afterwards the process is back
// in the folder the browser lists, not in the folder of the last track.
TEST_F(PlayerFrames, OpeningTheDriveListKeepsTheListedFolderCurrent) {
    ASSERT_EQ(::mkdir("sub", 0755), 0);
    Touch("sub/inside.txt");
    Start();
    Frame(600, 100, 0);
    Click(kEntryX, RowY(Row("sub")));
    Frame(600, 100, 0);
    ASSERT_EQ(Text(ReadCurrentDir()), Here() + "sub/");

    Click(30, 12);
    Frame(600, 100, 0);
    ASSERT_EQ(Text(panels.driveListOpen), "yes");
    Click(300, 150);
    EXPECT_NE(Text(panels.driveListOpen), "yes");
    EXPECT_EQ(Text(ReadCurrentDir()), Here() + "sub/");
    Click(kEntryX, RowY(Row("..")));
    Frame(600, 100, 0);
    EXPECT_EQ(Text(ReadCurrentDir()), Here());
    EXPECT_NE(Row("sub"), -1);
}

TEST_F(PlayerFrames, EveryTrackPlaysAtTheVolumeTheKnobShows) {
    WriteFile("tone.wav", ToneWave({660}, 22050, 3000));
    Start();
    Frame(600, 100, 0);
    Drag(kVolumeTrackX + 100, kKnobY, kVolumeTrackX + 40);
    ASSERT_EQ(panels.volume, 40);

    const MusicState& music = Audio().music;
    Click(kEntryX, RowY(Row("tone.wav")));
    ASSERT_NE(music.window, nullptr);
    EXPECT_EQ(music.volume, 0.4);
    // The loop switch's restart is a new start too.
    Click(kLoopX, kLoopY);
    StopMusic();
    Frame(600, 100, 0);
    ASSERT_NE(music.window, nullptr);
    EXPECT_EQ(music.volume, 0.4);
}

// The list hangs over the file list; a press outside it, on an entry or on a control, only
// closes it, for as long as it is held.
TEST_F(PlayerFrames, ThePressThatClosesTheDriveListDoesNothingElse) {
    // Folders first, so that the track is listed well below the drive list.
    for (int i = 0; i < 8; ++i) ASSERT_EQ(::mkdir(Numbered(i, "").c_str(), 0755), 0);
    for (int i = 0; i < 60; ++i) Touch(Numbered(100 + i, ""));
    WriteFile("a.wav", ToneWave({660}, 22050, 3000));
    Start();
    Frame(600, 100, 0);
    const double entryY = RowY(Row("a.wav"));
    ASSERT_GT(browser.extraColumns, 1);
    const auto openList = [] {
        Click(30, 12);
        Frame(600, 100, 0);
        return Text(panels.driveListOpen) == "yes";
    };
    const auto pressClosesList = [](double x, double y) {
        Frame(x, y, 0);
        Frame(x, y, 1);
        const bool closed = Text(panels.driveListOpen) != "yes";
        for (int frame = 0; frame < 25; ++frame) Frame(x, y, 1);
        Frame(x, y, 0);
        return closed;
    };
    ASSERT_TRUE(openList());
    ASSERT_LT(driveList.driveListBottom, entryY - 5);
    EXPECT_TRUE(pressClosesList(kEntryX, entryY));
    EXPECT_EQ(Text(browser.currentTrack), "");
    EXPECT_EQ(Audio().music.window, nullptr);

    ASSERT_TRUE(openList());
    EXPECT_TRUE(pressClosesList(kLoopX, kLoopY));
    EXPECT_EQ(panels.loopOn, 0);
    ASSERT_TRUE(openList());
    EXPECT_TRUE(pressClosesList(kRightArrowX, kBarY));
    EXPECT_EQ(panels.scrollColumn, 0);
    ASSERT_TRUE(openList());
    EXPECT_TRUE(pressClosesList(kVolumeTrackX + 30, kKnobY));
    EXPECT_EQ(panels.volume, 100);

    // With the list closed the same presses act.
    Click(kLoopX, kLoopY);
    EXPECT_EQ(panels.loopOn, 1);
    Click(kEntryX, entryY);
    EXPECT_EQ(Text(browser.currentTrack), "a.wav");
}

// Names are UTF-8: the list counts and cuts them by characters, each drawn as one font
// cell, and a click opens the bytes that were listed.
TEST_F(PlayerFrames, UTF8NamesAreListedByTheirCharactersAndOpenAsListed) {
    const std::string folderName = "Ordner \xC3\xA4";
    const std::string track = "caf\xC3\xA9 cr\xC3\xA8me.wav";
    std::string accents;
    for (int i = 0; i < 60; ++i) accents += "\xC3\xA9";
    ASSERT_EQ(::mkdir(folderName.c_str(), 0755), 0);
    WriteFile(track, ToneWave({660}, 22050, 3000));
    Touch(accents);
    Start();
    Frame(600, 100, 0);
    const int row = Row(track);
    ASSERT_GE(row, 0);
    EXPECT_EQ(Text(browser.entryShown(row)), "caf\xE9 cr\xE8me.wav");
    EXPECT_EQ(browser.entryLen(row), 14);
    EXPECT_EQ(Text(browser.entryKind(row)), "wav");
    // 51 characters fit before the list's right edge.
    EXPECT_EQ(Text(browser.entryShown(Row(accents))), std::string(51, '\xE9'));
    EXPECT_EQ(browser.longestName, 60);

    Click(kEntryX, RowY(row));
    EXPECT_EQ(Text(browser.currentTrack), track);
    EXPECT_NE(Audio().music.window, nullptr);
    Click(kEntryX, RowY(Row(folderName)));
    Frame(600, 100, 0);
    EXPECT_EQ(Text(ReadCurrentDir()), Here() + folderName + "/");
}

// Each step places the thumb anew; it is drawn at its full width on every frame.
TEST_F(PlayerFrames, TheScrollThumbKeepsItsWidthOnEveryStep) {
    for (int i = 0; i < 60; ++i) Touch(Numbered(100 + i, ""));
    Start();
    Frame(600, 100, 0);
    Frame(600, 100, 0);
    ASSERT_EQ(browser.extraColumns, 4);
    const auto thumbWhole = [] {
        return std::abs(panels.elemRight(5, 4) - panels.elemLeft(5, 4) - panels.thumbWidth) < 1e-9;
    };
    const auto stepAt = [&](double x) {
        bool whole = true;
        for (const double left : {0.0, 1.0, 1.0, 0.0}) {
            Frame(x, kBarY, left);
            whole = thumbWhole() && whole;
        }
        return whole;
    };
    // Right to the end and once past it, a press on the track, back with the left arrow.
    for (int step = 0; step < 5; ++step) EXPECT_TRUE(stepAt(kRightArrowX)) << "right arrow, step " << step;
    EXPECT_EQ(panels.scrollColumn, 4);
    EXPECT_TRUE(stepAt(200)) << "track";
    EXPECT_TRUE(stepAt(15)) << "left arrow";
    EXPECT_EQ(panels.scrollColumn, 1);
}

// The keyboard's cursor walks the list in list order, the list scrolling so that the
// entry stays whole in view, and Enter does what a click on the entry does.
TEST_F(PlayerFrames, TheListCursorKeepsItsEntryInViewAndEnterOpensItAsAClick) {
    ASSERT_EQ(::mkdir("sub", 0755), 0);
    Touch("sub/inside.txt");
    WriteFile("a.wav", ToneWave({660}, 22050, 3000));
    for (int i = 0; i < 200; ++i) Touch(Numbered(1000 + i, ""));
    Start();
    Frame(600, 100, 0);
    const auto step = [](int count, int direction) {
        for (int i = 0; i < count; ++i) {
            MoveListCursor(direction);
            Frame(600, 100, 0);
        }
    };
    const auto wholeInView = [](int entry) {
        return browser.entryLeft(entry) > browser.listLeft &&
               browser.entryLeft(entry) + browser.columnWidth <= browser.listRight;
    };
    ASSERT_GT(browser.extraColumns, 10);
    step(1, 1);
    EXPECT_EQ(browser.cursorEntry, 0);
    step(100, 1);
    ASSERT_EQ(browser.cursorEntry, 100);
    EXPECT_GT(panels.scrollColumn, 0);
    EXPECT_TRUE(wholeInView(100));
    // The thumb shows where the list stands.
    EXPECT_EQ(panels.elemShiftLeft(5, 4), panels.scrollColumn * panels.columnPixels);
    step(110, 1);
    EXPECT_EQ(browser.cursorEntry, browser.entryCount - 1);
    EXPECT_TRUE(wholeInView(static_cast<int>(browser.entryCount) - 1));
    step(210, -1);
    EXPECT_EQ(browser.cursorEntry, 0);
    EXPECT_EQ(panels.scrollColumn, 0);

    // Scrolled away with the mouse, Enter brings the entry back and plays it.
    step(Row("a.wav"), 1);
    Click(kRightArrowX, kBarY);
    Click(kRightArrowX, kBarY);
    OpenListCursor();
    Frame(600, 100, 0);
    EXPECT_EQ(Text(browser.currentTrack), "a.wav");
    EXPECT_EQ(Text(browser.selectionShown), "yes");
    EXPECT_EQ(IsMusicPlaying(), 1);
    // "." stops the music and lists nothing new; a folder opens with the cursor at its top.
    step(Row("a.wav") - Row("."), -1);
    OpenListCursor();
    Frame(600, 100, 0);
    EXPECT_EQ(Text(browser.currentTrack), "");
    EXPECT_EQ(IsMusicPlaying(), 0);
    EXPECT_EQ(Text(ReadCurrentDir()), Here());
    step(Row("sub"), 1);
    OpenListCursor();
    Frame(600, 100, 0);
    Frame(600, 100, 0);
    EXPECT_EQ(Text(ReadCurrentDir()), Here() + "sub/");
    EXPECT_EQ(browser.cursorEntry, 0);
    // Backspace's parent folder is the click on "..".
    OpenParentFolder();
    Frame(600, 100, 0);
    EXPECT_EQ(Text(ReadCurrentDir()), Here());
}

// N and P go through the music files only, in list order, round at both ends.
TEST_F(PlayerFrames, AdjacentTracksAreTheListsMusicFilesInOrderRoundAtBothEnds) {
    ASSERT_EQ(::mkdir("folder.wav", 0755), 0);
    for (const char* name : {"a.wav", "c.wav", "d.wav"}) WriteFile(name, ToneWave({660}, 22050, 3000));
    Touch("b.txt");
    Start();
    Frame(600, 100, 0);
    const auto playing = [] { return Text(browser.currentTrack); };
    PlayAdjacentTrack(-1);
    EXPECT_EQ(playing(), "d.wav");
    PlayAdjacentTrack(1);
    EXPECT_EQ(playing(), "a.wav");
    EXPECT_EQ(browser.selectedEntry, Row("a.wav"));
    PlayAdjacentTrack(1);
    EXPECT_EQ(playing(), "c.wav");
    PlayAdjacentTrack(-1);
    PlayAdjacentTrack(-1);
    EXPECT_EQ(playing(), "d.wav");
    EXPECT_EQ(IsMusicPlaying(), 1);
    EXPECT_EQ(Text(PlayingTrackPath()), Here() + "d.wav");
    StopPlayback();
    EXPECT_EQ(playing(), "");
    PlayAdjacentTrack(1);
    EXPECT_EQ(playing(), "a.wav");

    // Without music files nothing plays and nothing stops.
    ASSERT_EQ(::mkdir("quiet", 0755), 0);
    ASSERT_EQ(ChangeDir("quiet"), 1);
    browser.listValid = 0;
    Frame(600, 100, 0);
    PlayAdjacentTrack(1);
    EXPECT_EQ(playing(), "a.wav");
    EXPECT_EQ(IsMusicPlaying(), 1);
}

TEST_F(PlayerFrames, SettingsAreKeptPerUserAndNonsenseOrAnUnwritablePlaceIsPassedOver) {
    ASSERT_EQ(::mkdir("home", 0755), 0);
    ASSERT_EQ(::mkdir("music", 0755), 0);
    ScopedEnv home("HOME", (folder / "home").c_str());
    ScopedEnv noConfig("XDG_CONFIG_HOME", nullptr);
    const std::string file = folder / "home/.config/zorvane/player.ini";
    const auto restart = [] {
        shared = Shared{};
        panels = PanelsState{};
        browser = FileBrowserState{};
        LoadSettings();
        Start();
        Frame(600, 100, 0);
    };
    ASSERT_EQ(Text(SettingsFileName()), file);
    restart();
    EXPECT_EQ(panels.volume, 100);
    // Nothing changed, nothing is written until the player quits.
    SaveChangedSettings();
    SaveChangedSettings();
    EXPECT_FALSE(std::filesystem::exists(folder / "home/.config"));
    SaveChangedSettings(true);
    EXPECT_NE(ReadFile(file).find("folder=" + Here() + "\r\n"), std::string::npos) << ReadFile(file);

    // A drag is written once it is let go.
    ASSERT_EQ(ChangeDir("music"), 1);
    Click(kLoopX, kLoopY);
    Frame(kVolumeTrackX + 100, kKnobY, 0);
    Frame(kVolumeTrackX + 100, kKnobY, 1);
    Frame(kVolumeTrackX + 35, kKnobY, 1);
    SaveChangedSettings();
    EXPECT_EQ(ReadFile(file).find("volume=35"), std::string::npos);
    Frame(kVolumeTrackX + 35, kKnobY, 0);
    SaveChangedSettings();
    EXPECT_NE(ReadFile(file).find("volume=35"), std::string::npos) << ReadFile(file);

    restart();
    EXPECT_EQ(Text(settings.folder), Here() + "music/");
    EXPECT_EQ(panels.volume, 35);
    EXPECT_EQ(panels.loopOn, 1);
    EXPECT_EQ(panels.elemShiftLeft(7, 1), 35);

    // The folder gone, numbers out of range, words, bytes: the player starts as new.
    for (const std::string& nonsense :
         {std::string("[player]\nfolder=") + Here() + "gone/\nvolume=101\nloop=yes\n",
          std::string("[player]\nfolder=music\nvolume=-5\nloop=1 \n"), std::string("volume=50\nloop=1\n"),
          std::string("[player]\nvolume=4e1\n\xff\xfe\x00\x01[[[\n"), std::string(5000, '\x9c')}) {
        WriteFile(file, nonsense);
        restart();
        EXPECT_EQ(Text(settings.folder), "") << nonsense;
        EXPECT_EQ(panels.volume, 100) << nonsense;
        EXPECT_EQ(panels.loopOn, 0) << nonsense;
    }

    // XDG_CONFIG_HOME, when it names a folder from the root, is the place.
    {
        ScopedEnv config("XDG_CONFIG_HOME", (folder / "xdg").c_str());
        EXPECT_EQ(Text(SettingsFileName()), folder / "xdg/zorvane/player.ini");
        ScopedEnv relative("XDG_CONFIG_HOME", "xdg");
        EXPECT_EQ(Text(SettingsFileName()), file);
    }

    // A configuration "folder" that is a file: nothing is written, and nothing breaks.
    std::filesystem::remove_all(folder / "home/.config");
    WriteFile(folder / "home/.config", "not a folder");
    restart();
    SetVolume(20);
    SaveChangedSettings(true);
    EXPECT_EQ(ReadFile(folder / "home/.config"), "not a folder");
    restart();
    EXPECT_EQ(panels.volume, 100);
    settings = SettingsState{};
}

}  // namespace
}  // namespace zrv::test
