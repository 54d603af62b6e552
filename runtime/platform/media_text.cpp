#include "platform/media_text.h"

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zrv {

namespace {

constexpr std::size_t kMaxNameElement = 64;

// The length of the well-formed UTF-8 sequence at text[at], or 0 when it is none: no
// overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t SequenceLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (buffer.size() >= (1u << 20)) return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

}  // namespace

std::string ValidUtf8(const std::string& text) {
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceLength(text, at);
        if (length == 0) {
            valid += '?';
            ++at;
        } else {
            valid.append(text, at, length);
            at += length;
        }
    }
    return valid;
}

std::string FileUrl(const std::string& path) {
    std::string absolute = path;
    if (absolute.empty() || absolute[0] != '/') {
        absolute = CurrentFolder();
        if (absolute.back() != '/') absolute += '/';
        absolute += path;
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : absolute) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                           byte == '~' || byte == '/';
        if (plain) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

std::string BusNameElement(const std::string& identity) {
    std::string element;
    for (const char c : identity) {
        if (element.size() == kMaxNameElement) break;
        if (c >= 'A' && c <= 'Z') {
            element += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            element += c;
        } else {
            element += '_';
        }
    }
    if (element.empty() || (element[0] >= '0' && element[0] <= '9')) element.insert(0, 1, '_');
    element.resize(std::min(element.size(), kMaxNameElement));
    return element;
}

}  // namespace zrv
