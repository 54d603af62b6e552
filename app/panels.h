// Panels, menu bar and player controls: the window's whole layout as a grid of up to 10
// panels of up to 10 elements, each a rectangle with colours, display flags and a tag that
// gives it its meaning.
#pragma once

#include "zorvane.h"

namespace player {

constexpr std::int32_t kPanelCount = 10;
constexpr std::int32_t kElementCount = 10;

// Where the elements that other areas look at sit in the grid.
struct GridPlace {
    std::int32_t panel;
    std::int32_t element;
};
constexpr GridPlace kMenuBar{1, 0};
constexpr GridPlace kSearchItem{1, 1};
constexpr GridPlace kHelpItem{1, 3};
constexpr GridPlace kFileListArea{3, 0};
constexpr GridPlace kPreview{3, 1};

struct PanelsState {
    double laidOut = 0;  // first-call flag

    // Indexed [panel][element]. The rectangle this frame, the one from the layout, and the
    // offsets added to it every frame (only the scroll thumb and the volume knob move).
    RtNumberArray elemLeft, elemTop, elemRight, elemBottom;
    RtNumberArray elemHomeLeft, elemHomeTop, elemHomeRight, elemHomeBottom;
    RtNumberArray elemShiftLeft, elemShiftTop, elemShiftRight, elemShiftBottom;
    RtStringArray elemTag;
    RtNumberArray elemTagLen;
    RtNumberArray elemLineRed, elemLineGreen, elemLineBlue;
    RtNumberArray elemFillRed, elemFillGreen, elemFillBlue;
    // "yes" / "no": can be armed (and its label is opaque), fill drawn, outline drawn.
    RtStringArray elemEnabled, elemFilled, elemFramed;
    RtNumberArray elemArmed;
    // Frames an arrow has been held, the press of a held button handled, a switch's state.
    RtNumberArray elemRepeat, elemLatch, elemToggle;

    double menuOpen = 0;
    double menuHover = 0;
    double menuLatch = 0;
    // The menu item armed last and its rectangle.
    double menuPanel = 0;
    double menuElement = 0;
    double menuLeft = 0;
    double menuTop = 0;
    double menuRight = 0;
    double menuBottom = 0;

    // First file-list column shown, 0..extraColumns of the file browser.
    double scrollColumn = 0;
    double scrollColumns = 0;
    double scrollPositions = 0;
    double trackLength = 0;
    // Thumb travel per column.
    double columnPixels = 0;
    double thumbWidth = 0;
    // The column of the scroll track under the mouse this frame.
    double mouseColumn = 0;

    double volume = 100;
    // Set before the first frame, the loop switch starts in this position.
    double loopOn = 0;
    // "yes" while the drive list is shown; empty counts as "no".
    RtString driveListOpen;
    // "yes" while the file list reacts to the mouse; empty until the end of the first frame.
    RtString browserActive;
};

extern PanelsState panels;

// Gives the music the volume the slider shows. Every new piece starts at full volume, so
// this follows every start.
void ApplySliderVolume();
// Puts the knob at the volume (limited to 0..100), shows it and gives it to the music.
void SetVolume(double volume);
// Opens or closes the drop-down list of drives.
void ShowDriveList(bool shown);
bool DriveListShown();
// The controls' positions the first frame lays out: the volume unless it is negative, and
// the loop switch on when loopOn is true (else as it was).
void PresetControls(double volume, bool loopOn);
// Shows the file list from that column on, the scroll thumb with it.
void ScrollToColumn(double column);

}  // namespace player
