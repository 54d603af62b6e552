// The readout of the playing track in the menu bar's free part, right of "Help": the
// track's title (or its file name), elapsed and total time, and "||" while paused.
// Nothing is drawn there while no music is loaded.
#pragma once

#include "zorvane.h"

namespace player {

// "m:ss", or "h:mm:ss" when hours is set; milliseconds are cut to whole seconds.
RtString ClockText(double milliseconds, bool hours);
// "elapsed / total" in one format, hours when either reaches an hour; only the elapsed
// time when the total is not known (0).
RtString PlayTimeText(double elapsedMs, double totalMs);
// The first cells of the text that fit, the last three of them "..." when it was cut.
RtString FitCells(const RtString& text, std::int32_t cells);

void DrawNowPlaying();

}  // namespace player
