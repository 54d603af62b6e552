// The open list: a binary min-heap over (f, insertion number), so that among cells of
// equal f the one queued first comes out first, and a cell queued again (its entry
// updated) sorts behind every cell of the same f already waiting. Each cell's heap
// position lives in the grid's slot table, so an entry is found and moved without search.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>

namespace zrv::pathfind {

// Slot-table values other than a heap position.
constexpr std::int32_t kUnseen = -1;
constexpr std::int32_t kClosed = -2;

struct OpenEntry {
    std::uint64_t key;  // f's bits above, the insertion number below
    std::int32_t cell;
};

class OpenList {
public:
    void Attach(OpenEntry* items, std::int32_t capacity, std::int32_t* slots) noexcept {
        items_ = items;
        capacity_ = capacity;
        slots_ = slots;
        size_ = 0;
        next_ = 0;
    }
    void Clear() noexcept {
        size_ = 0;
        next_ = 0;
    }
    bool Empty() const noexcept { return size_ == 0; }
    bool Full() const noexcept { return size_ == capacity_; }
    std::int32_t Size() const noexcept { return size_; }
    // Only for tests that reach the end of the insertion numbers quickly.
    void StartNumberingAt(std::uint32_t next) noexcept { next_ = next; }

    void Push(std::int32_t cell, float f) noexcept {
        const std::uint64_t key = Key(f);
        SiftUp(size_++, OpenEntry{key, cell});
    }
    // A waiting cell gets a new f and counts as queued now.
    void Requeue(std::int32_t cell, float f) noexcept {
        const OpenEntry entry{Key(f), cell};
        // Read after the key: renumbering may have moved the entry.
        const std::int32_t at = slots_[cell];
        if (entry.key < items_[at].key) {
            SiftUp(at, entry);
        } else {
            SiftDown(at, entry);
        }
    }
    std::int32_t PopMin() noexcept {
        const std::int32_t cell = items_[0].cell;
        if (--size_ > 0) SiftDown(0, items_[size_]);
        return cell;
    }

private:
    std::uint64_t Key(float f) noexcept {
        if (next_ == UINT32_MAX) Renumber();
        // f is never negative or NaN; adding +0 turns a -0 into +0, so that the bit
        // patterns order as the values do.
        return static_cast<std::uint64_t>(std::bit_cast<std::uint32_t>(f + 0.0f)) << 32 | next_++;
    }
    // Insertion numbers ran out: number the waiting entries afresh in their order. A
    // sorted array is a valid heap, so sorting in place keeps the structure.
    void Renumber() noexcept {
        std::sort(items_, items_ + size_, [](const OpenEntry& a, const OpenEntry& b) { return a.key < b.key; });
        for (std::int32_t i = 0; i < size_; ++i) {
            items_[i].key = (items_[i].key & 0xFFFFFFFF00000000u) | static_cast<std::uint32_t>(i);
            slots_[items_[i].cell] = i;
        }
        next_ = static_cast<std::uint32_t>(size_);
    }
    void SiftUp(std::int32_t at, OpenEntry entry) noexcept {
        while (at > 0) {
            const std::int32_t parent = (at - 1) >> 1;
            if (items_[parent].key <= entry.key) break;
            Place(at, items_[parent]);
            at = parent;
        }
        Place(at, entry);
    }
    void SiftDown(std::int32_t at, OpenEntry entry) noexcept {
        for (;;) {
            std::int32_t child = 2 * at + 1;
            if (child >= size_) break;
            if (child + 1 < size_ && items_[child + 1].key < items_[child].key) ++child;
            if (entry.key <= items_[child].key) break;
            Place(at, items_[child]);
            at = child;
        }
        Place(at, entry);
    }
    void Place(std::int32_t at, const OpenEntry& entry) noexcept {
        items_[at] = entry;
        slots_[entry.cell] = at;
    }

    OpenEntry* items_ = nullptr;
    std::int32_t* slots_ = nullptr;
    std::int32_t capacity_ = 0;
    std::int32_t size_ = 0;
    std::uint32_t next_ = 0;
};

}  // namespace zrv::pathfind
