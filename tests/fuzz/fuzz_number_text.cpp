// Numeric text from outside: parsing must stop at the first byte that does not fit, and a
// parsed number must survive a trip through its text form.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "zorvane/rt_string.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // stops at a NUL
    const double number = TextToNumber(text.c_str());
    const std::int32_t integer = TextToInt(text.c_str());
    const RtString shown = NumberToText(number);
    const double back = TextToNumber(shown);
    if (std::isfinite(number)) {
        // Ten significant digits: the trip may round, but only in the tenth digit.
        if (std::fabs(back - number) > std::fabs(number) * 1e-9) std::abort();
    }
    if (NumberTextLength(number) != static_cast<std::int32_t>(shown.Length())) std::abort();
    if (TextToInt(IntToText(integer)) != integer) std::abort();
    const RtString formatted = FormatNumber(static_cast<double>(integer % 100), number, number);
    if (formatted.Length() > 47) std::abort();
    return 0;
}
