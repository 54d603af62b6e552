#include "files/memory_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/files_state.h"
#include "zorvane/memory_files.h"

namespace zrv {

namespace {

constexpr std::size_t kPrefixLength = 6;
// The address starts after "mem://", eight size characters and the dot.
constexpr std::size_t kAddressOffset = 15;

// A base-16 conversion as strtoul does it (leading blanks skipped), on a view that need not
// be NUL-terminated.
std::uint64_t ParseHex(std::string_view text, std::size_t from) noexcept {
    std::size_t i = from;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) i += 2;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            break;
        }
        if (value > (UINT64_MAX >> 4)) return UINT64_MAX;  // saturates as strtoull does
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return value;
}

}  // namespace

bool IsMemoryFileName(std::string_view name) noexcept {
    return name.size() >= kPrefixLength && name.compare(0, kPrefixLength, "mem://") == 0;
}

std::string MemoryFileName(std::int32_t size, const void* address) {
    char text[64];
    std::snprintf(text, sizeof text, "mem://%8x.%8llx", static_cast<unsigned>(size),
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
    return text;
}

std::shared_ptr<std::uint8_t> AllocateBlock(std::int32_t size) noexcept {
    if (size < 0) return nullptr;
    void* memory = std::malloc(size > 0 ? static_cast<std::size_t>(size) : 1);
    if (memory == nullptr) return nullptr;
    try {
        return std::shared_ptr<std::uint8_t>(static_cast<std::uint8_t*>(memory),
                                             [](std::uint8_t* p) { std::free(p); });
    } catch (...) {
        return nullptr;  // the deleter has freed the memory already
    }
}

std::string MemoryFileRegistry::Add(SharedBytes bytes, std::int32_t size) {
    const auto address = reinterpret_cast<std::uintptr_t>(bytes.get());
    std::string name = MemoryFileName(size, bytes.get());
    blocks_[address] = MemoryBlock{std::move(bytes), size};
    return name;
}

bool MemoryFileRegistry::Remove(std::string_view name) {
    if (!IsMemoryFileName(name) || name.size() < kAddressOffset) return false;
    return blocks_.erase(static_cast<std::uintptr_t>(ParseHex(name, kAddressOffset))) != 0;
}

MemoryBlock MemoryFileRegistry::Find(std::string_view name) const {
    if (!IsMemoryFileName(name) || name.size() < kAddressOffset) return {};
    const std::uint64_t size = ParseHex(name, kPrefixLength);
    const auto found = blocks_.find(static_cast<std::uintptr_t>(ParseHex(name, kAddressOffset)));
    if (found == blocks_.end() || size != static_cast<std::uint64_t>(found->second.size)) return {};
    return found->second;
}

}  // namespace zrv

RtString RegisterMemoryFile(const void* block, std::int32_t size) {
    if (block == nullptr || size < 0) return RtString();
    try {
        // A copy: the program may free or reuse its buffer at once, and nothing the runtime
        // hands out ever points into memory it does not own.
        std::shared_ptr<std::uint8_t> copy = zrv::AllocateBlock(size);
        if (copy == nullptr) return RtString();
        if (size > 0) std::memcpy(copy.get(), block, static_cast<std::size_t>(size));
        return RtString(zrv::Files().memoryFiles.Add(std::move(copy), size).c_str());
    } catch (...) {
        // No memory for the copy or its name (see core/fatal.h): no memory file.
        return RtString();
    }
}

std::int32_t ReleaseMemoryFile(const RtString& name) {
    try {
        return zrv::Files().memoryFiles.Remove(name.c_str()) ? 1 : 0;
    } catch (...) {
        // No memory to look the name up (see core/fatal.h): nothing was released.
        return 0;
    }
}
