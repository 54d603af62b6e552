// Drive list.
#include "drive_list.h"

#include <algorithm>

#include "display_text.h"
#include "drawing.h"
#include "file_browser.h"
#include "flags.h"
#include "panels.h"
#include "player.h"
#include "shared.h"

namespace player {

DriveListState driveList;

namespace {

DriveListState& D = driveList;

constexpr double kItemStep = 16;
constexpr double kItemInset = 2;
constexpr double kListGap = 3;
constexpr double kPadCells = 3;
constexpr const char* kLabelTail = "     ";
constexpr std::int32_t kLabelTailLength = 5;
constexpr double kListFill = 20;
constexpr double kListLine = 125;
constexpr double kItemLine = 125;
constexpr double kItemFill = 40;
constexpr double kHoverLine = 150;
constexpr double kHoverFill = 100;

void DimDrives(std::int32_t count) {
    for (RtStringArray* array : {&D.driveRoot, &D.driveLabel, &D.driveFilled, &D.driveFramed}) {
        DimStringArray(*array, count);
    }
    for (RtNumberArray* array :
         {&D.driveLabelLen, &D.driveLeft, &D.driveTop, &D.driveRight, &D.driveBottom, &D.driveLineRed,
          &D.driveLineGreen, &D.driveLineBlue, &D.driveFillRed, &D.driveFillGreen, &D.driveFillBlue,
          &D.driveHovered}) {
        DimArray(*array, count);
    }
}

// A drive letter is named as Windows users know it, "c:"; a mount point by its root. A long
// root is cut so that its item still ends inside the window's frame.
RtString LabelFor(const RtString& root, double itemLeft) {
    const char* text = root.c_str();
    const bool driveLetter = root.Length() == 3 && text[1] == ':' && text[2] == '/';
    const double room = shared.screenWidth - 2 - kItemInset - itemLeft - 2 * D.driveTextPad;
    const auto rootChars = static_cast<std::int32_t>(room / shared.fontWidth) - kLabelTailLength;
    return FirstCells(root, std::max(driveLetter ? std::min(rootChars, 2) : rootChars, 0)) + kLabelTail;
}

void LayOutDrives() {
    const auto count = static_cast<std::int32_t>(D.driveCount);
    D.driveListRight = D.driveListLeft;
    D.driveListBottom = D.driveListTop;
    for (std::int32_t n = 0; n < count; ++n) {
        D.driveLeft(n) = D.driveListLeft + kItemInset;
        D.driveLabel(n) = LabelFor(D.driveRoot(n), D.driveLeft(n));
        D.driveLabelLen(n) = D.driveLabel(n).Length();
        D.driveTop(n) = D.driveListTop + kItemInset + kItemStep * n;
        D.driveRight(n) = D.driveLeft(n) + shared.fontWidth * D.driveLabelLen(n) + 2 * D.driveTextPad;
        D.driveBottom(n) = D.driveTop(n) + D.driveItemHeight - 2;
        // The labels differ in width: the list encloses the widest.
        D.driveListRight = std::max(D.driveListRight, D.driveRight(n) + kItemInset);
        D.driveListBottom = D.driveBottom(n) + kItemInset;
    }
}

// The roots that can be entered now, found by entering each. The process then returns to
// the folder the browser lists, so that its entries still open from where they are.
void ProbeDrives() {
    D.drivesProbed = 1;
    D.driveTextPad = shared.fontWidth * kPadCells;
    D.driveTextTop = shared.fontHeight * 0.25;
    const RtString listedDir = ReadCurrentDir();
    RtStringArray candidates;
    RtStringArray enterable;
    const auto found = static_cast<std::int32_t>(ListDriveRoots(candidates));
    for (std::int32_t k = 0; k < found; ++k) {
        if (ChangeDir(candidates(k)) == 1) PushStringElement(enterable, candidates(k));
    }
    D.driveCount = ArrayBound(enterable, 0);
    DimDrives(static_cast<std::int32_t>(D.driveCount));
    for (std::int32_t n = 0; n < D.driveCount; ++n) D.driveRoot(n) = enterable(n);

    D.driveListLeft = panels.elemLeft(kSearchItem.panel, kSearchItem.element);
    D.driveListTop = panels.elemBottom(kSearchItem.panel, kSearchItem.element) + kListGap;
    LayOutDrives();
    ChangeDir(listedDir);
}

bool OverItem(std::int32_t n) {
    return StrictlyInside(shared.mouseX, shared.mouseY, D.driveLeft(n), D.driveTop(n), D.driveRight(n),
                          D.driveBottom(n));
}

void CloseList() {
    ShowDriveList(false);
    D.driveHoverReset = 1;
    D.closingPress = 1;
}

void TrackListHover() {
    if (shared.mouseLeft == 0) {
        D.driveListHover = StrictlyInside(shared.mouseX, shared.mouseY, D.driveListLeft, D.driveListTop,
                                          D.driveListRight, D.driveListBottom);
    } else if (D.driveListHover == 0) {
        CloseList();
    }
}

void DrawListGround() {
    FillRect(Px(D.driveListLeft), Px(D.driveListTop), Px(D.driveListRight - D.driveListLeft),
             Px(D.driveListBottom - D.driveListTop), Grey(kListFill));
    OutlineRect(D.driveListLeft, D.driveListTop, D.driveListRight, D.driveListBottom, Grey(kListLine));
}

void MarkItem(std::int32_t n) {
    if (shared.mouseLeft == 0) D.driveHovered(n) = OverItem(n) ? 1 : 0;
    const bool hovered = D.driveHovered(n) == 1;
    const double line = hovered ? kHoverLine : kItemLine;
    const double fill = hovered ? kHoverFill : kItemFill;
    D.driveLineRed(n) = D.driveLineGreen(n) = D.driveLineBlue(n) = line;
    D.driveFillRed(n) = D.driveFillGreen(n) = D.driveFillBlue(n) = fill;
    D.driveFilled(n) = YesNo(hovered);
    D.driveFramed(n) = YesNo(hovered);
}

// The music stops even when the drive chosen is the one already listed; a drive gone since
// the probe leaves the current folder, listed afresh.
void ChooseDrive(std::int32_t n) {
    D.dirToOpen = D.driveRoot(n);
    CloseList();
    OpenFolder(D.dirToOpen);
}

void DrawItem(std::int32_t n) {
    if (IsYes(D.driveFilled(n))) {
        FillRect(Px(D.driveLeft(n)), Px(D.driveTop(n)), Px(D.driveRight(n) - D.driveLeft(n) + 1),
                 Px(D.driveBottom(n) - D.driveTop(n) + 1), Rgb(D.driveFillRed(n), D.driveFillGreen(n), D.driveFillBlue(n)));
    }
    if (IsYes(D.driveFramed(n))) {
        OutlineRect(D.driveLeft(n), D.driveTop(n), D.driveRight(n), D.driveBottom(n),
                    Rgb(D.driveLineRed(n), D.driveLineGreen(n), D.driveLineBlue(n)));
    }
    DrawText(D.driveLabel(n), D.driveLeft(n) + D.driveTextPad, D.driveTop(n) + D.driveTextTop + 1);
}

}  // namespace

bool DriveListHasPress() {
    return DriveListShown() || (D.closingPress == 1 && shared.mouseLeft == 1);
}

void UpdateDriveList() {
    if (shared.mouseLeft == 0) D.closingPress = 0;
    if (!DriveListShown()) return;
    if (D.drivesProbed == 0) ProbeDrives();
    TrackListHover();
    DrawListGround();
    const auto count = static_cast<std::int32_t>(D.driveCount);
    for (std::int32_t n = 0; n < count; ++n) MarkItem(n);
    for (std::int32_t n = 0; n < count; ++n) {
        if (D.driveHovered(n) == 1 && shared.mouseLeft == 1) {
            ChooseDrive(n);
            break;
        }
    }
    for (std::int32_t n = 0; n < count; ++n) DrawItem(n);
    if (D.driveHoverReset == 1) {
        D.driveHoverReset = 0;
        for (std::int32_t n = 0; n < count; ++n) D.driveHovered(n) = 0;
    }
}

}  // namespace player
