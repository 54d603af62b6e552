// The numeric commands: trigonometry in degrees, powers, remainders, helpers and the
// process-wide random-number generator.
#pragma once

#include <cstdint>

// Sine of an angle in degrees.
double SinDeg(double angle) noexcept;
// Cosine of an angle in degrees.
double CosDeg(double angle) noexcept;
// Tangent of an angle in degrees.
double TanDeg(double angle) noexcept;
// The angle of the point (x, y) in degrees, -180 to 180.
double ATan2Deg(double y, double x) noexcept;
// Arc sine in degrees; values beyond -1..1 give -90 or 90.
double ASinDeg(double value) noexcept;
// Arc cosine in degrees; values beyond -1..1 give 180 or 0.
double ACosDeg(double value) noexcept;
// base to the power exponent, as the C library's pow.
double Power(double base, double exponent) noexcept;
// The square root; a negative value gives not-a-number.
double SquareRoot(double value) noexcept;
// The remainder of x / y with the sign of x; 0 when y is 0.
double ModNumber(double x, double y) noexcept;
// The truncated remainder of a / b with the sign of a; 0 when b is 0.
std::int32_t ModInt(std::int32_t a, std::int32_t b) noexcept;
// The magnitude of x.
double AbsNumber(double x) noexcept;
// The magnitude of a; -2147483648 stays as it is.
std::int32_t AbsInt(std::int32_t a) noexcept;
// The larger of a and b.
double MaxNumber(double a, double b) noexcept;
// The smaller of a and b.
double MinNumber(double a, double b) noexcept;
// The larger of a and b.
std::int32_t MaxInt(std::int32_t a, std::int32_t b) noexcept;
// The smaller of a and b.
std::int32_t MinInt(std::int32_t a, std::int32_t b) noexcept;
// The larger of a and x truncated toward zero.
std::int32_t MaxIntNumber(std::int32_t a, double x) noexcept;

// Random numbers (one ISAAC generator for the process). Start-up seeds it from the clock,
// or, when the environment variable ZRV_RANDOM_SEED holds a whole decimal number in the
// int32 range, with that number, so that a run draws the same numbers every time.
std::uint32_t NextRandom() noexcept;
// Starts the generator afresh from the seed.
void InitRandom(std::int32_t seed) noexcept;
// A whole number from 0 to n inclusive; 0 when n is 0 or less.
std::int32_t RandomInt(std::int32_t n) noexcept;
// As InitRandom.
void SeedRandom(std::int32_t seed) noexcept;

// Double to int32 as the runtime truncates everywhere: toward zero; NaN and values outside
// the int32 range give -2147483648, as the x86 conversion instruction does.
std::int32_t TruncateToInt32(double value) noexcept;
