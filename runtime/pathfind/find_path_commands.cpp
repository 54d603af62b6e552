// The path-finding commands: one planner per call, the path written only when one was found.
#include <cstdint>
#include <type_traits>

#include "zorvane/pathfind.h"
#include "zorvane/rt_array.h"

namespace {

// weight := max(0, min(weight, 1)); NaN counts as 0.
float ClampWeight(double weight) noexcept {
    if (!(weight > 0)) return 0;
    return weight < 1 ? static_cast<float>(weight) : 1.0f;
}

template <class Cell>
PlannerParams Params(const RtArray<Cell>& map, double weight, std::int32_t startX, std::int32_t startY,
                     std::int32_t goalX, std::int32_t goalY) {
    PlannerParams params;
    params.startX = startX;
    params.startY = startY;
    params.goalX = goalX;
    params.goalY = goalY;
    params.heuristicWeight = ClampWeight(weight);
    params.width = map.Size(0);
    params.height = map.Size(1);
    if constexpr (std::is_same_v<Cell, double>) {
        params.map = map.Data();
    } else {
        params.intMap = map.Data();
    }
    return params;
}

void DimPath(RtIntArray& path, std::int32_t n) { DimIntArray(path, n, 2); }
void DimPath(RtNumberArray& path, std::int32_t n) { DimArray(path, n, 2); }

template <class Coordinate>
std::int32_t Run(const PlannerParams& params, RtArray<Coordinate>& path) {
    AStarPlanner planner;
    if (!planner.Configure(params)) return 0;
    planner.Begin();
    if (!planner.Search()) return 0;
    const std::int32_t n = planner.PathLength();
    // The map may be the path array itself; it has been read by now.
    DimPath(path, n);
    Coordinate* rows = path.Data();
    planner.GetPath(rows, rows + n);
    return n;
}

}  // namespace

std::int32_t FindPath(const RtNumberArray& map, RtIntArray& path, double weight, std::int32_t startX,
                      std::int32_t startY, std::int32_t goalX, std::int32_t goalY) {
    return Run(Params(map, weight, startX, startY, goalX, goalY), path);
}

std::int32_t FindPathNumbers(const RtNumberArray& map, RtNumberArray& path, double weight, std::int32_t startX,
                             std::int32_t startY, std::int32_t goalX, std::int32_t goalY) {
    return Run(Params(map, weight, startX, startY, goalX, goalY), path);
}

std::int32_t FindPathInts(const RtIntArray& map, RtIntArray& path, double weight, std::int32_t startX,
                          std::int32_t startY, std::int32_t goalX, std::int32_t goalY) {
    return Run(Params(map, weight, startX, startY, goalX, goalY), path);
}

std::int32_t FindPathDiagonal(const RtNumberArray& map, RtIntArray& path, double weight, std::int32_t startX,
                              std::int32_t startY, std::int32_t goalX, std::int32_t goalY,
                              std::int32_t diagonalCost) {
    PlannerParams params = Params(map, weight, startX, startY, goalX, goalY);
    params.diagonalMoves = 1;
    params.diagonalCost = diagonalCost != 0 ? 1 : 0;
    return Run(params, path);
}
