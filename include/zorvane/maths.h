// The numeric commands: trigonometry in degrees, powers, remainders, helpers and the
// process-wide random-number generator.
#pragma once

#include <cstdint>

double SinDeg(double angle) noexcept;
double CosDeg(double angle) noexcept;
double TanDeg(double angle) noexcept;
double ATan2Deg(double y, double x) noexcept;
double ASinDeg(double value) noexcept;
double ACosDeg(double value) noexcept;
double Power(double base, double exponent) noexcept;
double SquareRoot(double value) noexcept;
double ModNumber(double x, double y) noexcept;
std::int32_t ModInt(std::int32_t a, std::int32_t b) noexcept;
double AbsNumber(double x) noexcept;
std::int32_t AbsInt(std::int32_t a) noexcept;
double MaxNumber(double a, double b) noexcept;
double MinNumber(double a, double b) noexcept;
std::int32_t MaxInt(std::int32_t a, std::int32_t b) noexcept;
std::int32_t MinInt(std::int32_t a, std::int32_t b) noexcept;
std::int32_t MaxIntNumber(std::int32_t a, double x) noexcept;

// Random numbers (one ISAAC generator for the process). Start-up seeds it from the clock,
// or, when the environment variable ZRV_RANDOM_SEED holds a whole decimal number in the
// int32 range, with that number, so that a run draws the same numbers every time.
std::uint32_t NextRandom() noexcept;
void InitRandom(std::int32_t seed) noexcept;
std::int32_t RandomInt(std::int32_t n) noexcept;
void SeedRandom(std::int32_t seed) noexcept;

// Double to int32 as the runtime truncates everywhere: toward zero; NaN and values outside
// the int32 range give -2147483648, as the x86 conversion instruction does.
std::int32_t TruncateToInt32(double value) noexcept;
