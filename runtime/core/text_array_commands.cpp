// Growing a text array one element at a time, and splitting a text into one.
#include <cstdint>

#include "core/fatal.h"
#include "zorvane/rt_array.h"

void PushStringElement(RtStringArray& array, const RtString& text) {
    if (array.Size(1) != 0) zrv::StopWithError(8);
    // The text may be an element of this very array, which the resize can move or free.
    RtString copy(text);
    const std::int64_t count = static_cast<std::int64_t>(array.Size(0)) + 1;
    if (count > INT32_MAX) zrv::StopOutOfMemory();
    array.Redim(static_cast<std::int32_t>(count));
    array(static_cast<std::int32_t>(count) - 1).Swap(copy);
}

std::int32_t SplitString(const RtString& text, RtStringArray& array, const RtString& delimiters) {
    // Both texts may be elements of the array that is emptied below.
    const RtString source(text);
    bool isDelimiter[256] = {};
    for (std::uint32_t i = 0; i < delimiters.Length(); ++i) {
        isDelimiter[static_cast<unsigned char>(delimiters.Buffer()[i])] = true;
    }
    array.Redim(0);

    const char* bytes = source.Buffer();
    const std::uint32_t length = source.Length();
    std::uint32_t p = 0;
    while (p < length) {
        while (p < length && isDelimiter[static_cast<unsigned char>(bytes[p])]) ++p;
        std::uint32_t q = p;
        while (q < length && !isDelimiter[static_cast<unsigned char>(bytes[q])]) ++q;
        if (q > p) PushStringElement(array, RtString(bytes + p, q - p));
        p = q + 1;
    }
    return array.Size(0);
}
