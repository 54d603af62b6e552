// The real player executable running in a folder the test prepared, with a home folder, a
// temporary folder and a sound output file of the test's own, driven through the X server
// as a user would drive it: pointer and keys through XTest, the screen read back from the
// window, the sound read from what SDL's disk driver wrote.
#pragma once

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "audio/capture.h"
#include "display/support/x_display.h"
#include "support/child_process.h"
#include "support/clock.h"
#include "support/temp_dir.h"

namespace zrv::test {

constexpr const char* kPlayerTitle = "Zorvane kelvo_5";
constexpr int kPlayerWidth = 640;
constexpr int kPlayerHeight = 200;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    int Brightest() const { return std::max(red, std::max(green, blue)); }
    bool Near(int r, int g, int b, int tolerance = 3) const {
        return std::abs(red - r) <= tolerance && std::abs(green - g) <= tolerance && std::abs(blue - b) <= tolerance;
    }
    bool IsGrey(int level, int tolerance = 3) const { return Near(level, level, level, tolerance); }
};

// One picture of the window's drawing area.
class Screen {
public:
    Screen() = default;
    Screen(int width, int height, std::vector<std::uint32_t> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)) {}
    bool Ok() const { return !pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const;
    // The brightest channel found in the rectangle (both corners included).
    int Brightest(int left, int top, int right, int bottom) const;
    // The rightmost column of the rectangle holding a pixel brighter than level, or -1.
    int RightmostBrighter(int left, int top, int right, int bottom, int level) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Where the file browser draws entry row of the first column, and the point to click it.
struct EntryRow {
    explicit EntryRow(int row);
    int top;
    int bottom;
    int clickY;
    // The middle of the entry's marker square.
    int markerY;
};
constexpr int kEntryClickX = 30;
constexpr int kEntryLeft = 18;
constexpr int kMarkerX = 11;

class PlayerSession {
public:
    // The test's own folders: the player starts in start, HOME is home; both made when
    // missing. The player's TMPDIR and sound file live in a folder of the session.
    PlayerSession(const std::string& start, const std::string& home);
    ~PlayerSession();
    PlayerSession(const PlayerSession&) = delete;
    PlayerSession& operator=(const PlayerSession&) = delete;

    // Waits for the window and gives it the keyboard focus; false when none appeared.
    bool Open();
    XDisplay& X() { return x_; }
    Window PlayerWindow() const { return window_; }

    Screen Shot() const;
    // Polls the screen until the condition holds for one picture; false after the time-out.
    template <class Condition>
    bool WaitForScreen(Condition condition, double seconds = 15) {
        const double deadline = Now() + seconds;
        do {
            const Screen screen = Shot();
            if (screen.Ok() && condition(screen)) return true;
            Pause(0.02);
        } while (Now() < deadline);
        return false;
    }

    // Pointer positions are pixels of the window's drawing area.
    void MoveTo(int x, int y) const;
    void Press() const;
    void Release() const;
    // Moves there, waits until armed holds, presses, waits until done holds, releases.
    // False when either did not come.
    template <class Armed, class Done>
    bool Click(int x, int y, Armed armed, Done done) {
        MoveTo(x, y);
        if (!WaitForScreen(armed)) return false;
        Press();
        const bool happened = WaitForScreen(done);
        Release();
        return happened;
    }

    // The glow of a music file's marker moves every other frame: waiting for it to change
    // count times lets at least 2 * count - 1 frames pass.
    bool WaitForFrames(const EntryRow& musicRow, int count);

    // What the sound device has played so far.
    Capture Sound() const;
    // Waits until the last 300 ms the device played carry a tone near hz (zero when any
    // tone will do) at an RMS level of at least minimum; false after the time-out.
    bool WaitForTone(double hz, double minimum = 0.05, double seconds = 15) const;
    // Waits until the last 300 ms played are silent.
    bool WaitForSilence(double seconds = 15) const;
    // RMS level of the last 300 ms played (left side).
    double RecentLevel() const;
    // Waits until that level lies between low and high; false after the time-out.
    bool WaitForLevel(double low, double high, double seconds = 15) {
        return WaitForScreen([&](const Screen&) {
            const double level = RecentLevel();
            return level > low && level < high;
        }, seconds);
    }

    // Waits for the player to end (killing it after the time-out).
    ChildResult Finish(double seconds = 20);
    // Taps Escape, which ends the player, and waits for the end.
    ChildResult EndWithEscape() {
        x_.Tap("Escape");
        return Finish();
    }

private:
    TempDir work_;
    std::string soundFile_;
    XDisplay x_;
    std::unique_ptr<LiveChild> child_;
    Window window_ = 0;
    int rootX_ = 0;
    int rootY_ = 0;
};

// The loop switch at the bottom right: its outline is grey 125 when idle, 135 under the
// mouse and 200 while it is on or pressed.
constexpr int kLoopX = 619;
constexpr int kLoopY = 188;
inline int LoopOutline(const Screen& screen) { return screen.At(604, kLoopY).red; }
// Clicks the switch from off to on; false when it did not light up under the mouse or did
// not switch.
inline bool SwitchLoopOn(PlayerSession& player) {
    return player.Click(kLoopX, kLoopY, [](const Screen& s) { return LoopOutline(s) == 135; },
                        [](const Screen& s) { return LoopOutline(s) == 200; });
}

// The number of characters the folder line shows, from where its text ends.
int FolderLineChars(const Screen& screen);
// The rows of the first list column that hold an entry.
int ListedRows(const Screen& screen);
// A music file's marker has a blue square inside; any other a black one.
bool MarkedAsMusic(const Screen& screen, const EntryRow& row);
// The selection frame runs along the entry's edges; its left edge is the entry's own.
bool Selected(const Screen& screen, const EntryRow& row);

// Where the test's own files come from.
std::string TestMedia(const std::string& name);
void MakeFolder(const std::string& path);

}  // namespace zrv::test
