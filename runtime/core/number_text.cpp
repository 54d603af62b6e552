// Conversions between numbers and text. The texts follow the classic Windows C library:
// ten significant digits, three-digit exponents, no trailing decimal point.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/c_locale.h"
#include "zorvane/maths.h"
#include "zorvane/rt_string.h"

namespace {

bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Writes the number as the ten-digit general format would, before the trailing point is
// dropped; returns the end of the text.
char* FormatTenDigits(double value, char* out) {
    if (std::isnan(value)) {
        const char* text = std::signbit(value) ? "-1.#IND" : "1.#QNAN";
        return std::strcpy(out, text) + std::strlen(text);
    }
    if (std::isinf(value)) {
        const char* text = value < 0 ? "-1.#INF" : "1.#INF";
        return std::strcpy(out, text) + std::strlen(text);
    }
    if (value == 0) {
        *out++ = '0';
        return out;
    }
    if (value < 0) *out++ = '-';

    // Correctly rounded ten significant digits: "d.ddddddddde+xx".
    char scientific[40];
    const auto result =
        std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                      std::chars_format::scientific, 9);
    char digits[10];
    int digitCount = 0;
    const char* p = scientific;
    for (; *p != 'e' && p < result.ptr; ++p) {
        if (IsDigit(*p)) digits[digitCount++] = *p;
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), result.ptr, exponent);
    while (digitCount > 1 && digits[digitCount - 1] == '0') --digitCount;

    if (exponent < -1 || exponent > 9) {
        *out++ = digits[0];
        *out++ = '.';
        for (int i = 1; i < digitCount; ++i) *out++ = digits[i];
        out += std::snprintf(out, 8, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return out;
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = 0; i < digitCount; ++i) *out++ = digits[i];
        return out;
    }
    for (int i = 0; i <= exponent; ++i) *out++ = i < digitCount ? digits[i] : '0';
    *out++ = '.';
    for (int i = exponent + 1; i < digitCount; ++i) *out++ = digits[i];
    return out;
}

}  // namespace

RtString NumberToText(double value) {
    RtString text;
    char* out = text.WritableBuffer(63);
    char* end = FormatTenDigits(value, out);
    *end = 0;
    const std::size_t length = static_cast<std::size_t>(end - out);
    if (length == 2 && out[0] == '.' && out[1] == '0') {
        out[0] = '0';
        out[1] = 0;
    } else if (length > 0 && out[length - 1] == '.') {
        out[length - 1] = 0;
    }
    text.SyncLength();
    return text;
}

RtString NumberToText(float value) { return NumberToText(static_cast<double>(value)); }

RtString IntToText(std::int32_t value) {
    RtString text;
    char* out = text.WritableBuffer(15);
    *std::to_chars(out, out + 15, value).ptr = 0;
    text.SyncLength();
    return text;
}

double TextToNumber(const char* text) noexcept {
    if (text == nullptr) return 0;
    const char* p = text;
    while (IsBlank(*p)) ++p;
    const char* start = p;
    if (*p == '+' || *p == '-') ++p;
    bool anyDigit = false;
    while (IsDigit(*p)) ++p, anyDigit = true;
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) ++p, anyDigit = true;
    }
    if (!anyDigit) return 0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (IsDigit(*q)) {
            while (IsDigit(*q)) ++q;
            p = q;
        }
    }
    // Only the accepted prefix reaches strtod, so its own extras (hexadecimal, "inf",
    // "nan") never apply.
    const std::string prefix(start, p);
    return zrv::ParseCNumber(prefix.c_str());
}

double TextToNumber(const RtString& text) noexcept { return TextToNumber(text.Buffer()); }

std::int32_t TextToInt(const char* text) noexcept {
    if (text == nullptr) return 0;
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Saturates at the int32 limits instead of overflowing.
    std::int64_t value = 0;
    for (; IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > std::int64_t{INT32_MAX} + 1) value = std::int64_t{INT32_MAX} + 1;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return value > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(value);
}

std::int32_t TextToInt(const RtString& text) noexcept { return TextToInt(text.Buffer()); }

std::int32_t NumberTextLength(double value) {
    return static_cast<std::int32_t>(NumberToText(value).Length());
}

std::int32_t IntTextLength(std::int32_t value) {
    return static_cast<std::int32_t>(IntToText(value).Length());
}

RtString FormatNumber(double width, double decimals, double value) {
    // The result keeps at most 47 bytes. Wider fields and more decimals than below cannot
    // change those bytes (a double has at most 1074 fractional digits), so they are
    // clipped before the C library sees them.
    constexpr std::int32_t kMaxWidth = 2000;
    constexpr std::int32_t kMaxDecimals = 1100;
    std::int32_t w = TruncateToInt32(width);
    std::int32_t d = TruncateToInt32(decimals);
    w = w > kMaxWidth ? kMaxWidth : (w < -kMaxWidth ? -kMaxWidth : w);
    d = d > kMaxDecimals ? kMaxDecimals : (d < 0 ? 0 : d);
    RtString text;
    char* out = text.WritableBuffer(36);
    const zrv::CLocaleScope cLocale;
    std::snprintf(out, text.Capacity(), "%*.*f", w, d, value);
    text.SyncLength();
    return text;
}
