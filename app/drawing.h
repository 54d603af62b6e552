// Colours, outlines and hit tests as every screen area of the player uses them.
#pragma once

#include <algorithm>

#include "zorvane.h"

namespace player {

// The blending of faint text: the folder line, the entries' names and the volume's number.
constexpr double kDimTextAlpha = -0.75;

// Positions are numbers; the drawing commands take whole pixels.
inline std::int32_t Px(double value) { return static_cast<std::int32_t>(value); }

// Packed colour from channels 0..255.
inline std::int32_t Rgb(double red, double green, double blue) {
    const auto channel = [](double value) { return Px(std::clamp(value, 0.0, 255.0)); };
    return channel(red) + channel(green) * 256 + channel(blue) * 65536;
}

inline std::int32_t Grey(double level) { return Rgb(level, level, level); }

// Four lines along the rectangle's edges, both corners of each included.
inline void OutlineRect(double left, double top, double right, double bottom, std::int32_t colour) {
    DrawLineSegment(Px(left), Px(top), Px(right), Px(top), colour);
    DrawLineSegment(Px(right), Px(top), Px(right), Px(bottom), colour);
    DrawLineSegment(Px(right), Px(bottom), Px(left), Px(bottom), colour);
    DrawLineSegment(Px(left), Px(bottom), Px(left), Px(top), colour);
}

// The edges themselves are outside.
inline bool StrictlyInside(double x, double y, double left, double top, double right, double bottom) {
    return left < x && x < right && top < y && y < bottom;
}

// Text drawn at kDimTextAlpha; the blending is off again afterwards.
inline void DrawDimText(const RtString& text, double x, double y) {
    SetBlendAlpha(kDimTextAlpha);
    DrawText(text, x, y);
    SetBlendAlpha(0);
}

}  // namespace player
