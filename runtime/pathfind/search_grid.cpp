// The search tables and the cost grid they are built from.
#include "pathfind/search_grid.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <limits>
#include <new>

namespace zrv::pathfind {

namespace {

constexpr std::int64_t kInfinityBits = std::bit_cast<std::int64_t>(std::numeric_limits<double>::infinity());
constexpr std::int64_t kFloatMaxBits = std::bit_cast<std::int64_t>(static_cast<double>(FLT_MAX));
constexpr std::uint32_t kBlockedBits = std::bit_cast<std::uint32_t>(kBlocked);

// A map value as the grid takes it, before normalising: 0 for a blocked cell (0, negative,
// NaN, or too small for a float), else the value as a float. Values beyond the float range
// count as the largest float, so that no cost becomes infinite or NaN. Worked on the bit
// pattern, on which non-negative doubles order as their values: integer selects need no
// branches, and walls and open cells are mixed at random in many maps.
float CellValue(double value) noexcept {
    std::int64_t bits = std::bit_cast<std::int64_t>(value);
    bits = bits > 0 ? bits : 0;
    bits = bits > kInfinityBits ? 0 : bits;
    bits = bits < kFloatMaxBits ? bits : kFloatMaxBits;
    return static_cast<float>(std::bit_cast<double>(bits));
}

float CellValue(std::int32_t value) noexcept { return static_cast<float>(value > 0 ? value : 0); }

template <class T>
float Fill(const T* map, std::int32_t count, GridCell* cells) noexcept {
    // Four running maxima, so that the comparisons do not wait for one another.
    float top[4] = {0, 0, 0, 0};
    std::int32_t i = 0;
    auto take = [&](std::int32_t at, float& largest) {
        const float c = CellValue(map[at]);
        largest = std::max(largest, c);
        // c, or kBlocked where c is 0, chosen by a mask rather than a branch.
        const std::uint32_t walkable = 0u - static_cast<std::uint32_t>(std::bit_cast<std::uint32_t>(c) != 0);
        cells[at].value = std::bit_cast<float>((std::bit_cast<std::uint32_t>(c) & walkable) | (kBlockedBits & ~walkable));
        cells[at].slot = kUnseen;
    };
    for (; i + 4 <= count; i += 4)
        for (std::int32_t k = 0; k < 4; ++k) take(i + k, top[k]);
    for (; i < count; ++i) take(i, top[0]);
    return std::max(std::max(top[0], top[1]), std::max(top[2], top[3]));
}

template <class T>
bool Resize(std::unique_ptr<T[]>& table, std::int32_t count, std::int32_t oldCount) noexcept {
    if (table != nullptr && count <= oldCount) return true;
    table.reset(new (std::nothrow) T[count]);
    return table != nullptr;
}

}  // namespace

bool SearchGrid::Allocate(std::int32_t count, std::int32_t openLimit) noexcept {
    if (!Resize(cells, count, cellCapacity) || !Resize(paths, count, cellCapacity) ||
        !Resize(openItems, openLimit, openCapacity)) {
        *this = SearchGrid{};
        return false;
    }
    cellCapacity = std::max(cellCapacity, count);
    openCapacity = std::max(openCapacity, openLimit);
    return true;
}

void SearchGrid::ClearSearch() noexcept {
    GridCell* const all = cells.get();
    const std::int32_t count = width * height;
    for (std::int32_t i = 0; i < count; ++i) all[i].slot = kUnseen;
    open.Clear();
    held = 0;
    stale = false;
}

float BuildCells(const PlannerParams& params, std::int32_t count, GridCell* cells) noexcept {
    return params.map != nullptr ? Fill(params.map, count, cells) : Fill(params.intMap, count, cells);
}

}  // namespace zrv::pathfind
