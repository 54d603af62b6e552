// The planner's configuration and the path it found; the search itself is the subclass's.
#include <cstdint>

#include "pathfind/search_grid.h"
#include "zorvane/pathfind.h"

namespace zrv::pathfind {

namespace {

bool Inside(std::int32_t value, std::int32_t size) noexcept { return value >= 0 && value < size; }

// Whether the parameters describe a search at all; sets cells to width * height.
bool Acceptable(const PlannerParams& p, std::int32_t& cells) noexcept {
    if (p.width <= 0 || p.height <= 0) return false;
    // Sizes whose product leaves the int32 range cannot describe an array of the runtime.
    const std::int64_t total = static_cast<std::int64_t>(p.width) * p.height;
    if (total > INT32_MAX) return false;
    cells = static_cast<std::int32_t>(total);
    if (!Inside(p.startX, p.width) || !Inside(p.goalX, p.width) || !Inside(p.startY, p.height) ||
        !Inside(p.goalY, p.height)) {
        return false;
    }
    if (p.startX == p.goalX && p.startY == p.goalY) return false;
    if (p.map == nullptr && p.intMap == nullptr) return false;
    return p.nodeCount >= 0 && p.openCapacity >= 0;
}

// 0 means "as many as cells"; more than that can never be used.
std::int32_t Limit(std::int32_t requested, std::int32_t cells) noexcept {
    return requested == 0 || requested > cells ? cells : requested;
}

float ClampedWeight(float weight) noexcept {
    if (!(weight > 0)) return 0;  // NaN too
    return weight < 1 ? weight : 1;
}

template <class T>
void WalkPath(const SearchGrid& grid, std::int32_t goal, std::int32_t length, T* x, T* y) noexcept {
    std::int32_t row = length;
    for (std::int32_t cell = goal; cell >= 0; cell = grid.paths[cell].parent) {
        --row;
        x[row] = static_cast<T>(cell % grid.width);
        y[row] = static_cast<T>(cell / grid.width);
    }
}

}  // namespace

}  // namespace zrv::pathfind

using zrv::pathfind::SearchGrid;

Planner::Planner() = default;
Planner::~Planner() = default;

bool Planner::Configure(const PlannerParams& params) {
    ready_ = false;
    found_ = false;
    result_ = -1;
    expanded_ = 0;
    std::int32_t cells = 0;
    if (!zrv::pathfind::Acceptable(params, cells)) return false;
    if (grid_ == nullptr) grid_ = std::unique_ptr<SearchGrid>(new (std::nothrow) SearchGrid);
    if (grid_ == nullptr) return false;
    SearchGrid& grid = *grid_;
    const std::int32_t openLimit = zrv::pathfind::Limit(params.openCapacity, cells);
    if (!grid.Allocate(cells, openLimit)) return false;
    grid.largest = zrv::pathfind::BuildCells(params, cells, grid.cells.get());
    if (grid.largest <= 0) return false;
    grid.width = params.width;
    grid.height = params.height;
    grid.nodeLimit = zrv::pathfind::Limit(params.nodeCount, cells);
    grid.open.Attach(grid.openItems.get(), openLimit, grid.cells.get());
    grid.held = 0;
    grid.stale = false;
    params_ = params;
    params_.heuristicWeight = zrv::pathfind::ClampedWeight(params.heuristicWeight);
    ready_ = true;
    return true;
}

std::int32_t Planner::PathLength() const noexcept {
    if (!found_) return 0;
    std::int32_t length = 0;
    for (std::int32_t cell = result_; cell >= 0; cell = grid_->paths[cell].parent) ++length;
    return length;
}

void Planner::GetPath(std::int32_t* x, std::int32_t* y) const noexcept {
    if (found_) zrv::pathfind::WalkPath(*grid_, result_, PathLength(), x, y);
}

void Planner::GetPath(double* x, double* y) const noexcept {
    if (found_) zrv::pathfind::WalkPath(*grid_, result_, PathLength(), x, y);
}
