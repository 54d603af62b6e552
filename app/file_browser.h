// File browser and playback: the entries of the current folder in columns, music files
// marked, a click opens a folder or plays a music file, and the loop switch restarts it.
#pragma once

#include "zorvane.h"

namespace player {

struct FileBrowserState {
    // First-call flag: 0 rebuilds the list from the current folder.
    double listValid = 0;

    // Per entry, in the listing's order (folders first).
    RtStringArray entryFound;
    RtStringArray entryName;
    // The name as the font draws it, one cell per character, and the number of characters.
    RtStringArray entryCells;
    RtNumberArray entryLen;
    // "wav", "mp3" or "wma" for a music file, else empty.
    RtStringArray entryKind;
    RtNumberArray entryHomeLeft, entryHomeTop, entryHomeBottom;
    RtNumberArray entryLeft, entryTop, entryRight, entryBottom;
    RtNumberArray entryMarkRed, entryMarkGreen, entryMarkBlue;
    RtNumberArray entryHoverRed, entryHoverGreen, entryHoverBlue;
    RtNumberArray entryHovered;
    // Characters of the name that fit before the list's right edge, and their cells.
    RtNumberArray entryVisibleChars;
    RtStringArray entryShown;

    double entryCount = 0;
    double longestName = 0;
    double musicCount = 0;
    double listLeft = 0;
    double listTop = 0;
    double listRight = 0;
    double listBottom = 0;
    double columnWidth = 0;
    double halfChar = 0;
    double halfLine = 0;
    // Columns beyond the first; the scroll bar reads it.
    double extraColumns = 0;
    // Horizontal scroll of the list in pixels (0 or negative).
    double scrollOffset = 0;
    double clickLatch = 0;
    double selectedEntry = 0;
    RtString selectionShown;
    // Bare name of the track started by the latest click, played from the current folder.
    RtString currentTrack;
    // The music markers' slow glow (-25..50) and their swell for one frame now and then.
    double glow = 0;
    double glowFalling = 0;
    double popSize = 0;
    double popPhase = 0;
    double popWait = 0;

    // The keyboard's cursor: the entry it stands on, -1 while the keyboard has not been
    // used in this list. An Enter waits for the frame's placing, so that it opens the entry
    // as a click on it would.
    double cursorEntry = -1;
    double cursorOpenPending = 0;
};

extern FileBrowserState browser;

// Stops the music and forgets the track, so that the loop switch does not start it again.
void StopTrack();
// Lists the folder from its first column, after the music stopped as every click stops it.
void OpenFolder(const RtString& folder);
// What a click on the entry does: stops the music, opens a folder or plays a music file.
void OpenEntry(std::int32_t entry);
// Moves the cursor by step entries (the first step puts it on the first entry) and scrolls
// the list so that it stays in view.
void MoveListCursor(std::int32_t step);
// Opens the entry under the cursor in this frame, as a click on it would.
void OpenListCursor();
// What a click on ".." does.
void OpenParentFolder();
// The music file step music files away from the current track in list order, wrapping at
// the ends; without a current track the first (step > 0) or the last one. -1 when the
// folder holds no music file.
std::int32_t AdjacentMusicEntry(std::int32_t step);

}  // namespace player
