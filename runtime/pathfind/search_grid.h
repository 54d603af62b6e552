// Everything a search works on, one entry per map cell in flat tables, allocated when the
// planner is configured: the normalised costs, the best cost so far and the predecessor of
// each cell reached, and its place (unseen, a heap position, or closed).
#pragma once

#include <cstdint>
#include <memory>

#include "pathfind/open_list.h"
#include "zorvane/pathfind.h"

namespace zrv::pathfind {

// The cost of a blocked cell; walkable cells cost more than 1.
constexpr float kBlocked = -1.0f;
// A corner step with diagonal costs weighs the cell's cost by this.
constexpr float kDiagonalFactor = 1.4142137f;

struct SearchGrid {
    std::int32_t width = 0;
    std::int32_t height = 0;
    // What the tables can hold; they are kept for a later configuration that fits.
    std::int32_t cellCapacity = 0;
    std::int32_t openCapacity = 0;
    std::unique_ptr<float[]> cost;
    // g and parent hold values only for cells whose slot is not kUnseen.
    std::unique_ptr<float[]> g;
    std::unique_ptr<std::int32_t[]> parent;  // -1 for the start
    std::unique_ptr<std::int32_t[]> slot;
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

// The normalised cost grid of a map: false, with the grid untouched, when no cell is walkable.
bool BuildCosts(const PlannerParams& params, std::int32_t cells, float* cost) noexcept;

}  // namespace zrv::pathfind
