// Path finding on a cost grid. The map is a two-dimensional array: cell (x, y) is element
// (x, y), so the width is its first size and the height its second. A cell of 0, less, or
// not a number is blocked; every other cell c costs c / largest + 1 to enter, so walkable
// cells cost more than 1 and at most 2. Values are taken as floats: one too small for a
// float is 0, one beyond the float range counts as the largest float. A path moves between
// cells that share a side (or also a corner, with the diagonal options) and never enters a
// blocked cell, the goal included; the start is never entered and its own value does not
// matter.
//
// The search is best-first on f = g + weight * (h - g): g is the cost of the path so far, h
// the Manhattan distance to the goal, and the weight (clamped to 0..1, not a number counts
// as 0) blends the two: 0 orders by cost alone and finds a cheapest path, 0.5 is A* and
// also finds a cheapest path, 1 heads for the goal by distance alone. Among cells of equal
// f the one queued first is taken first; a cell whose cost improves is queued anew.
//
// The commands return the number of cells of the path, start and goal included, and store
// it in the path array dimensioned (n, 2): row 0 is the start, row n - 1 the goal, column 0
// holds x and column 1 y. They return 0 and leave the path array as it was when the start
// or goal lies outside the map, start and goal are the same cell, no cell is walkable, the
// map holds more than 2147483647 cells, or no path exists. The error code is not changed.
#pragma once

#include <cstdint>
#include <memory>

#include "zorvane/rt_array.h"

// The shortest path over the cost map from start to goal, coordinates stored as integers.
std::int32_t FindPath(const RtNumberArray& map, RtIntArray& path, double weight, std::int32_t startX,
                      std::int32_t startY, std::int32_t goalX, std::int32_t goalY);
// The coordinates stored as numbers.
std::int32_t FindPathNumbers(const RtNumberArray& map, RtNumberArray& path, double weight, std::int32_t startX,
                             std::int32_t startY, std::int32_t goalX, std::int32_t goalY);
// As FindPath, with an integer cost map.
std::int32_t FindPathInts(const RtIntArray& map, RtIntArray& path, double weight, std::int32_t startX,
                          std::int32_t startY, std::int32_t goalX, std::int32_t goalY);
// Also steps to the four corner neighbours; with diagonalCost non-zero a corner step costs
// 1.4142137 times the cell's cost, else the same as a side step. h stays the Manhattan
// distance.
std::int32_t FindPathDiagonal(const RtNumberArray& map, RtIntArray& path, double weight, std::int32_t startX,
                              std::int32_t startY, std::int32_t goalX, std::int32_t goalY,
                              std::int32_t diagonalCost);

// ---- Planner classes -----------------------------------------------------------------
//
// What the commands do, one step at a time: Configure with the parameters, Begin, Search,
// read the path, Reset. A configured planner can search again (Begin, Search) without
// building its grid anew. Configure allocates everything a search needs; Begin, Search and
// Reset allocate nothing.

struct PlannerParams {
    std::int32_t startX = 0;
    std::int32_t startY = 0;
    std::int32_t goalX = 0;
    std::int32_t goalY = 0;
    std::uint8_t diagonalCost = 1;   // a corner step costs 1.4142137 times the cell's cost
    std::uint8_t diagonalMoves = 0;  // corner neighbours are searched too
    // Most cells the search may hold at once, and most cells queued at once; 0 means
    // width * height, which is never reached. A cell that finds no room is not queued.
    std::int32_t nodeCount = 0;
    std::int32_t openCapacity = 0;
    // Kept for programs that set it; the closed set is a flat table, so it has no effect.
    std::int32_t hashBits = 8;
    float heuristicWeight = 0.5f;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // width * height cells, (x, y) at x + y * width: numbers, or integers when map is null.
    // The map is read by Configure only.
    const double* map = nullptr;
    const std::int32_t* intMap = nullptr;
};

namespace zrv::pathfind {
struct SearchGrid;
}

class Planner {
public:
    Planner();
    virtual ~Planner();
    Planner(const Planner&) = delete;
    Planner& operator=(const Planner&) = delete;

    // False, and the planner is not ready, for the failures the commands return 0 for, for
    // negative capacities and when the memory cannot be had.
    bool Configure(const PlannerParams& params);
    // Starts a new search from the start cell, dropping any earlier one.
    virtual void Begin() = 0;
    // True when the goal was reached; false when every reachable cell was searched.
    virtual bool Search() = 0;
    // Drops the search and its result; the grid stays configured.
    virtual void Reset() = 0;

    bool IsReady() const noexcept { return ready_; }
    bool Found() const noexcept { return found_; }
    const PlannerParams& Params() const noexcept { return params_; }
    // Cells of the path found, start and goal included; 0 without one.
    std::int32_t PathLength() const noexcept;
    // Writes the path, start first, to x[0 .. PathLength() - 1] and y[...].
    void GetPath(std::int32_t* x, std::int32_t* y) const noexcept;
    void GetPath(double* x, double* y) const noexcept;
    // Cells taken from the open list by the searches since Begin.
    std::int64_t ExpandedCount() const noexcept { return expanded_; }

protected:
    std::unique_ptr<zrv::pathfind::SearchGrid> grid_;
    PlannerParams params_;
    bool ready_ = false;
    bool found_ = false;
    std::int32_t result_ = -1;  // the goal's cell index once found
    std::int64_t expanded_ = 0;
};

class AStarPlanner final : public Planner {
public:
    void Begin() override;
    bool Search() override;
    void Reset() override;
};
