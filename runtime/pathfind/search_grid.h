// Everything a search works on, allocated when the planner is configured: two records per
// map cell and the open list's entries. The first record holds the map value and the
// cell's place (unseen, a heap position or closed) and is all that configuring writes; the
// second, the best cost so far and the predecessor, is written when the cell is reached.
// The value is normalised when it is used (value / largest + 1, the same float operations
// as normalising the whole grid up front), so that configuring is a single pass.
#pragma once

#include <cstdint>
#include <memory>

#include "pathfind/open_list.h"
#include "zorvane/pathfind.h"

namespace zrv::pathfind {

// The value of a blocked cell; walkable cells hold positive values.
constexpr float kBlocked = -1.0f;
// A corner step with diagonal costs weighs the cell's cost by this.
constexpr float kDiagonalFactor = 1.4142137f;

struct PathCell {
    float g;              // the best cost from the start
    std::int32_t parent;  // the cell it came from; -1 for the start
};

struct SearchGrid {
    std::int32_t width = 0;
    std::int32_t height = 0;
    // What the tables can hold; they are kept for a later configuration that fits.
    std::int32_t cellCapacity = 0;
    std::int32_t openCapacity = 0;
    float largest = 0;  // the largest map value
    std::unique_ptr<GridCell[]> cells;
    std::unique_ptr<PathCell[]> paths;
    std::unique_ptr<OpenEntry[]> openItems;
    OpenList open;
    // Cells held by the search (queued or closed), against the planner's node count.
    std::int32_t held = 0;
    std::int32_t nodeLimit = 0;
    // The slot table still describes an earlier search and has to be cleared before the next.
    bool stale = false;

    // Tables for cells cells and openLimit queued ones; false when the memory cannot be had.
    bool Allocate(std::int32_t cells, std::int32_t openLimit) noexcept;
    // Every cell unseen, nothing queued or held.
    void ClearSearch() noexcept;
};

// Fills the records with the map's values, every cell unseen, and returns the largest
// value; 0 when no cell is walkable.
float BuildCells(const PlannerParams& params, std::int32_t count, GridCell* cells) noexcept;

}  // namespace zrv::pathfind
