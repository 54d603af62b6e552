// File browser and playback.
#include "file_browser.h"

#include <cmath>

#include "display_text.h"
#include "drawing.h"
#include "drive_list.h"
#include "flags.h"
#include "panels.h"
#include "player.h"
#include "shared.h"

namespace player {

FileBrowserState browser;

namespace {

FileBrowserState& B = browser;

// Room between columns, and the entries' inset from the list area.
constexpr double kColumnGap = 3;
constexpr double kTopInset = 2;
constexpr double kLeftCells = 2;
constexpr double kNameCellsPad = 3;
constexpr double kMarkerSize = 9;
constexpr double kMarkerOffset = 3;
constexpr double kGlowTop = 50;
constexpr double kGlowBottom = -25;
constexpr double kGlowStep = 0.5;
constexpr double kPopWaitFrames = 500;
constexpr double kListedGrey = 125;
constexpr double kMusicMarkGrey = 150;
constexpr double kMusicHoverRed = 83;
constexpr double kMusicHoverGreen = 83;
constexpr double kMusicHoverBlue = 166;
constexpr double kMarkerFrameGrey = 80;

bool IsMusic(const RtString& kind) { return !kind.IsEmpty(); }

// Music files by the exact case of their last three characters: "mp3" and "MP3" play,
// "Mp3" does not, and the dot before them is not looked at. Names of any length are
// judged by their real last three characters.
RtString MusicKind(const RtString& name) {
    const std::int32_t length = static_cast<std::int32_t>(name.Length());
    if (length <= 2) return RtString();
    const RtString last = MidString(name, length - 3, 3);
    if (last == "wav" || last == "WAV") return "wav";
    if (last == "mp3" || last == "MP3") return "mp3";
    if (last == "wma" || last == "WMA") return "wma";
    return RtString();
}

void DimEntries(std::int32_t count) {
    for (RtStringArray* array : {&B.entryName, &B.entryCells, &B.entryKind, &B.entryShown}) {
        DimStringArray(*array, count);
    }
    for (RtNumberArray* array :
         {&B.entryLen, &B.entryHomeLeft, &B.entryHomeTop, &B.entryHomeBottom, &B.entryLeft, &B.entryTop, &B.entryRight,
          &B.entryBottom, &B.entryMarkRed, &B.entryMarkGreen, &B.entryMarkBlue, &B.entryHoverRed, &B.entryHoverGreen,
          &B.entryHoverBlue, &B.entryHovered, &B.entryVisibleChars}) {
        DimArray(*array, count);
    }
}

void ClassifyEntry(std::int32_t i) {
    const RtString kind = MusicKind(B.entryName(i));
    if (kind.IsEmpty()) return;
    B.musicCount += 1;
    // A folder whose name ends in such letters stays unmarked.
    if (FileExists(B.entryName(i)) == 1) B.entryKind(i) = kind;
}

void LayOutEntries() {
    B.listLeft = panels.elemLeft(kFileListArea.panel, kFileListArea.element);
    B.listTop = panels.elemTop(kFileListArea.panel, kFileListArea.element) + kTopInset;
    B.listRight = panels.elemRight(kFileListArea.panel, kFileListArea.element);
    B.listBottom = panels.elemBottom(kFileListArea.panel, kFileListArea.element);
    B.columnWidth = shared.fontWidth * (B.longestName + kNameCellsPad);
    B.halfChar = shared.fontWidth * 0.5;
    B.halfLine = shared.fontHeight * 0.5;
    const double rowHeight = shared.fontHeight + B.halfLine * 0.25;

    B.extraColumns = 0;
    double row = 0;
    double columnOffset = 0;
    const auto count = static_cast<std::int32_t>(B.entryCount);
    for (std::int32_t i = 0; i < count; ++i) {
        B.entryHomeLeft(i) = B.listLeft + shared.fontWidth * kLeftCells + columnOffset;
        B.entryHomeTop(i) = B.listTop + kTopInset + rowHeight * row;
        B.entryHomeBottom(i) = B.entryHomeTop(i) + rowHeight;
        row += 1;
        if (i < count - 1 && B.entryHomeBottom(i) > B.listBottom - shared.fontHeight) {
            row = 0;
            columnOffset += B.columnWidth + kColumnGap;
            B.extraColumns += 1;
        }
        const bool music = IsMusic(B.entryKind(i));
        B.entryMarkRed(i) = B.entryMarkGreen(i) = B.entryMarkBlue(i) = music ? kMusicMarkGrey : kListedGrey;
        B.entryHoverRed(i) = music ? kMusicHoverRed : kListedGrey;
        B.entryHoverGreen(i) = music ? kMusicHoverGreen : kListedGrey;
        B.entryHoverBlue(i) = music ? kMusicHoverBlue : kListedGrey;
    }
}

void BuildList() {
    B.listValid = 1;
    // A keyboard user goes on from the top of the new list.
    B.cursorEntry = B.cursorEntry >= 0 ? 0 : -1;
    B.cursorOpenPending = 0;
    ListFiles("*.*", B.entryFound);
    const std::int32_t count = ArrayBound(B.entryFound, 0);
    B.entryCount = count;
    DimEntries(count);
    B.longestName = 0;
    B.musicCount = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        B.entryName(i) = B.entryFound(i);
        B.entryCells(i) = FontCells(B.entryName(i));
        B.entryLen(i) = B.entryCells(i).Length();
        if (B.entryLen(i) > B.longestName) B.longestName = B.entryLen(i);
        ClassifyEntry(i);
    }
    LayOutEntries();
}

void FollowScroll() {
    if (!IsYes(panels.browserActive)) return;
    const double columnStep = B.columnWidth + kColumnGap;
    B.scrollOffset = std::clamp(-columnStep * panels.scrollColumn, -columnStep * B.extraColumns, 0.0);
}

bool Visible(std::int32_t i) { return B.listLeft < B.entryLeft(i) && B.entryLeft(i) < B.listRight; }

void PlaceEntry(std::int32_t i) {
    B.entryLeft(i) = B.entryHomeLeft(i) + B.scrollOffset;
    B.entryTop(i) = B.entryHomeTop(i);
    B.entryBottom(i) = B.entryHomeBottom(i);
    if (!Visible(i)) {
        B.entryHovered(i) = 0;
        return;
    }
    const double left = B.entryLeft(i);
    const double fits = std::floor((B.listRight - shared.fontWidth - 2 - left) / shared.fontWidth);
    B.entryVisibleChars(i) = std::clamp(fits, 0.0, B.entryLen(i));
    B.entryRight(i) = left + shared.fontWidth * B.entryVisibleChars(i) + B.halfChar * 2 + 1;
    B.entryShown(i) = MidString(B.entryCells(i), 0, static_cast<std::int32_t>(B.entryVisibleChars(i)));
    const bool over =
        StrictlyInside(shared.mouseX, shared.mouseY, left, B.entryTop(i), B.entryRight(i), B.entryBottom(i));
    const bool active = IsYes(panels.browserActive) && !DriveListHasPress();
    B.entryHovered(i) = over && active ? 1 : 0;
    // The keyboard's cursor looks like the mouse's highlight.
    if (active && (over || i == B.cursorEntry)) {
        FillRect(Px(left), Px(B.entryTop(i)), Px(B.entryRight(i) - left), Px(B.entryBottom(i) - B.entryTop(i) + 1),
                 Rgb(B.entryHoverRed(i), B.entryHoverGreen(i), B.entryHoverBlue(i)));
    }
}

void PlayTrack(const RtString& name) {
    StartMusic(name, 0);
    ApplySliderVolume();
    shared.playingPath = ReadCurrentDir() + name;
}

// The list's column that holds the entry.
double ColumnOf(std::int32_t i) {
    return std::round((B.entryHomeLeft(i) - B.entryHomeLeft(0)) / (B.columnWidth + kColumnGap));
}

// The fewest columns scrolled that show the entry whole, or at least its left edge.
void ScrollToEntry(std::int32_t i) {
    const double column = ColumnOf(i);
    const double columnStep = B.columnWidth + kColumnGap;
    double first = std::min(panels.scrollColumn, column);
    while (first < column && B.entryHomeLeft(i) - columnStep * first + B.columnWidth > B.listRight) first += 1;
    ScrollToColumn(first);
}

void OpenPendingCursor() {
    if (B.cursorOpenPending == 0) return;
    B.cursorOpenPending = 0;
    const auto i = static_cast<std::int32_t>(B.cursorEntry);
    if (i >= 0 && i < B.entryCount && Visible(i)) OpenEntry(i);
}

}  // namespace

void StopTrack() {
    StopMusic();
    B.currentTrack = "";
    B.selectionShown = YesNo(false);
}

namespace {

// The same press must not also click an entry of the list it leads to.
void BeginOpening() {
    B.clickLatch = 1;
    StopTrack();
}

// A folder that cannot be entered leaves the current one, listed afresh.
void ListFolder(const RtString& folder) {
    B.listValid = 0;
    ChangeDir(folder);
    shared.browseDir = ReadCurrentDir();
    B.scrollOffset = 0;
}

}  // namespace

void OpenFolder(const RtString& folder) {
    BeginOpening();
    ListFolder(folder);
}

// Every click stops the music and forgets the track first, so the loop switch only ever
// restarts the track of the latest click.
void OpenEntry(std::int32_t i) {
    B.selectedEntry = i;
    const RtString& name = B.entryName(i);
    BeginOpening();
    if (B.entryShown(i) != "." && FileExists(name) == 0) ListFolder(name);
    if (IsMusic(B.entryKind(i))) {
        PlayTrack(name);
        B.selectionShown = YesNo(true);
        B.currentTrack = name;
        shared.trackDir = shared.browseDir;
    }
}

namespace {

void HandleClick() {
    if (shared.mouseLeft == 0) B.clickLatch = 0;
    if (!IsYes(panels.browserActive) || shared.mouseLeft != 1 || B.clickLatch != 0 || DriveListHasPress()) return;
    const auto count = static_cast<std::int32_t>(B.entryCount);
    for (std::int32_t i = 0; i < count; ++i) {
        if (Visible(i) && B.entryHovered(i) == 1) {
            OpenEntry(i);
            return;
        }
    }
}

void DrawMarker(std::int32_t i) {
    const double top = B.entryTop(i);
    const double left = B.entryLeft(i) - kMarkerOffset * 4 + 1;
    const double upper = (B.entryBottom(i) - top) * 0.5 + top - kMarkerSize * 0.5 + 1;
    const double outer = kMarkerSize - 1;
    FillRect(Px(left), Px(upper), Px(outer), Px(outer), Grey(kMarkerFrameGrey));
    FillRect(Px(left + 1), Px(upper + 1), Px(outer - 2), Px(outer - 2), 0);
    if (!IsMusic(B.entryKind(i))) return;
    const double pop = B.popSize;
    FillRect(Px(left - pop), Px(upper - pop), Px(outer + 2 * pop), Px(outer + 2 * pop),
             Rgb(B.entryMarkRed(i) + B.glow, B.entryMarkGreen(i) + B.glow, B.entryMarkBlue(i) + B.glow));
    FillRect(Px(left + 2 - pop), Px(upper + 2 - pop), Px(outer - 4 + 2 * pop), Px(outer - 4 + 2 * pop),
             Rgb(B.entryHoverRed(i) + B.glow, B.entryHoverGreen(i) + B.glow, B.entryHoverBlue(i) + B.glow));
}

void DrawEntries() {
    const auto count = static_cast<std::int32_t>(B.entryCount);
    for (std::int32_t i = 0; i < count; ++i) {
        if (!Visible(i)) continue;
        if (IsYes(B.selectionShown) && i == B.selectedEntry) {
            OutlineRect(B.entryLeft(i), B.entryTop(i), B.entryRight(i), B.entryBottom(i), Rgb(125, 125, 250));
        }
        DrawMarker(i);
        DrawDimText(B.entryShown(i), B.entryLeft(i) + B.halfChar + 1, B.entryTop(i) + B.halfLine * 0.5 - 2);
    }
}

void AnimateMarkers() {
    if (B.glowFalling == 0) {
        B.glow += kGlowStep;
        if (B.glow >= kGlowTop) B.glowFalling = 1;
    } else {
        B.glow -= kGlowStep;
        if (B.glow <= kGlowBottom) B.glowFalling = 0;
    }
    if (B.popPhase == 0) {
        B.popSize = 1;
        B.popPhase = 1;
    } else if (B.popPhase == 1) {
        B.popSize = 0;
        B.popPhase = 2;
    } else if (++B.popWait >= kPopWaitFrames) {
        B.popWait = 0;
        B.popPhase = 0;
    }
}

// A track that cannot be played is tried again on every frame while the loop is on.
void RestartLoopingTrack() {
    if (B.currentTrack != "" && panels.loopOn == 1 && IsMusicPlaying() == 0) PlayTrack(B.currentTrack);
}

}  // namespace

void MoveListCursor(std::int32_t step) {
    const auto count = static_cast<std::int32_t>(B.entryCount);
    if (count == 0) return;
    const auto at = static_cast<std::int32_t>(B.cursorEntry);
    B.cursorEntry = at < 0 ? 0 : std::clamp(at + step, 0, count - 1);
    ScrollToEntry(static_cast<std::int32_t>(B.cursorEntry));
}

void OpenListCursor() {
    if (B.cursorEntry < 0) return;
    ScrollToEntry(static_cast<std::int32_t>(B.cursorEntry));
    B.cursorOpenPending = 1;
}

void OpenParentFolder() {
    const auto count = static_cast<std::int32_t>(B.entryCount);
    for (std::int32_t i = 0; i < count; ++i) {
        if (B.entryName(i) == "..") {
            OpenEntry(i);
            return;
        }
    }
}

std::int32_t AdjacentMusicEntry(std::int32_t step) {
    const auto count = static_cast<std::int32_t>(B.entryCount);
    if (count == 0 || step == 0) return -1;
    const bool playing = B.currentTrack != "";
    std::int32_t at = playing ? static_cast<std::int32_t>(B.selectedEntry) : (step > 0 ? -1 : count);
    const std::int32_t direction = step > 0 ? 1 : -1;
    for (std::int32_t moved = 0; moved != step;) {
        // One round of the whole list finds every music file there is.
        std::int32_t looked = 0;
        do {
            at = ((at + direction) % count + count) % count;
            if (++looked > count) return -1;
        } while (!IsMusic(B.entryKind(at)));
        moved += direction;
    }
    return at;
}

void UpdateFileBrowser() {
    if (B.listValid == 0) BuildList();
    FollowScroll();
    const auto count = static_cast<std::int32_t>(B.entryCount);
    for (std::int32_t i = 0; i < count; ++i) PlaceEntry(i);
    HandleClick();
    OpenPendingCursor();
    DrawEntries();
    AnimateMarkers();
    RestartLoopingTrack();
    shared.musicPlaying = IsMusicPlaying();
}

}  // namespace player
