#include <cstring>
#include <string>

#include "zorvane/rt_string.h"

RtString MidString(const RtString& text, std::int32_t start, std::int32_t count) {
    const std::int64_t length = text.Length();
    std::int64_t n = count < 0 ? length : count;
    if (start + n > length) n = length - start;
    if (n <= 0 || start >= length || start < 0) return RtString();
    return RtString(text.Buffer() + start, static_cast<std::uint32_t>(n));
}

RtString ReplaceText(const RtString& text, const RtString& search, const RtString& replacement) {
    // The search resumes right after each inserted replacement, so the replacements are
    // never searched again: one left-to-right pass over the original gives the same text.
    // An empty search text would match everywhere without progress; it changes nothing.
    if (search.IsEmpty()) return text;
    const char* source = text.Buffer();
    const char* found = std::strstr(source, search.Buffer());
    if (found == nullptr) return text;
    std::string result;
    result.reserve(text.Length());
    while (found != nullptr) {
        result.append(source, found);
        result.append(replacement.Buffer(), replacement.Length());
        source = found + search.Length();
        found = std::strstr(source, search.Buffer());
    }
    result.append(source);
    return RtString(result.data(), static_cast<std::uint32_t>(result.size()));
}

void UpperCaseInPlace(RtString& text) noexcept {
    if (text.IsEmpty()) return;
    char* p = text.WritableBuffer(text.Length());
    for (std::uint32_t i = 0; i < text.Length(); ++i) {
        if (p[i] >= 'a' && p[i] <= 'z') p[i] = static_cast<char>(p[i] - 'a' + 'A');
    }
}

void LowerCaseInPlace(RtString& text) noexcept {
    if (text.IsEmpty()) return;
    char* p = text.WritableBuffer(text.Length());
    for (std::uint32_t i = 0; i < text.Length(); ++i) {
        if (p[i] >= 'A' && p[i] <= 'Z') p[i] = static_cast<char>(p[i] - 'A' + 'a');
    }
}

RtString UpperCase(const RtString& text) {
    RtString copy(text);
    UpperCaseInPlace(copy);
    return copy;
}

RtString LowerCase(const RtString& text) {
    RtString copy(text);
    LowerCaseInPlace(copy);
    return copy;
}

RtString BytesToHex(const void* bytes, std::int32_t count) {
    if (count < 1 || bytes == nullptr) return RtString();
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto* in = static_cast<const unsigned char*>(bytes);
    std::string hex(static_cast<std::size_t>(count) * 2, '0');
    for (std::int32_t i = 0; i < count; ++i) {
        hex[2 * i] = kDigits[in[i] >> 4];
        hex[2 * i + 1] = kDigits[in[i] & 15];
    }
    return RtString(hex.data(), static_cast<std::uint32_t>(hex.size()));
}
