// What the picture's shape routines share: their slots, the turn-and-project step of the
// solids, the faces' drawing order and brightness, and sending a face as a polygon.
#pragma once

#include <cstdint>

#include "picture.h"

namespace player {

constexpr std::int32_t kShapeSlots = 10;
constexpr std::int32_t kSlotParts = 10;
constexpr std::int32_t kSlotValues = 90;

// Creates the slot arrays on the picture's first frame.
void CreateShapeSlots();

// True when the routine of ownScene should draw in this slot this frame: a routine works
// in the slot of its scene number, and only while its scene is shown.
bool SlotShows(std::int32_t slot, std::int32_t ownScene);

// Splits a comma-separated text of numbers into the slot's pieces and returns how many
// there are; Piece(n) reads the n-th as a number.
std::int32_t SplitNumbers(const RtString& text);
double Piece(std::int32_t n);
// Reads a face list of four corners per face into the slot's faces.
void ReadFaceList(std::int32_t slot, const RtString& faceList);

// Both turns advance by the common step plus the slot's own speed.
void AdvanceTurns(std::int32_t slot);
// Turns the slot's points by its two angles and projects them around the anchor point:
// the depth is the turned y plus a constant offset, over 3, and the screen position is the
// anchor plus a scale times z / depth across and x / depth down.
void TurnAndProject(std::int32_t slot);
// Fills faceDepth, faceLight (0..1, how squarely the face looks at the viewer) and
// faceOrder (farthest face first).
void OrderFaces(std::int32_t slot);
// True when the face's corners run counter-clockwise on the screen, the way the renderer
// draws a polygon's front.
bool FaceFrontVisible(std::int32_t slot, std::int32_t face);
// Sends the face's four corners as one polygon, in list order or reversed (to show the
// face's back), with the given texture corners when the polygon is textured.
void SendFace(std::int32_t slot, std::int32_t face, bool reversed, std::int32_t colour, double textureWidth = 0,
              double textureHeight = 0);

// A packed colour from channels that may be fractional or out of range.
std::int32_t PackColour(double red, double green, double blue);
// The drift colour times 2 (the channels picked by order 0..5 for variety), times a
// brightness.
std::int32_t DriftColour(std::int32_t order, double brightness = 1);
// A blending value for SetBlendAlpha: translucent, at the given strength times the
// picture's fade, never so weak that it would switch blending off.
double FadedBlend(double strength);

}  // namespace player
