// The path-finding commands as a program sees them: the path array, the failures that
// leave it alone, and the rules that decide which of several paths comes back.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "zorvane/pathfind.h"
#include "zorvane/rt_array.h"

namespace {

using Cells = std::vector<std::pair<std::int32_t, std::int32_t>>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// rows[y][x] becomes cell (x, y).
RtNumberArray Map(const std::vector<std::vector<double>>& rows) {
    RtNumberArray map;
    const auto height = static_cast<std::int32_t>(rows.size());
    const auto width = static_cast<std::int32_t>(rows[0].size());
    DimArray(map, width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) map(x, y) = rows[y][x];
    return map;
}

template <class T>
Cells Rows(const RtArray<T>& path) {
    EXPECT_EQ(path.Size(1), 2);
    Cells cells;
    for (std::int32_t i = 0; i < path.Size(0); ++i)
        cells.emplace_back(static_cast<std::int32_t>(path(i, 0)), static_cast<std::int32_t>(path(i, 1)));
    return cells;
}

Cells Find(const RtNumberArray& map, double weight, std::int32_t sx, std::int32_t sy, std::int32_t gx,
           std::int32_t gy) {
    RtIntArray path;
    const std::int32_t n = FindPath(map, path, weight, sx, sy, gx, gy);
    if (n == 0) return {};
    EXPECT_EQ(path.Size(0), n);
    return Rows(path);
}

TEST(FindPath, ReturnsTheRowsFromStartToGoalInEveryArrayKind) {
    const Cells straight{{0, 0}, {1, 0}, {2, 0}};

    RtNumberArray map = Map({{1, 1, 1}, {1, 1, 1}});
    RtIntArray path;
    DimIntArray(path, 9, 9);
    EXPECT_EQ(FindPath(map, path, 0.5, 0, 0, 2, 0), 3);
    EXPECT_EQ(path.Size(0), 3);
    EXPECT_EQ(Rows(path), straight);

    RtNumberArray numbers;
    EXPECT_EQ(FindPathNumbers(map, numbers, 0.5, 0, 0, 2, 0), 3);
    EXPECT_EQ(Rows(numbers), straight);

    RtIntArray ints;
    DimIntArray(ints, 3, 2);
    for (std::int32_t i = 0; i < 6; ++i) ints.Data()[i] = 7;
    RtIntArray intPath;
    EXPECT_EQ(FindPathInts(ints, intPath, 0.5, 2, 1, 0, 1), 3);
    EXPECT_EQ(Rows(intPath), (Cells{{2, 1}, {1, 1}, {0, 1}}));

    // The map itself may receive the path.
    EXPECT_EQ(FindPathInts(ints, ints, 0.5, 0, 0, 1, 1), 3);
    EXPECT_EQ(ints.Size(0), 3);
    EXPECT_EQ(ints(0, 0), 0);
    EXPECT_EQ(ints(2, 0), 1);
    EXPECT_EQ(ints(2, 1), 1);
}

TEST(FindPath, EveryFailureReturnsZeroAndLeavesThePathAsItWas) {
    const RtNumberArray open = Map({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}});
    RtNumberArray line;
    DimArray(line, 5);
    for (std::int32_t i = 0; i < 5; ++i) line(i) = 1;
    const RtNumberArray undimensioned{};
    const RtNumberArray nothingWalkable = Map({{0, -1, kNaN}, {0, -5, 0}});
    const RtNumberArray wall = Map({{1, 0, 1}, {1, 0, 1}, {1, kNaN, 1}});
    const RtNumberArray blockedGoal = Map({{1, 1, 0}});

    struct Case {
        const char* what;
        const RtNumberArray& map;
        std::int32_t sx, sy, gx, gy;
    };
    const Case cases[] = {
        {"one-dimensional map", line, 0, 0, 3, 0},
        {"undimensioned map", undimensioned, 0, 0, 1, 0},
        {"start equals goal", open, 1, 1, 1, 1},
        {"no positive cell", nothingWalkable, 0, 0, 2, 1},
        {"wall of zeros and NaN", wall, 0, 1, 2, 1},
        {"blocked goal", blockedGoal, 0, 0, 2, 0},
        {"start left of the map", open, -1, 0, 2, 2},
        {"start below the map", open, 0, 3, 2, 2},
        {"goal right of the map", open, 0, 0, 3, 2},
        {"goal above the map", open, 0, 0, 2, -1},
    };
    for (const Case& c : cases) {
        RtIntArray path;
        DimIntArray(path, 2, 2);
        path(1, 1) = 42;
        RtNumberArray numbers;
        DimArray(numbers, 1, 2);
        numbers(0, 1) = 4.5;
        EXPECT_EQ(FindPath(c.map, path, 0.5, c.sx, c.sy, c.gx, c.gy), 0) << c.what;
        EXPECT_EQ(FindPathNumbers(c.map, numbers, 0.5, c.sx, c.sy, c.gx, c.gy), 0) << c.what;
        EXPECT_EQ(FindPathDiagonal(c.map, path, 0.5, c.sx, c.sy, c.gx, c.gy, 1), 0) << c.what;
        EXPECT_EQ(path.Size(0), 2) << c.what;
        EXPECT_EQ(path(1, 1), 42) << c.what;
        EXPECT_EQ(numbers.Size(0), 1) << c.what;
        EXPECT_EQ(numbers(0, 1), 4.5) << c.what;
    }
    RtIntArray emptyInts;
    RtIntArray path;
    EXPECT_EQ(FindPathInts(emptyInts, path, 0.5, 0, 0, 1, 0), 0);
    EXPECT_FALSE(path.IsDimensioned());
}

TEST(FindPath, CostsAreNormalisedSoThatEveryStepCostsMoreThanOne) {
    // Raw costs prefer the detour through the lower row (4 < 4.5); normalised to
    // c / 3.5 + 1 the middle cell costs 2 and each cheap cell 1.29, so the short way wins.
    const Cells direct{{0, 0}, {1, 0}, {2, 0}};
    const Cells detour{{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 0}};
    EXPECT_EQ(Find(Map({{1, 3.5, 1}, {1, 1, 1}}), 0, 0, 0, 2, 0), direct);
    // Values beyond the float range cost the most, not infinitely much or NaN.
    EXPECT_EQ(Find(Map({{1, kInf, 1}, {1, 1, 1}}), 0, 0, 0, 2, 0), direct);
    EXPECT_EQ(Find(Map({{1, 1e300, 1}, {1, 1, 1}}), 0, 0, 0, 2, 0), direct);
    // NaN and non-positive cells are walls; the start's own value does not matter.
    EXPECT_EQ(Find(Map({{1, kNaN, 1}, {1, 1, 1}}), 0, 0, 0, 2, 0), detour);
    EXPECT_EQ(Find(Map({{0, -2, 1}, {1, 1, 1}}), 0, 0, 0, 2, 0), detour);
}

TEST(FindPath, AmongEqualCellsTheOneQueuedFirstIsTakenFirst) {
    // From (0, 0) the right neighbour is queued before the lower one; both have f = 2, so
    // the right one is expanded first and reaches (1, 1) first.
    const RtNumberArray square = Map({{1, 1}, {1, 1}});
    EXPECT_EQ(Find(square, 0, 0, 0, 1, 1), (Cells{{0, 0}, {1, 0}, {1, 1}}));
    // Neighbour order up, right, left, down: from (1, 1) to (0, 0) the upper one wins.
    EXPECT_EQ(Find(square, 0, 1, 1, 0, 0), (Cells{{1, 1}, {1, 0}, {0, 0}}));
    // Weight 1 orders by distance alone and walks greedily along the first free side.
    const RtNumberArray room = Map({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}});
    EXPECT_EQ(Find(room, 1, 0, 0, 2, 2), (Cells{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}));
}

TEST(FindPath, WeightsOutsideZeroToOneActLikeTheNearestEnd) {
    // A map where weight 0 (cheapest path) and weight 1 (greedy by distance) differ.
    const RtNumberArray map = Map({{1, 1, 1, 9, 1},
                                   {1, 9, 9, 9, 1},
                                   {1, 1, 1, 9, 1},
                                   {9, 9, 1, 9, 1},
                                   {1, 1, 1, 1, 1}});
    const Cells cheapest = Find(map, 0, 0, 0, 4, 4);
    const Cells greedy = Find(map, 1, 0, 0, 4, 4);
    ASSERT_FALSE(cheapest.empty());
    ASSERT_NE(cheapest, greedy);
    EXPECT_EQ(Find(map, 3, 0, 0, 4, 4), greedy);
    EXPECT_EQ(Find(map, kInf, 0, 0, 4, 4), greedy);
    EXPECT_EQ(Find(map, -2, 0, 0, 4, 4), cheapest);
    EXPECT_EQ(Find(map, kNaN, 0, 0, 4, 4), cheapest);
}

TEST(FindPath, DiagonalSearchStepsAcrossCornersAndWeighsThem) {
    const RtNumberArray room = Map({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}});
    RtIntArray path;
    EXPECT_EQ(FindPathDiagonal(room, path, 0, 0, 0, 2, 2, 1), 3);
    EXPECT_EQ(Rows(path), (Cells{{0, 0}, {1, 1}, {2, 2}}));
    // Corners cut past walls.
    EXPECT_EQ(FindPathDiagonal(Map({{1, 0}, {0, 1}}), path, 0.5, 0, 0, 1, 1, 0), 2);
    // Through the cheap cell below, two corner steps cost 1.1 * 1.414 + 2 * 1.414 = 4.38
    // against 2 + 2 along the top; without the corner factor they cost 3.1 and win.
    const RtNumberArray map = Map({{1, 2, 2}, {0, 0.2, 0}});
    EXPECT_EQ(FindPathDiagonal(map, path, 0, 0, 0, 2, 0, 1), 3);
    EXPECT_EQ(Rows(path), (Cells{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(FindPathDiagonal(map, path, 0, 0, 0, 2, 0, 0), 3);
    EXPECT_EQ(Rows(path), (Cells{{0, 0}, {1, 1}, {2, 0}}));
}

}  // namespace
