// The runtime's planner against the plain one on random maps: the same path, cell for
// cell, for every weight and both neighbourhoods; and against Dijkstra for the weights
// that promise a cheapest path.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <queue>
#include <random>
#include <utility>
#include <vector>

#include "literal_planner.h"
#include "zorvane/pathfind.h"
#include "zorvane/rt_array.h"

namespace {

using Cells = std::vector<std::pair<std::int32_t, std::int32_t>>;

// A random map of up to 16 x 16 cells: walls at a random density, costs that are all
// equal, small integers (many ties) or arbitrary, now and then NaN, huge or tiny values;
// start and goal usually inside, now and then outside or equal.
zrv::literal::Params RandomCase(std::mt19937& rng) {
    auto below = [&](std::int32_t n) { return std::uniform_int_distribution<std::int32_t>(0, n - 1)(rng); };
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };
    zrv::literal::Params p{};
    p.width = 1 + below(16);
    p.height = 1 + below(16);
    const double walls = below(5) * 0.1;
    const std::int32_t kind = below(3);
    for (std::int32_t i = 0; i < p.width * p.height; ++i) {
        double v = kind == 0 ? 1.0 : kind == 1 ? 1 + below(9) : std::uniform_real_distribution<double>(0.01, 50)(rng);
        if (chance(walls)) v = chance(0.5) ? 0 : -below(5);
        if (chance(0.01)) v = std::numeric_limits<double>::quiet_NaN();
        if (chance(0.005)) v = chance(0.5) ? 1e300 : 1e-300;
        p.map.push_back(v);
    }
    auto coordinate = [&](std::int32_t size) { return chance(0.03) ? below(size + 4) - 2 : below(size); };
    p.startX = coordinate(p.width);
    p.startY = coordinate(p.height);
    p.goalX = chance(0.03) ? p.startX : coordinate(p.width);
    p.goalY = chance(0.03) ? p.startY : coordinate(p.height);
    const float weights[] = {0, 0.5f, 1, 0.25f, 0.75f, -2, 3, std::numeric_limits<float>::quiet_NaN()};
    p.weight = chance(0.5) ? weights[below(8)] : std::uniform_real_distribution<float>(0, 1)(rng);
    return p;
}

RtNumberArray NumberMap(const zrv::literal::Params& p) {
    RtNumberArray map;
    DimArray(map, p.width, p.height);
    std::copy(p.map.begin(), p.map.end(), map.Data());
    return map;
}

template <class T>
Cells Rows(const RtArray<T>& path, std::int32_t n) {
    Cells cells;
    for (std::int32_t i = 0; i < n; ++i)
        cells.emplace_back(static_cast<std::int32_t>(path(i, 0)), static_cast<std::int32_t>(path(i, 1)));
    return cells;
}

TEST(PlannerOracle, EveryCommandReturnsThePlainPlannersPathOnRandomMaps) {
    std::mt19937 rng(20240611);
    std::int32_t found = 0;
    for (std::int32_t round = 0; round < 3000; ++round) {
        zrv::literal::Params p = RandomCase(rng);
        const RtNumberArray map = NumberMap(p);
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << p.width << " x " << p.height << ", weight "
                                        << p.weight);

        const Cells expected = zrv::literal::FindPath(p);
        const auto n = static_cast<std::int32_t>(expected.size());
        found += n > 0;
        RtIntArray path;
        ASSERT_EQ(FindPath(map, path, p.weight, p.startX, p.startY, p.goalX, p.goalY), n);
        ASSERT_EQ(Rows(path, n), expected);
        RtNumberArray numbers;
        ASSERT_EQ(FindPathNumbers(map, numbers, p.weight, p.startX, p.startY, p.goalX, p.goalY), n);
        ASSERT_EQ(Rows(numbers, n), expected);

        // Integer maps: the same search on the values rounded down.
        zrv::literal::Params q = p;
        RtIntArray ints;
        DimIntArray(ints, p.width, p.height);
        for (std::size_t i = 0; i < p.map.size(); ++i) {
            const double v = std::isnan(p.map[i]) ? 0 : std::floor(std::min(p.map[i], 1e6));
            ints.Data()[i] = static_cast<std::int32_t>(v);
            q.map[i] = v;
        }
        const Cells expectedInts = zrv::literal::FindPath(q);
        const auto m = static_cast<std::int32_t>(expectedInts.size());
        ASSERT_EQ(FindPathInts(ints, path, q.weight, q.startX, q.startY, q.goalX, q.goalY), m);
        ASSERT_EQ(Rows(path, m), expectedInts);

        // Corner neighbours, with and without the corner factor.
        q = p;
        q.diagonalMoves = true;
        q.diagonalCost = round % 2 == 0;
        const Cells expectedCorners = zrv::literal::FindPath(q);
        const auto k = static_cast<std::int32_t>(expectedCorners.size());
        ASSERT_EQ(FindPathDiagonal(map, path, q.weight, q.startX, q.startY, q.goalX, q.goalY, q.diagonalCost), k);
        ASSERT_EQ(Rows(path, k), expectedCorners);
    }
    // Most rounds have to find something for the comparison to mean much.
    EXPECT_GT(found, 1500);
}

// Cheapest total of the normalised costs of the cells entered, by Dijkstra in double.
double CheapestCost(const std::vector<float>& cost, std::int32_t width, std::int32_t start, std::int32_t goal) {
    const auto cells = static_cast<std::int32_t>(cost.size());
    std::vector<double> best(cells, std::numeric_limits<double>::infinity());
    using Entry = std::pair<double, std::int32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    best[start] = 0;
    queue.push({0, start});
    while (!queue.empty()) {
        const auto [d, cell] = queue.top();
        queue.pop();
        if (d > best[cell]) continue;
        const std::int32_t x = cell % width, y = cell / width, height = cells / width;
        for (const auto& [dx, dy] : {std::pair{0, -1}, {1, 0}, {-1, 0}, {0, 1}}) {
            if (x + dx < 0 || x + dx >= width || y + dy < 0 || y + dy >= height) continue;
            const std::int32_t next = cell + dx + dy * width;
            if (cost[next] < 0 || d + cost[next] >= best[next]) continue;
            best[next] = d + cost[next];
            queue.push({best[next], next});
        }
    }
    return best[goal];
}

TEST(PlannerOracle, WeightsZeroAndHalfFindACheapestPath) {
    std::mt19937 rng(7);
    std::int32_t compared = 0;
    for (std::int32_t round = 0; round < 2000; ++round) {
        zrv::literal::Params p = RandomCase(rng);
        p.weight = round % 2 == 0 ? 0.0f : 0.5f;
        zrv::literal::Planner costs;
        if (!costs.Configure(p)) continue;
        const RtNumberArray map = NumberMap(p);
        RtIntArray path;
        const std::int32_t n = FindPath(map, path, p.weight, p.startX, p.startY, p.goalX, p.goalY);
        const double cheapest =
            CheapestCost(costs.Costs(), p.width, p.startX + p.startY * p.width, p.goalX + p.goalY * p.width);
        SCOPED_TRACE(testing::Message() << "round " << round);
        ASSERT_EQ(n > 0, std::isfinite(cheapest));
        if (n == 0) continue;
        double total = 0;
        for (std::int32_t i = 1; i < n; ++i) {
            ASSERT_EQ(std::abs(path(i, 0) - path(i - 1, 0)) + std::abs(path(i, 1) - path(i - 1, 1)), 1);
            total += costs.Costs()[path(i, 0) + path(i, 1) * p.width];
        }
        EXPECT_NEAR(total, cheapest, cheapest * 1e-5);
        ++compared;
    }
    EXPECT_GT(compared, 800);
}

}  // namespace
