// The numeric commands. Angles are in degrees throughout; the conversion factors are fixed
// doubles so that results match bit for bit wherever the runtime runs.
#include <cmath>
#include <cstdint>
#include <limits>

#include "zorvane/maths.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

}  // namespace

// The product is stored in a named double first so that no excess precision or fused
// multiply-add can change which angle reaches the library function.
double SinDeg(double angle) noexcept {
    const double radians = angle * kDegToRad;
    return std::sin(radians);
}

double CosDeg(double angle) noexcept {
    const double radians = angle * kDegToRad;
    return std::cos(radians);
}

double TanDeg(double angle) noexcept {
    const double radians = angle * kDegToRad;
    return std::tan(radians);
}

double ATan2Deg(double y, double x) noexcept { return std::atan2(y, x) * kRadToDeg; }

// Programs feed these with ratios that rounding can push just past ±1; clamping keeps them
// away from NaN.
double ASinDeg(double value) noexcept {
    if (value >= 1) return 90;
    if (value <= -1) return -90;
    return std::asin(value) * kRadToDeg;
}

double ACosDeg(double value) noexcept {
    if (value >= 1) return 0;
    if (value <= -1) return 180;
    return std::acos(value) * kRadToDeg;
}

double Power(double base, double exponent) noexcept { return std::pow(base, exponent); }

double SquareRoot(double value) noexcept { return std::sqrt(value); }

double ModNumber(double x, double y) noexcept {
    if (y == 0) return 0;
    return std::fmod(x, y);
}

std::int32_t ModInt(std::int32_t a, std::int32_t b) noexcept {
    // A divisor of -1 always leaves remainder 0; handling it here also keeps
    // INT32_MIN % -1 away from the hardware divide, which would trap.
    if (b == 0 || b == -1) return 0;
    return a % b;
}

double AbsNumber(double x) noexcept { return x >= 0 ? x : -x; }

std::int32_t AbsInt(std::int32_t a) noexcept {
    // Negating in unsigned arithmetic wraps INT32_MIN onto itself instead of overflowing.
    if (a >= 0) return a;
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(a));
}

// The comparisons are written so that a NaN operand yields b; callers clamp with these and
// rely on that order.
double MaxNumber(double a, double b) noexcept { return a > b ? a : b; }

double MinNumber(double a, double b) noexcept { return b > a ? a : b; }

std::int32_t MaxInt(std::int32_t a, std::int32_t b) noexcept { return b < a ? a : b; }

std::int32_t MinInt(std::int32_t a, std::int32_t b) noexcept { return a < b ? a : b; }

std::int32_t MaxIntNumber(std::int32_t a, double x) noexcept {
    return TruncateToInt32(MaxNumber(static_cast<double>(a), x));
}

std::int32_t TruncateToInt32(double value) noexcept {
    // Every double strictly between these bounds truncates into the int32 range; the
    // negated test also sends NaN to the out-of-range answer.
    if (!(value > -2147483649.0 && value < 2147483648.0)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}
