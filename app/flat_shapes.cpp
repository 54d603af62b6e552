// The picture's two flat shapes: three bars (scene 3) and a turning four-cornered polygon
// whose corners spread on a circle (scene 4).
#include "shapes.h"
#include "shared.h"

namespace player {

namespace {

constexpr std::int32_t kBarsScene = 3;
constexpr std::int32_t kPolygonScene = 4;

constexpr std::int32_t kBarCount = 3;
constexpr double kBarWidth = 175;
constexpr double kBarHeight = 25;
constexpr double kBarPitch = 26;
constexpr std::int32_t kBarOutline = 200 + 200 * 256 + 200 * 65536;
// A wave of brightness runs down the bars.
constexpr double kPulseStep = 3;

constexpr double kPolygonRadius = 50;
constexpr double kSpreadStep = 0.1;
constexpr double kSpreadLimit = 90;
constexpr double kPolygonTurnStep = 0.6;

ShapeSlots& Slots() { return picture.shapes; }

void Outline(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t colour) {
    DrawLineSegment(left, top, right, top, colour);
    DrawLineSegment(right, top, right, bottom, colour);
    DrawLineSegment(right, bottom, left, bottom, colour);
    DrawLineSegment(left, bottom, left, top, colour);
}

}  // namespace

void DrawBars() {
    ShapeSlots& s = Slots();
    for (std::int32_t slot = 0; slot < kShapeSlots; ++slot) {
        if (!SlotShows(slot, kBarsScene)) continue;
        s.pulse(slot, 0, 0) = ModNumber(s.pulse(slot, 0, 0) + kPulseStep, 360);
        for (std::int32_t bar = 0; bar < kBarCount; ++bar) {
            const std::int32_t left = TruncateToInt32(shared.shapeAnchorA - kBarWidth / 2);
            const std::int32_t top = TruncateToInt32(shared.shapeAnchorB - kBarHeight * 1.5 + kBarPitch * bar);
            const double wave = 0.5 + 0.5 * SinDeg(s.pulse(slot, 0, 0) - bar * 60.0);
            s.faceBlend(slot, 0, bar) = FadedBlend(0.6 + 0.4 * wave);
            SetBlendAlpha(s.faceBlend(slot, 0, bar));
            FillRect(left, top, TruncateToInt32(kBarWidth), TruncateToInt32(kBarHeight), DriftColour(bar * 2));
            Outline(left, top, left + TruncateToInt32(kBarWidth) - 1, top + TruncateToInt32(kBarHeight) - 1, kBarOutline);
        }
        SetBlendAlpha(0);
    }
}

void DrawFlatPolygon() {
    ShapeSlots& s = Slots();
    for (std::int32_t slot = 0; slot < kShapeSlots; ++slot) {
        if (!SlotShows(slot, kPolygonScene)) continue;
        // The spread runs from 0 to its limit and starts again: at 0 and at 90 the corners
        // stand on the same four places.
        s.spread(slot, 0, 0) = ModNumber(s.spread(slot, 0, 0) + kSpreadStep, kSpreadLimit);
        s.turn(slot, 0, 0) = ModNumber(s.turn(slot, 0, 0) + kPolygonTurnStep, 360);
        const double spread = s.spread(slot, 0, 0);
        const double angles[4] = {45 + spread, 135 - spread, 225 + spread, 315 - spread};
        double x[4];
        double y[4];
        double twiceArea = 0;
        for (std::int32_t c = 0; c < 4; ++c) {
            const double angle = angles[c] + s.turn(slot, 0, 0);
            x[c] = shared.shapeAnchorA + kPolygonRadius * CosDeg(angle);
            y[c] = shared.shapeAnchorB - kPolygonRadius * SinDeg(angle);
        }
        for (std::int32_t c = 0; c < 4; ++c) twiceArea += x[c] * y[(c + 1) % 4] - x[(c + 1) % 4] * y[c];
        // Past a spread of 45 the corners cross over and the polygon would show its back.
        const bool reversed = twiceArea > 0;
        s.faceBlend(slot, 0, 0) = FadedBlend(0.9);
        SetBlendAlpha(s.faceBlend(slot, 0, 0));
        BeginPolygon(0);
        for (std::int32_t n = 0; n < 4; ++n) {
            const std::int32_t c = reversed ? 3 - n : n;
            AddPolygonVertex(TruncateToInt32(x[c]), TruncateToInt32(y[c]), 0, 0, DriftColour(c));
        }
        EndPolygon();
        SetBlendAlpha(0);
    }
}

}  // namespace player
