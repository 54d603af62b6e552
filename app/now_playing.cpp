// The readout of the playing track in the menu bar.
#include "now_playing.h"

#include <cmath>

#include "display_text.h"
#include "panels.h"
#include "shared.h"
#include "transport.h"

namespace player {

namespace {

constexpr double kHourMs = 3600000;
// Faint as the menu labels, a little clearer since it changes.
constexpr double kReadoutBlend = -0.5;
// Room left free beside "Help" (so the readout is not taken for a menu item), before the
// bar's right edge, and between the parts.
constexpr double kHelpGapCells = 3;
constexpr double kEdgeCells = 1;
constexpr double kGapCells = 2;

RtString TwoDigits(std::int64_t value) {
    RtString text = value < 10 ? "0" : "";
    text += IntToText(static_cast<std::int32_t>(value));
    return text;
}

void DrawFaint(const RtString& cells, double x, double y) {
    SetBlendAlpha(kReadoutBlend);
    DrawText(cells, x, y);
    SetBlendAlpha(0);
}

}  // namespace

RtString ClockText(double milliseconds, bool hours) {
    const auto seconds = static_cast<std::int64_t>(std::floor(std::max(milliseconds, 0.0) / 1000));
    if (!hours) return IntToText(static_cast<std::int32_t>(seconds / 60)) + ":" + TwoDigits(seconds % 60);
    return IntToText(static_cast<std::int32_t>(seconds / 3600)) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
           TwoDigits(seconds % 60);
}

RtString PlayTimeText(double elapsedMs, double totalMs) {
    const bool hours = elapsedMs >= kHourMs || totalMs >= kHourMs;
    if (totalMs <= 0) return ClockText(elapsedMs, hours);
    return ClockText(elapsedMs, hours) + " / " + ClockText(totalMs, hours);
}

RtString FitCells(const RtString& text, std::int32_t cells) {
    if (cells <= 0) return RtString();
    if (static_cast<std::int32_t>(text.Length()) <= cells) return text;
    if (cells <= 3) return MidString(text, 0, cells);
    return MidString(text, 0, cells - 3) + "...";
}

void DrawNowPlaying() {
    if (panels.laidOut == 0 || !TrackLoaded()) return;
    const double cell = shared.fontWidth;
    const double top = panels.elemTop(kHelpItem.panel, kHelpItem.element) + shared.fontHeight * 0.25;
    const double left = panels.elemRight(kHelpItem.panel, kHelpItem.element) + cell * kHelpGapCells;
    const double right = panels.elemRight(kMenuBar.panel, kMenuBar.element) - cell * kEdgeCells;

    RtString status = PlayTimeText(PlaybackPosition(), PlaybackLength());
    if (PlaybackPaused()) status = RtString("||  ") + status;
    const double statusLeft = right - cell * status.Length();
    DrawFaint(status, statusLeft, top);

    const auto room = static_cast<std::int32_t>(std::floor((statusLeft - left) / cell - kGapCells));
    DrawFaint(FitCells(FontCells(PlayingTitle()), room), left, top);
}

}  // namespace player
