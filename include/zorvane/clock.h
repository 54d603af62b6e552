// The runtime clock: milliseconds from a monotonic counter.
#pragma once

// Picks the clock source; start-up calls it once.
void InitClock() noexcept;
// The clock in milliseconds; every part of the runtime that measures time reads it.
double ReadClockMs() noexcept;
// Milliseconds since start-up stamped the clock.
double ElapsedMs() noexcept;
// Suspends the calling thread for the milliseconds (truncated).
void SleepMs(double milliseconds) noexcept;
