// Sleeping to a moment of the runtime clock, to well under a millisecond.
#pragma once

namespace zrv {

// Returns once ReadClockMs() reads the deadline or later; at once for a past deadline.
void SleepUntilClockMs(double deadlineMs) noexcept;

}  // namespace zrv
