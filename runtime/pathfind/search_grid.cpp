// The search tables and the cost grid they are built from.
#include "pathfind/search_grid.h"

#include <algorithm>
#include <cfloat>
#include <new>

namespace zrv::pathfind {

namespace {

// A map value as the grid takes it, before normalising: positive, or kBlocked for 0,
// negative values and NaN. Values beyond the float range count as the largest float, so
// that no cell's cost becomes infinite or NaN; values too small for a float are 0.
float CellValue(double value) noexcept {
    if (!(value > 0)) return kBlocked;
    const float c = value < FLT_MAX ? static_cast<float>(value) : FLT_MAX;
    return c > 0 ? c : kBlocked;
}

float CellValue(std::int32_t value) noexcept { return value > 0 ? static_cast<float>(value) : kBlocked; }

template <class T>
bool Normalise(const T* map, std::int32_t cells, float* cost) noexcept {
    float largest = 0;
    for (std::int32_t i = 0; i < cells; ++i) largest = std::max(largest, CellValue(map[i]));
    if (largest <= 0) return false;
    for (std::int32_t i = 0; i < cells; ++i) {
        const float c = CellValue(map[i]);
        cost[i] = c > 0 ? c / largest + 1.0f : kBlocked;
    }
    return true;
}

template <class T>
bool Resize(std::unique_ptr<T[]>& table, std::int32_t count, std::int32_t oldCount) noexcept {
    if (table != nullptr && count <= oldCount) return true;
    table.reset(new (std::nothrow) T[count]);
    return table != nullptr;
}

}  // namespace

bool SearchGrid::Allocate(std::int32_t cells, std::int32_t openLimit) noexcept {
    const bool ok = Resize(cost, cells, cellCapacity) && Resize(g, cells, cellCapacity) &&
                    Resize(parent, cells, cellCapacity) && Resize(slot, cells, cellCapacity) &&
                    Resize(openItems, openLimit, openCapacity);
    if (!ok) {
        *this = SearchGrid{};
        return false;
    }
    cellCapacity = std::max(cellCapacity, cells);
    openCapacity = std::max(openCapacity, openLimit);
    return true;
}

void SearchGrid::ClearSearch() noexcept {
    std::fill_n(slot.get(), width * height, kUnseen);
    open.Clear();
    held = 0;
    stale = false;
}

bool BuildCosts(const PlannerParams& params, std::int32_t cells, float* cost) noexcept {
    return params.map != nullptr ? Normalise(params.map, cells, cost) : Normalise(params.intMap, cells, cost);
}

}  // namespace zrv::pathfind
