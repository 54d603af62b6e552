// The open list: a binary min-heap over (f, insertion number), so that among cells of
// equal f the one queued first comes out first, and a cell queued again (its entry
// updated) sorts behind every cell of the same f already waiting. Each cell's heap
// position lives in its grid record, so an entry is found and moved without search.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>

namespace zrv::pathfind {

// Record slots other than a heap position.
constexpr std::int32_t kUnseen = -1;
constexpr std::int32_t kClosed = -2;

// One map cell as a neighbour test first sees it: whether it is walkable and where it is.
struct GridCell {
    float value;        // kBlocked, or the map value before normalising
    std::int32_t slot;  // kUnseen, kClosed or the heap position
};

struct OpenEntry {
    std::uint64_t key;  // f's bits above, the insertion number below
    std::int32_t cell;
};

class OpenList {
public:
    void Attach(OpenEntry* items, std::int32_t capacity, GridCell* cells) noexcept {
        items_ = items;
        capacity_ = capacity;
        cells_ = cells;
        size_ = 0;
        next_ = 0;
    }
    void Clear() noexcept {
        size_ = 0;
        next_ = 0;
    }
    bool Empty() const noexcept { return size_ == 0; }
    bool Full() const noexcept { return size_ == capacity_; }
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
        const std::int32_t at = cells_[cell].slot;
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
            cells_[items_[i].cell].slot = i;
        }
        next_ = static_cast<std::uint32_t>(size_);
    }
    // The sift loops work on local copies: the slot stores could otherwise alias the
    // members and force a reload at every step.
    void SiftUp(std::int32_t at, OpenEntry entry) noexcept {
        OpenEntry* const items = items_;
        GridCell* const cells = cells_;
        while (at > 0) {
            const std::int32_t parent = (at - 1) >> 1;
            if (items[parent].key <= entry.key) break;
            items[at] = items[parent];
            cells[items[at].cell].slot = at;
            at = parent;
        }
        items[at] = entry;
        cells[entry.cell].slot = at;
    }
    void SiftDown(std::int32_t at, OpenEntry entry) noexcept {
        OpenEntry* const items = items_;
        GridCell* const cells = cells_;
        const std::int32_t size = size_;
        for (;;) {
            std::int32_t child = 2 * at + 1;
            if (child >= size) break;
            if (child + 1 < size && items[child + 1].key < items[child].key) ++child;
            if (entry.key <= items[child].key) break;
            items[at] = items[child];
            cells[items[at].cell].slot = at;
            at = child;
        }
        items[at] = entry;
        cells[entry.cell].slot = at;
    }

    OpenEntry* items_ = nullptr;
    GridCell* cells_ = nullptr;
    std::int32_t capacity_ = 0;
    std::int32_t size_ = 0;
    std::uint32_t next_ = 0;
};

}  // namespace zrv::pathfind
