// The tile effect: 204 tiles of 20 x 10 pixels cut from the picture area, each swinging
// about its home place on a spring once its start delay has passed, all turned by one
// angle that a small phase machine drives; the result goes into the preview's sprite.
#include "tile_effect.h"

#include <initializer_list>

#include "picture.h"
#include "flags.h"
#include "shared.h"

namespace player {

namespace {

constexpr double kTileWidth = 20;
constexpr double kTileHeight = 10;
constexpr double kDelayStep = 2;
// The springs pull a swinging tile back toward home by this much velocity per frame.
constexpr double kPullX = 0.075;
constexpr double kPullY = 0.05;
// The push a tile gets when its delay has passed; the springs keep it swinging from then
// on, about 3 pixels either way across and 2 up and down.
constexpr double kPushX = 0.6;
constexpr double kPushY = 0.4;
constexpr double kFadeTop = 1;
constexpr double kFadeIdle = 0.005;

// The turning: a phase lasts 300 frames, then another one is picked and its course
// starts at 0.
constexpr double kPhaseFrames = 300;
constexpr double kPhaseCount = 3;  // the highest phase number
constexpr double kTurnStep = 0.5;
constexpr double kFullTurn = 360;
constexpr double kSwayAngle = 10;
constexpr double kSwayQuarterFrames = 20;
constexpr double kTiltAngle = 45;
enum Phase { kRest = 0, kSway = 1, kTilt = 2, kSpin = 3 };

TileEffect& Tiles() { return picture.tiles; }

std::int32_t TileTotal() { return TruncateToInt32(Tiles().tileCount); }

// Row by row from just above and left of the picture area: a row ends after the tile that
// passes the area's right edge less one tile. The start delays grow along a row and
// restart one step later on every row, so the swinging spreads out diagonally.
void LayOutTiles() {
    TileEffect& t = Tiles();
    for (RtNumberArray* array : {&t.tileLeft, &t.tileTop, &t.tileRight, &t.tileBottom, &t.shiftX, &t.shiftY,
                                 &t.speedX, &t.speedY, &t.startDelay, &t.frameCount, &t.tileSprite}) {
        DimArray(*array, TileTotal());
    }
    double xCursor = 0;
    double yCursor = 0;
    double row = 0;
    double delay = kDelayStep;
    for (std::int32_t k = 0; k < TileTotal(); ++k) {
        t.tileLeft(k) = shared.picLeft - kTileWidth + xCursor;
        t.tileTop(k) = shared.picTop - kTileHeight + yCursor;
        t.tileRight(k) = t.tileLeft(k) + kTileWidth;
        t.tileBottom(k) = t.tileTop(k) + kTileHeight;
        t.tileSprite(k) = k + kFirstTileSprite;
        t.startDelay(k) = delay;
        delay += kDelayStep;
        xCursor += kTileWidth;
        if (t.tileLeft(k) > shared.picRight - kTileWidth) {
            yCursor += kTileHeight;
            row += 1;
            xCursor = 0;
            delay = kDelayStep * (row + 1);
        }
    }
}

// Back home and still, so that the next piece of music starts the effect afresh.
void SettleTiles() {
    TileEffect& t = Tiles();
    for (std::int32_t k = 0; k < TileTotal(); ++k) {
        t.shiftX(k) = t.shiftY(k) = t.speedX(k) = t.speedY(k) = t.frameCount(k) = 0;
    }
    t.phase = t.phaseFrames = t.course = t.angle = 0;
}

// Rises while music plays, falls after it stopped; back at the bottom the picture is idle.
void Fade() {
    TileEffect& t = Tiles();
    if (shared.musicPlaying == 1) {
        t.fade = MinNumber(kFadeTop, t.fade + t.fadeUpStep);
        return;
    }
    t.fade -= t.fadeDownStep;
    if (t.fade <= kFadeIdle) {
        t.fade = kFadeIdle;
        picture.pictureIdle = YesNo(true);
        SettleTiles();
    }
}

void GrabTiles() {
    TileEffect& t = Tiles();
    for (std::int32_t k = 0; k < TileTotal(); ++k) {
        GrabScreenToSprite(TruncateToInt32(t.tileSprite(k)), TruncateToInt32(t.tileLeft(k)),
                           TruncateToInt32(t.tileTop(k)), TruncateToInt32(t.tileRight(k) - t.tileLeft(k) + 1),
                           TruncateToInt32(t.tileBottom(k) - t.tileTop(k) + 1));
    }
}

// One frame of a spring that pulls with a constant force toward 0.
void Swing(double& shift, double& speed, double pull) {
    shift += speed;
    if (shift > 0) speed -= pull;
    if (shift < 0) speed += pull;
}

void MoveTiles() {
    TileEffect& t = Tiles();
    for (std::int32_t k = 0; k < TileTotal(); ++k) {
        t.frameCount(k) += 1;
        if (t.frameCount(k) < t.startDelay(k)) continue;
        if (t.frameCount(k) == t.startDelay(k)) {
            t.speedX(k) = kPushX;
            t.speedY(k) = kPushY;
        }
        Swing(t.shiftX(k), t.speedX(k), kPullX);
        Swing(t.shiftY(k), t.speedY(k), kPullY);
    }
}

void DrawTiles() {
    TileEffect& t = Tiles();
    for (std::int32_t k = 0; k < TileTotal(); ++k) {
        DrawSpriteRotatedScaled(TruncateToInt32(t.tileSprite(k)), TruncateToInt32(t.tileLeft(k) + t.shiftX(k)),
                                TruncateToInt32(t.tileTop(k) + t.shiftY(k)), -t.angle);
    }
}

// The shorter way round from one angle to another, -180..180.
double TurnBetween(double from, double to) {
    double turn = ModNumber(to - from, kFullTurn);
    if (turn > kFullTurn / 2) turn -= kFullTurn;
    if (turn < -kFullTurn / 2) turn += kFullTurn;
    return turn;
}

// The phase's own course, starting at 0: rest holds still; sway rocks 10 degrees either
// way, a quarter swing taking 20 frames; tilt leans over by 45 degrees in half-degree steps
// and comes back in time; spin makes one whole turn, slow at both ends, and ends where it
// began.
double PhaseCourse() {
    const TileEffect& t = Tiles();
    switch (TruncateToInt32(t.phase)) {
        case kSway: return kSwayAngle * SinDeg(t.phaseFrames * 90 / kSwayQuarterFrames);
        case kTilt: {
            const double lean = kTurnStep * t.phaseFrames;
            const double back = kTurnStep * (kPhaseFrames - t.phaseFrames);
            return MinNumber(kTiltAngle, MinNumber(lean, back));
        }
        case kSpin: return kFullTurn * (1 - CosDeg(t.phaseFrames * 180 / kPhaseFrames)) / 2;
        default: return 0;
    }
}

// The tiles' angle moves with the course and closes any gap to it (left when a phase ends
// away from 0) by at most half a degree a frame, so no change of phase jerks the tiles.
void TurnTiles() {
    TileEffect& t = Tiles();
    double previous = t.course;
    t.phaseFrames += 1;
    if (t.phaseFrames >= kPhaseFrames) {
        t.phaseFrames = 0;
        t.phase = PickOther(kPhaseCount, t.phase);
        previous = t.course = 0;
    }
    t.course = PhaseCourse();
    t.angle += TurnBetween(previous, t.course);
    t.angle += MaxNumber(-kTurnStep, MinNumber(kTurnStep, TurnBetween(t.angle, t.course)));
    if (t.angle >= kFullTurn) t.angle -= kFullTurn;
    if (t.angle < 0) t.angle += kFullTurn;
}

// From the first tile's home corner to the last tile's far corner.
void GrabPicture() {
    const TileEffect& t = Tiles();
    const std::int32_t last = TileTotal() - 1;
    GrabScreenToSprite(kPictureSprite, TruncateToInt32(t.tileLeft(0)), TruncateToInt32(t.tileTop(0)),
                       TruncateToInt32(t.tileRight(last) - t.tileLeft(0) + 1),
                       TruncateToInt32(t.tileBottom(last) - t.tileTop(0) + 1));
}

}  // namespace

void RunTileEffect() {
    TileEffect& t = Tiles();
    if (t.firstCall == 0) {
        t.firstCall = 1;
        LayOutTiles();
    }
    if (!PictureRunning()) {
        ClearBackBuffer();
        return;
    }
    Fade();
    SetBlendAlpha(t.fade);
    GrabTiles();
    SetBlendAlpha(0);
    MoveTiles();
    ClearBackBuffer();
    DrawTiles();
    TurnTiles();
    GrabPicture();
    ClearBackBuffer();
}

}  // namespace player
