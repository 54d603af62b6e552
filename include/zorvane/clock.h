// The runtime clock: milliseconds from a monotonic counter.
#pragma once

void InitClock() noexcept;
double ReadClockMs() noexcept;
// Milliseconds since start-up stamped the clock.
double ElapsedMs() noexcept;
void SleepMs(double milliseconds) noexcept;
