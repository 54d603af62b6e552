// Drive list: the drop-down list below "Search" of the places that stand for drives; a
// click on one lists its root in the file browser.
#pragma once

#include "zorvane.h"

namespace player {

struct DriveListState {
    // 0 until the drives have been probed, the first time the list is shown.
    double drivesProbed = 0;
    double driveCount = 0;

    // Per drive.
    RtStringArray driveRoot;
    // The root and five blanks, so the items differ in width.
    RtStringArray driveLabel;
    RtNumberArray driveLabelLen;
    RtNumberArray driveLeft, driveTop, driveRight, driveBottom;
    RtNumberArray driveLineRed, driveLineGreen, driveLineBlue;
    RtNumberArray driveFillRed, driveFillGreen, driveFillBlue;
    // "yes" while the item is under the mouse.
    RtStringArray driveFilled, driveFramed;
    RtNumberArray driveHovered;

    double driveListLeft = 0;
    double driveListTop = 0;
    double driveListRight = 0;
    double driveListBottom = 0;
    double driveListHover = 0;
    double driveItemHeight = 19;
    double driveTextPad = 0;
    double driveTextTop = 0;
    double driveHoverReset = 0;
    RtString dirToOpen;
    // 1 from the press that closed the list until the button is let go.
    double closingPress = 0;
};

extern DriveListState driveList;

// True while a press belongs to the list: the list is shown, or the press that closed it is
// still held. Such a press does nothing else, neither in the file list nor at a control.
bool DriveListHasPress();

}  // namespace player
