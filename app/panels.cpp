// Panels, menu bar and player controls.
#include "panels.h"

#include "display_text.h"
#include "drawing.h"
#include "drive_list.h"
#include "file_browser.h"
#include "flags.h"
#include "picture.h"
#include "player.h"
#include "shared.h"

namespace player {

PanelsState panels;

namespace {

PanelsState& P = panels;

constexpr double kBarHeight = 21;
constexpr double kButtonHeight = 15;
// Buttons sit this far inside their bar.
constexpr double kButtonInset = 3;
// A menu item is its tag plus one character cell on either side.
constexpr double kMenuPadCells = 2;
// The file list ends where the 200-pixel preview and its frame begin.
constexpr double kPreviewSpan = 201;
constexpr double kArrowFromRight = 18;
constexpr double kTrackGap = 2;
constexpr double kLoopFromRight = 34;
constexpr double kLoopFromTop = 5;
constexpr double kLoopWidth = 30;
constexpr double kLoopHeight = 12;
constexpr double kLoopInset = 4;
constexpr double kVolumeGap = 14;
constexpr double kVolumeFromTop = 7;
constexpr double kVolumeWidth = 100;
constexpr double kFullVolume = 100;
constexpr double kVolumeHeight = 10;
constexpr double kKnobHalfWidth = 7;
constexpr double kKnobInset = 2;

constexpr double kMaxScrollPositions = 50;
constexpr double kRepeatFrames = 20;
constexpr std::int32_t kFolderLineChars = 89;
constexpr std::int32_t kWheelAxis = 2;

constexpr double kLineGrey = 125;
constexpr double kFillGrey = 20;
constexpr double kIdleFill = 40;
constexpr double kArmedLine = 135;
constexpr double kArmedFill = 50;
constexpr double kPressedLine = 155;
constexpr double kPressedFill = 70;
constexpr double kMenuGrey = 100;
constexpr double kLoopOnLine = 200;
constexpr double kLoopOnFill = 100;
constexpr double kFaintLabel = -0.25;

// The tags the elements are told apart by: menu items are tagged with their label, the
// scroll bar's parts and the volume slider with names of their own.
constexpr const char* kSearchTag = "Search";
constexpr const char* kOptionsTag = "Options";
constexpr const char* kHelpTag = "Help";
constexpr const char* kFolderLineTag = "dir";
constexpr const char* kPreviewTag = "file";
constexpr const char* kLeftArrowTag = "pol2_1";
constexpr const char* kRightArrowTag = "pol3_1";
constexpr const char* kScrollTrackTag = "pol4_1";
constexpr const char* kScrollThumbTag = "pol5_1";
constexpr const char* kLoopSwitchTag = "loop";
constexpr const char* kVolumeTrackTag = "volume1";
constexpr const char* kVolumeKnobTag = "volume2";

constexpr GridPlace kScrollTrack{5, 3};
constexpr GridPlace kScrollThumb{5, 4};
constexpr GridPlace kVolumeTrack{7, 0};
constexpr GridPlace kVolumeKnob{7, 1};

double Left(GridPlace at) { return P.elemLeft(at.panel, at.element); }
double Top(GridPlace at) { return P.elemTop(at.panel, at.element); }
double Right(GridPlace at) { return P.elemRight(at.panel, at.element); }
double Bottom(GridPlace at) { return P.elemBottom(at.panel, at.element); }

bool IsMenuItem(const RtString& tag) { return tag == kSearchTag || tag == kOptionsTag || tag == kHelpTag; }

bool IsControl(const RtString& tag) {
    return tag == kLeftArrowTag || tag == kRightArrowTag || tag == kScrollThumbTag || tag == kLoopSwitchTag ||
           tag == kVolumeKnobTag;
}

void SetRect(GridPlace at, double left, double top, double right, double bottom) {
    P.elemLeft(at.panel, at.element) = left;
    P.elemTop(at.panel, at.element) = top;
    P.elemRight(at.panel, at.element) = right;
    P.elemBottom(at.panel, at.element) = bottom;
}

void SetTag(GridPlace at, const RtString& tag) {
    P.elemTag(at.panel, at.element) = tag;
    P.elemTagLen(at.panel, at.element) = tag.Length();
}

void SetColours(std::int32_t p, std::int32_t e, double line, double fill) {
    P.elemLineRed(p, e) = P.elemLineGreen(p, e) = P.elemLineBlue(p, e) = line;
    P.elemFillRed(p, e) = P.elemFillGreen(p, e) = P.elemFillBlue(p, e) = fill;
}

void MenuItem(GridPlace at, const RtString& tag, double left, double top, const RtString& enabled) {
    SetTag(at, tag);
    SetRect(at, left, top, left + shared.fontWidth * (tag.Length() + kMenuPadCells), top + kButtonHeight);
    P.elemEnabled(at.panel, at.element) = enabled;
}

void DimGrid() {
    for (RtNumberArray* array :
         {&P.elemLeft, &P.elemTop, &P.elemRight, &P.elemBottom, &P.elemHomeLeft, &P.elemHomeTop, &P.elemHomeRight,
          &P.elemHomeBottom, &P.elemShiftLeft, &P.elemShiftTop, &P.elemShiftRight, &P.elemShiftBottom, &P.elemTagLen,
          &P.elemLineRed, &P.elemLineGreen, &P.elemLineBlue, &P.elemFillRed, &P.elemFillGreen, &P.elemFillBlue,
          &P.elemArmed, &P.elemRepeat, &P.elemLatch, &P.elemToggle}) {
        DimArray(*array, kPanelCount, kElementCount);
    }
    for (RtStringArray* array : {&P.elemTag, &P.elemEnabled, &P.elemFilled, &P.elemFramed}) {
        DimStringArray(*array, kPanelCount, kElementCount);
    }
}

void LayOutPanels() {
    DimGrid();
    for (std::int32_t p = 0; p < kPanelCount; ++p) {
        for (std::int32_t e = 0; e < kElementCount; ++e) {
            SetColours(p, e, kLineGrey, kFillGrey);
            P.elemEnabled(p, e) = YesNo(true);
            P.elemFilled(p, e) = YesNo(true);
            P.elemFramed(p, e) = YesNo(true);
        }
    }
    const double width = shared.screenWidth;
    const double height = shared.screenHeight;

    constexpr GridPlace window{0, 0};
    SetRect(window, 1, 1, width - 2, height - 2);
    SetRect(kMenuBar, Left(window), Top(window), Right(window), Top(window) + kBarHeight);
    MenuItem(kSearchItem, kSearchTag, Left(kMenuBar) + kButtonInset, Top(kMenuBar) + kButtonInset, YesNo(true));
    MenuItem({1, 2}, kOptionsTag, Right(kSearchItem) - 1, Top(kSearchItem), YesNo(false));
    MenuItem(kHelpItem, kHelpTag, Right({1, 2}) - 1, Top({1, 2}), YesNo(false));

    constexpr GridPlace folderLine{2, 0};
    SetTag(folderLine, kFolderLineTag);
    SetRect(folderLine, Left(window), Bottom(kMenuBar), Right(window), Bottom(kMenuBar) + kBarHeight);
    SetRect(kFileListArea, Left(window) + 1, Bottom(folderLine) + 1, Right(window) - kPreviewSpan - 1,
            Bottom(window) - kBarHeight - 1);
    SetTag(kPreview, kPreviewTag);
    SetRect(kPreview, Right(window) - kPreviewSpan, Top(kFileListArea), Right(window) - 1, Bottom(kFileListArea));
    SetColours(kPreview.panel, kPreview.element, kLineGrey, 0);

    constexpr GridPlace bottomBar{4, 0};
    SetRect(bottomBar, Left(window), Bottom(kFileListArea) + 1, Right(window), Bottom(kFileListArea) + 1 + kBarHeight);
    constexpr GridPlace scrollBar{5, 0};
    SetRect(scrollBar, Left(bottomBar), Top(bottomBar), Right(kFileListArea), Top(bottomBar) + kBarHeight);
    SetColours(scrollBar.panel, scrollBar.element, kLineGrey, 0);
    constexpr GridPlace leftArrow{5, 1};
    SetTag(leftArrow, kLeftArrowTag);
    SetRect(leftArrow, Left(scrollBar) + kButtonInset, Top(scrollBar) + kButtonInset,
            Left(scrollBar) + kButtonInset + kButtonHeight, Top(scrollBar) + kButtonInset + kButtonHeight);
    constexpr GridPlace rightArrow{5, 2};
    SetTag(rightArrow, kRightArrowTag);
    SetRect(rightArrow, Right(scrollBar) - kArrowFromRight, Top(scrollBar) + kButtonInset,
            Right(scrollBar) - kArrowFromRight + kButtonHeight, Top(scrollBar) + kButtonInset + kButtonHeight);
    SetTag(kScrollTrack, kScrollTrackTag);
    SetRect(kScrollTrack, Right(leftArrow) + kTrackGap, Top(scrollBar) + kButtonInset, Left(rightArrow) - kTrackGap,
            Top(scrollBar) + kButtonInset + kButtonHeight);
    P.elemFilled(kScrollTrack.panel, kScrollTrack.element) = YesNo(false);
    P.elemFramed(kScrollTrack.panel, kScrollTrack.element) = YesNo(false);
    P.trackLength = Right(kScrollTrack) - Left(kScrollTrack);
    SetTag(kScrollThumb, kScrollThumbTag);
    SetRect(kScrollThumb, Left(kScrollTrack), Top(kScrollTrack), Left(kScrollTrack), Bottom(kScrollTrack));

    constexpr GridPlace loopSwitch{6, 0};
    SetTag(loopSwitch, kLoopSwitchTag);
    SetRect(loopSwitch, Right(bottomBar) - kLoopFromRight, Top(bottomBar) + kLoopFromTop,
            Right(bottomBar) - kLoopFromRight + kLoopWidth, Top(bottomBar) + kLoopFromTop + kLoopHeight);
    SetTag(kVolumeTrack, kVolumeTrackTag);
    SetRect(kVolumeTrack, Right(scrollBar) + kVolumeGap, Top(bottomBar) + kVolumeFromTop,
            Right(scrollBar) + kVolumeGap + kVolumeWidth, Top(bottomBar) + kVolumeFromTop + kVolumeHeight);
    P.elemFilled(kVolumeTrack.panel, kVolumeTrack.element) = YesNo(false);
    P.elemFramed(kVolumeTrack.panel, kVolumeTrack.element) = YesNo(false);
    SetTag(kVolumeKnob, kVolumeKnobTag);
    SetRect(kVolumeKnob, Left(kVolumeTrack) - kKnobHalfWidth, Top(kVolumeTrack) + kKnobInset,
            Left(kVolumeTrack) + kKnobHalfWidth, Bottom(kVolumeTrack) - kKnobInset);
    // The knob starts at full volume, at the track's right end.
    P.elemShiftLeft(kVolumeKnob.panel, kVolumeKnob.element) = P.volume;
    P.elemShiftRight(kVolumeKnob.panel, kVolumeKnob.element) = P.volume;
    P.elemToggle(loopSwitch.panel, loopSwitch.element) = P.loopOn;

    for (std::int32_t p = 0; p < kPanelCount; ++p) {
        for (std::int32_t e = 0; e < kElementCount; ++e) {
            P.elemHomeLeft(p, e) = P.elemLeft(p, e);
            P.elemHomeTop(p, e) = P.elemTop(p, e);
            P.elemHomeRight(p, e) = P.elemRight(p, e);
            P.elemHomeBottom(p, e) = P.elemBottom(p, e);
        }
    }
}

// The scroll track's column at a distance from its left edge. The whole part is read from
// the number's text up to its first "-", "." or "e"; a negative distance, or a text that
// falls into more than two pieces, gives column 0.
double ColumnAt(double distance) {
    if (distance < 0) return 0;
    RtStringArray pieces;
    if (SplitString(NumberToText(distance / P.columnPixels), pieces, "-.e") > 2) return 0;
    const double column = TextToNumber(pieces(0));
    return column < P.scrollColumns - 1 ? column : P.scrollColumns - 1;
}

void MeasureScroll() {
    P.scrollColumns = browser.extraColumns + 1;
    P.scrollPositions = P.scrollColumns > kMaxScrollPositions ? kMaxScrollPositions : P.scrollColumns;
    P.thumbWidth = P.trackLength / P.scrollPositions;
    P.columnPixels = P.trackLength / P.scrollColumns;
    P.mouseColumn = ColumnAt(shared.mouseX - Left(kScrollTrack));
}

void PlaceElement(std::int32_t p, std::int32_t e) {
    P.elemLeft(p, e) = P.elemHomeLeft(p, e) + P.elemShiftLeft(p, e);
    P.elemTop(p, e) = P.elemHomeTop(p, e) + P.elemShiftTop(p, e);
    P.elemRight(p, e) = P.elemHomeRight(p, e) + P.elemShiftRight(p, e);
    P.elemBottom(p, e) = P.elemHomeBottom(p, e) + P.elemShiftBottom(p, e);
}

// While the button is held the armed state stays, so a press acts on the element that was
// under the mouse when the button went down.
void ArmElement(std::int32_t p, std::int32_t e) {
    if (shared.mouseLeft != 0) return;
    const bool inside = StrictlyInside(shared.mouseX, shared.mouseY, P.elemLeft(p, e), P.elemTop(p, e),
                                       P.elemRight(p, e), P.elemBottom(p, e));
    P.elemArmed(p, e) = inside && IsYes(P.elemEnabled(p, e)) ? 1 : 0;
}

bool Pressed(std::int32_t p, std::int32_t e) {
    return P.elemArmed(p, e) == 1 && shared.mouseLeft == 1 && !DriveListHasPress();
}

void RunMenuItem(std::int32_t p, std::int32_t e) {
    if (P.elemArmed(p, e) == 1) {
        P.menuPanel = p;
        P.menuElement = e;
        P.menuLeft = P.elemLeft(p, e);
        P.menuTop = P.elemTop(p, e);
        P.menuRight = P.elemRight(p, e);
        P.menuBottom = P.elemBottom(p, e);
    }
    if (P.elemTag(p, e) == kSearchTag && P.menuOpen == 1) {
        ShowDriveList(true);
        P.browserActive = YesNo(false);
    }
}

void ScrollBy(double columns) {
    P.elemShiftLeft(kScrollThumb.panel, kScrollThumb.element) += columns * P.columnPixels;
    P.scrollColumn += columns;
}

void RunScrollTrack(std::int32_t p, std::int32_t e) {
    if (!Pressed(p, e)) return;
    P.elemShiftLeft(kScrollThumb.panel, kScrollThumb.element) = P.columnPixels * P.mouseColumn;
    P.scrollColumn = P.mouseColumn;
}

// One column at the press, then one more every kRepeatFrames + 1 frames of the hold. Every
// release ends the hold, so each new click scrolls at once.
void RunArrow(std::int32_t p, std::int32_t e, double direction) {
    if (!Pressed(p, e)) {
        P.elemRepeat(p, e) = 0;
        P.elemLatch(p, e) = 0;
        return;
    }
    if (P.elemLatch(p, e) == 0) {
        P.elemLatch(p, e) = 1;
        ScrollBy(direction);
    } else if (P.elemRepeat(p, e) < kRepeatFrames) {
        P.elemRepeat(p, e) += 1;
    } else {
        P.elemRepeat(p, e) = 0;
        ScrollBy(direction);
    }
}

void RunThumb(std::int32_t p, std::int32_t e) {
    const double wheel = ReadMouseAxis(kWheelAxis);
    P.elemShiftLeft(p, e) -= wheel * P.columnPixels;
    P.elemShiftRight(p, e) -= wheel * P.columnPixels;
    P.scrollColumn -= wheel;
    const double travel = P.trackLength - P.thumbWidth;
    if (P.elemShiftLeft(p, e) > travel) P.elemShiftLeft(p, e) = travel;
    if (P.elemShiftLeft(p, e) < 0) P.elemShiftLeft(p, e) = 0;
    P.elemShiftRight(p, e) = P.elemShiftLeft(p, e) + P.thumbWidth;
}

void RunLoopSwitch(std::int32_t p, std::int32_t e) {
    if (Pressed(p, e)) {
        if (P.elemLatch(p, e) == 0) {
            P.elemLatch(p, e) = 1;
            P.elemToggle(p, e) = 1 - P.elemToggle(p, e);
        }
    } else {
        P.elemLatch(p, e) = 0;
    }
    P.loopOn = P.elemToggle(p, e);
}

// Runs at the knob, once the track before it has been armed too.
void RunVolume() {
    const bool held = P.elemArmed(kVolumeTrack.panel, kVolumeTrack.element) == 1 ||
                      P.elemArmed(kVolumeKnob.panel, kVolumeKnob.element) == 1;
    if (!held || shared.mouseLeft != 1 || DriveListHasPress()) return;
    SetVolume(shared.mouseX - Left(kVolumeTrack));
}

void ColourElement(std::int32_t p, std::int32_t e, const RtString& tag) {
    const bool armed = P.elemArmed(p, e) == 1;
    if (IsMenuItem(tag)) {
        const bool remembered = p == P.menuPanel && e == P.menuElement && P.menuOpen == 1;
        const RtString shown = YesNo(armed || remembered);
        P.elemFilled(p, e) = shown;
        P.elemFramed(p, e) = shown;
        SetColours(p, e, kMenuGrey, kMenuGrey);
        return;
    }
    if (!IsControl(tag)) return;
    if (!armed) {
        SetColours(p, e, kLineGrey, kIdleFill);
    } else if (Pressed(p, e)) {
        SetColours(p, e, kPressedLine, kPressedFill);
    } else {
        SetColours(p, e, kArmedLine, kArmedFill);
    }
    if (tag == kLoopSwitchTag && (P.loopOn == 1 || Pressed(p, e))) SetColours(p, e, kLoopOnLine, kLoopOnFill);
}

void RunElement(std::int32_t p, std::int32_t e) {
    ArmElement(p, e);
    const RtString& tag = P.elemTag(p, e);
    if (IsMenuItem(tag)) {
        RunMenuItem(p, e);
    } else if (tag == kScrollTrackTag) {
        RunScrollTrack(p, e);
    } else if (tag == kLeftArrowTag) {
        RunArrow(p, e, -1);
    } else if (tag == kRightArrowTag) {
        RunArrow(p, e, 1);
    } else if (tag == kScrollThumbTag) {
        RunThumb(p, e);
    } else if (tag == kLoopSwitchTag) {
        RunLoopSwitch(p, e);
    } else if (tag == kVolumeKnobTag) {
        RunVolume();
    }
    ColourElement(p, e, tag);
}

void DrawElement(std::int32_t p, std::int32_t e) {
    const double left = P.elemLeft(p, e);
    const double top = P.elemTop(p, e);
    const double right = P.elemRight(p, e);
    const double bottom = P.elemBottom(p, e);
    if (left == right && top == bottom) return;
    const RtString& tag = P.elemTag(p, e);
    const double textLeft = left + shared.fontWidth;
    const double textTop = top + shared.fontHeight * 0.25;

    if (IsYes(P.elemFilled(p, e))) {
        FillRect(Px(left), Px(top), Px(right - left + 1), Px(bottom - top + 1),
                 Rgb(P.elemFillRed(p, e), P.elemFillGreen(p, e), P.elemFillBlue(p, e)));
    }
    const std::int32_t line = Rgb(P.elemLineRed(p, e), P.elemLineGreen(p, e), P.elemLineBlue(p, e));
    if (IsYes(P.elemFramed(p, e))) OutlineRect(left, top, right, bottom, line);
    if (tag == kLoopSwitchTag) OutlineRect(left + kLoopInset, top + kLoopInset, right - kLoopInset, bottom - kLoopInset, line);
    if (IsMenuItem(tag)) {
        if (IsYes(P.elemEnabled(p, e))) {
            DrawText(tag, textLeft, textTop);
        } else {
            SetBlendAlpha(kFaintLabel);
            DrawText(tag, textLeft, textTop);
            SetBlendAlpha(0);
        }
    }
    if (tag == kFolderLineTag) DrawDimText(FirstCells(shared.browseDir, kFolderLineChars), textLeft, textTop + 3);
    if (tag == kVolumeTrackTag) {
        const std::int32_t middle = Px((top + bottom) / 2);
        DrawLineSegment(Px(left), middle, Px(right), middle, Grey(kLineGrey));
        SetBlendAlpha(kDimTextAlpha);
        DrawNumber(P.volume, right + shared.fontWidth + 7, textTop - 3);
        SetBlendAlpha(0);
    }
}

void FinishMenu() {
    if (shared.mouseLeft == 0) {
        P.menuHover = StrictlyInside(shared.mouseX, shared.mouseY, P.menuLeft, P.menuTop, P.menuRight, P.menuBottom);
    } else if (P.menuHover == 1) {
        if (P.menuLatch == 0) {
            P.menuLatch = 1;
            P.menuOpen = 1 - P.menuOpen;
        }
    } else {
        P.menuOpen = 0;
    }
    if (shared.mouseLeft == 0 && P.menuLatch == 1) {
        P.menuLatch = 0;
        P.browserActive = YesNo(true);
    }
    P.scrollColumn = std::clamp(P.scrollColumn, 0.0, browser.extraColumns);
    if (P.menuLatch == 0 && P.menuOpen == 0) P.browserActive = YesNo(true);
    if (PictureRunning()) {
        DrawSpriteStretched(kPictureSprite, Px(Left(kPreview) + 1), Px(Top(kPreview) + 1),
                            Px(Right(kPreview) - Left(kPreview) - 1), Px(Bottom(kPreview) - Top(kPreview) - 1));
    }
}

}  // namespace

// The slider reads 0..100, a pixel of its track each; the music takes 1 as full volume.
void ApplySliderVolume() { SetMusicVolume(P.volume / kFullVolume); }

// Before the first frame there is no knob yet; the layout puts it at the volume.
void SetVolume(double volume) {
    P.volume = std::clamp(volume, 0.0, kVolumeWidth);
    if (P.laidOut != 0) {
        P.elemShiftLeft(kVolumeKnob.panel, kVolumeKnob.element) = P.volume;
        P.elemShiftRight(kVolumeKnob.panel, kVolumeKnob.element) = P.volume;
    }
    ApplySliderVolume();
}

void ShowDriveList(bool shown) { P.driveListOpen = YesNo(shown); }

bool DriveListShown() { return IsYes(P.driveListOpen); }

void PresetControls(double volume, bool loopOn) {
    if (volume >= 0) P.volume = volume;
    if (loopOn) P.loopOn = 1;
}

void ScrollToColumn(double column) {
    if (P.laidOut == 0) return;
    P.elemShiftLeft(kScrollThumb.panel, kScrollThumb.element) = column * P.columnPixels;
    P.scrollColumn = column;
}

void UpdatePanels() {
    if (P.laidOut == 0) {
        P.laidOut = 1;
        LayOutPanels();
    }
    MeasureScroll();
    if (IsKeyDown(kKeyS) == 1) P.menuOpen = 1;
    // Every element is placed before any control moves one: a step moves the thumb's left
    // shift first and its right shift after, and the pair only agree at the thumb.
    for (std::int32_t p = 0; p < kPanelCount; ++p) {
        for (std::int32_t e = 0; e < kElementCount; ++e) PlaceElement(p, e);
    }
    for (std::int32_t p = 0; p < kPanelCount; ++p) {
        for (std::int32_t e = 0; e < kElementCount; ++e) RunElement(p, e);
    }
    for (std::int32_t p = 0; p < kPanelCount; ++p) {
        for (std::int32_t e = 0; e < kElementCount; ++e) DrawElement(p, e);
    }
    FinishMenu();
}

}  // namespace player
