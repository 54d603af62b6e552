// In-memory files: blocks of process memory the runtime hands out under a "mem://" name.
// Only blocks registered here open; any other "mem://" text names a missing file, so a
// name built from an arbitrary number can never make the runtime read arbitrary memory.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace zrv {

// Shared, so that a channel still reading a block keeps it alive after its owner (the
// memory resolver, or the program) has let go of it.
using SharedBytes = std::shared_ptr<const std::uint8_t>;

struct MemoryBlock {
    SharedBytes bytes;
    std::int32_t size = 0;
};

// The first six characters are exactly "mem://" (case matters).
bool IsMemoryFileName(std::string_view name) noexcept;
// "mem://%8x.%8x" with size and address; a 64-bit address simply prints more digits.
std::string MemoryFileName(std::int32_t size, const void* address);

// A block of size bytes (at least one byte is allocated, so an empty file has an
// address too); null when the memory cannot be had.
std::shared_ptr<std::uint8_t> AllocateBlock(std::int32_t size) noexcept;

class MemoryFileRegistry {
public:
    // Registers the block and returns its name.
    std::string Add(SharedBytes bytes, std::int32_t size);
    // Forgets the block the name refers to; false when it was not registered.
    bool Remove(std::string_view name);
    // The block a name refers to: address and size must be those of a registered block.
    // Empty bytes when the name names no registered block.
    MemoryBlock Find(std::string_view name) const;
    std::size_t Count() const noexcept { return blocks_.size(); }

private:
    std::map<std::uintptr_t, MemoryBlock> blocks_;
};

}  // namespace zrv
