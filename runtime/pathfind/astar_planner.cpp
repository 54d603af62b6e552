// The best-first search over the grid: take the waiting cell of least (f, insertion
// number), stop at the goal, else offer each walkable neighbour a cheaper path through it.
#include <cstdint>
#include <cstdlib>

#include "pathfind/search_grid.h"
#include "zorvane/pathfind.h"

namespace zrv::pathfind {

namespace {

// The search state the loop needs, copied into one object that nothing else points at, so
// that the stores into the grid records never force a reload of it.
class Expansion {
public:
    Expansion(SearchGrid& grid, const PlannerParams& params) noexcept
        : open_(grid.open),
          cells_(grid.cells.get()),
          paths_(grid.paths.get()),
          largest_(grid.largest),
          width_(grid.width),
          height_(grid.height),
          goalX_(params.goalX),
          goalY_(params.goalY),
          weight_(params.heuristicWeight),
          cornerFactor_(params.diagonalCost != 0 ? kDiagonalFactor : 1.0f),
          held_(grid.held),
          nodeLimit_(grid.nodeLimit) {}

    // The goal's cell, or -1 once nothing waits any more.
    template <bool kCorners>
    std::int32_t Run(std::int64_t& expanded) noexcept {
        const std::int32_t goal = goalX_ + goalY_ * width_;
        std::int64_t count = 0;
        std::int32_t found = -1;
        while (!open_.Empty()) {
            const std::int32_t cell = open_.PopMin();
            ++count;
            cells_[cell].slot = kClosed;
            if (cell == goal) {
                found = cell;
                break;
            }
            const std::int32_t y = cell / width_;
            const std::int32_t x = cell - y * width_;
            const float g = paths_[cell].g;
            const bool up = y > 0, down = y + 1 < height_, left = x > 0, right = x + 1 < width_;
            if constexpr (kCorners) {
                if (up && left) Offer<true>(cell, g, x - 1, y - 1);
                if (up) Offer<false>(cell, g, x, y - 1);
                if (up && right) Offer<true>(cell, g, x + 1, y - 1);
                if (right) Offer<false>(cell, g, x + 1, y);
                if (left) Offer<false>(cell, g, x - 1, y);
                if (down && left) Offer<true>(cell, g, x - 1, y + 1);
                if (down) Offer<false>(cell, g, x, y + 1);
                if (down && right) Offer<true>(cell, g, x + 1, y + 1);
            } else {
                if (up) Offer<false>(cell, g, x, y - 1);
                if (right) Offer<false>(cell, g, x + 1, y);
                if (left) Offer<false>(cell, g, x - 1, y);
                if (down) Offer<false>(cell, g, x, y + 1);
            }
        }
        expanded += count;
        return found;
    }

    std::int32_t Held() const noexcept { return held_; }

private:
    template <bool kCorner>
    [[gnu::always_inline]] void Offer(std::int32_t from, float fromG, std::int32_t x, std::int32_t y) noexcept {
        const std::int32_t cell = x + y * width_;
        const GridCell next = cells_[cell];
        if (next.value < 0) return;  // blocked
        float step = next.value / largest_ + 1.0f;
        if constexpr (kCorner) step *= cornerFactor_;
        const float g = fromG + step;
        PathCell& path = paths_[cell];
        if (next.slot >= 0) {
            if (!(path.g > g)) return;
            path = PathCell{g, from};
            open_.Requeue(cell, F(g, x, y));
            return;
        }
        if (next.slot == kClosed) {
            if (!(path.g > g) || open_.Full()) return;
        } else {
            if (held_ == nodeLimit_ || open_.Full()) return;
            ++held_;
        }
        path = PathCell{g, from};
        open_.Push(cell, F(g, x, y));
    }

    // One rounding to float per operation, in this order, wherever f is computed.
    float F(float g, std::int32_t x, std::int32_t y) const noexcept {
        const std::int32_t h = std::abs(goalX_ - x) + std::abs(goalY_ - y);
        const float toGo = static_cast<float>(h) - g;
        const float blend = weight_ * toGo;
        return g + blend;
    }

    OpenList& open_;
    GridCell* const cells_;
    PathCell* const paths_;
    const float largest_;
    const std::int32_t width_;
    const std::int32_t height_;
    const std::int32_t goalX_;
    const std::int32_t goalY_;
    const float weight_;
    const float cornerFactor_;
    std::int32_t held_;
    const std::int32_t nodeLimit_;
};

}  // namespace

}  // namespace zrv::pathfind

using zrv::pathfind::SearchGrid;

void AStarPlanner::Begin() {
    found_ = false;
    result_ = -1;
    expanded_ = 0;
    if (!ready_) return;
    SearchGrid& grid = *grid_;
    if (grid.stale) grid.ClearSearch();
    grid.stale = true;
    const std::int32_t start = params_.startX + params_.startY * grid.width;
    grid.paths[start] = zrv::pathfind::PathCell{0, -1};
    grid.held = 1;
    grid.open.Push(start, 0.0f);
}

bool AStarPlanner::Search() {
    if (!ready_) return false;
    SearchGrid& grid = *grid_;
    zrv::pathfind::Expansion expansion(grid, params_);
    const std::int32_t goal = params_.diagonalMoves != 0 ? expansion.Run<true>(expanded_)
                                                         : expansion.Run<false>(expanded_);
    grid.held = expansion.Held();
    found_ = goal >= 0;
    result_ = goal;
    return found_;
}

void AStarPlanner::Reset() {
    found_ = false;
    result_ = -1;
    if (!ready_) return;
    // The slot table is cleared by the next Begin, so that a search's last Reset costs
    // nothing.
    grid_->open.Clear();
    grid_->held = 0;
    grid_->stale = true;
}
