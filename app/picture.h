// The picture area and its tile effect: coloured shapes drawn off to the side while music
// plays, cut into wobbling tiles and copied into the sprite the preview shows.
//
// Every variable of the picture lives in `picture`; assigning it a fresh PictureState puts
// the picture back to the state of a program that has just started.
#pragma once

#include <cstdint>

#include "zorvane.h"

namespace player {

// The sprite the tile effect leaves the finished picture in; the panels draw it stretched
// into the preview while the picture runs.
constexpr std::int32_t kPictureSprite = 190;
// The cube's texture, "image.png" from the media folder, loaded on the cube's first frame.
constexpr std::int32_t kCubeSprite = 303;
// Tile k of the effect is copied into sprite k + 1.
constexpr std::int32_t kFirstTileSprite = 1;
constexpr std::int32_t kTileCount = 204;

// The three colour channels the shapes take their colours from, each wandering toward a
// target that is picked anew every few seconds.
struct ColourDrift {
    double red = 0;
    double green = 0;
    double blue = 0;
    double targetRed = 0;
    double targetGreen = 0;
    double targetBlue = 0;
    double step = 0.5;
    double timer = 0;
    double period = 125;
};

// Which shape is shown: 0..4 while music plays, 5 (none) while it does not.
struct SceneChoice {
    double scene = 0;
    double savedScene = 0;
    double sceneCount = 4;  // the highest scene number picked at random
    double sceneTimer = 0;
    double scenePicked = 0;
    double playLatch = 0;
    double stopLatch = 0;
};

// Per-slot data of the shape routines: every number array is 10 x 10 x 90, indexed (slot,
// part, value). A routine walks the 10 slots and works only in the one it owns (the slot of its
// scene number). Points and faces use the value index; per-slot numbers sit at (slot, 0, 0).
struct ShapeSlots {
    double firstCall = 0;
    // The solid's corners as built, turned by the slot's two angles, and on the screen.
    RtNumberArray pointX, pointY, pointZ;
    RtNumberArray turnedX, turnedY, turnedZ;
    RtNumberArray screenX, screenY;
    // Face f's corner c is point faceCorner(slot, c, f).
    RtNumberArray faceCorner;
    // Per face: distance from the viewer, brightness, blending value, and the drawing order
    // (faceOrder(slot, 0, n) is the face drawn n-th, farthest first).
    RtNumberArray faceDepth, faceLight, faceBlend, faceOrder;
    // Per slot.
    RtNumberArray pointCount, faceCount;
    RtNumberArray angleA, angleB, speedA, speedB;  // the two turns and their own extra speed
    RtNumberArray spread, spreadStep, turn;        // the flat polygon's corner spread and turn
    RtNumberArray pulse;                           // the bars' brightness wave
    // The pieces of a face list or of the cube's corner text, split at the commas.
    RtStringArray pieces;
    // "yes" once the slot's shape is built.
    RtStringArray slotBuilt;
    double cubeTextureLoaded = 0;
};

// The tiles the picture area is cut into, and how they move and turn.
struct TileEffect {
    double firstCall = 0;
    double tileCount = kTileCount;
    // Home rectangle, displacement and its velocity, start delay, frames counted since the
    // picture started, sprite slot.
    RtNumberArray tileLeft, tileTop, tileRight, tileBottom;
    RtNumberArray shiftX, shiftY, speedX, speedY;
    RtNumberArray startDelay, frameCount, tileSprite;
    // Fades in while music plays and out after it stopped.
    double fade = 0;
    double fadeUpStep = 0.005;
    double fadeDownStep = 0.015;
    // The tiles' turning: the phase (0 rest, 1 sway, 2 tilt, 3 spin), frames in the phase,
    // the phase's own course and the angle the tiles are drawn at, which follows it.
    double phase = 0;
    double phaseFrames = 0;
    double course = 0;
    double angle = 0;
};

struct PictureState {
    // "no" while the picture runs (music playing or fading out); empty or "yes" when idle.
    RtString pictureIdle;
    ColourDrift drift;
    SceneChoice scenes;
    ShapeSlots shapes;
    TileEffect tiles;
};

extern PictureState picture;

// True from the start of a piece of music until the picture has faded out after it.
inline bool PictureRunning() { return picture.pictureIdle == "no"; }

// The five shape routines, in the order the picture calls them; each draws only while its
// scene is the current one.
void DrawRing();          // scene 0
void DrawTorus();         // scene 1
void DrawTexturedCube();  // scene 2
void DrawBars();          // scene 3
void DrawFlatPolygon();   // scene 4

}  // namespace player
