// The planner classes used directly: repeated searches, their limits, sizes that cannot be
// searched, and the open list's order once its insertion numbers run out.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "pathfind/open_list.h"
#include "zorvane/pathfind.h"

namespace {

PlannerParams Corridor(const std::vector<double>& cells) {
    PlannerParams params;
    params.width = static_cast<std::int32_t>(cells.size());
    params.height = 1;
    params.goalX = params.width - 1;
    params.map = cells.data();
    return params;
}

TEST(Planner, SearchesAgainFromBeginAndForgetsOnReset) {
    const std::vector<double> cells(5, 1.0);
    AStarPlanner planner;
    ASSERT_TRUE(planner.Configure(Corridor(cells)));
    std::vector<std::int32_t> x(5), y(5, -1);
    for (int run = 0; run < 3; ++run) {
        planner.Begin();
        ASSERT_TRUE(planner.Search()) << run;
        ASSERT_EQ(planner.PathLength(), 5);
        planner.GetPath(x.data(), y.data());
        EXPECT_EQ(x, (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
        EXPECT_EQ(y, (std::vector<std::int32_t>(5, 0)));
        EXPECT_EQ(planner.ExpandedCount(), 5);
        planner.Reset();
        EXPECT_EQ(planner.PathLength(), 0);
        EXPECT_FALSE(planner.Search());
    }
    // The grid was copied: the map may change or go away after Configure.
    std::vector<double> changing(5, 1.0);
    ASSERT_TRUE(planner.Configure(Corridor(changing)));
    changing[2] = 0;
    planner.Begin();
    EXPECT_TRUE(planner.Search());
}

TEST(Planner, ACellThatFindsNoRoomIsNotQueued) {
    const std::vector<double> cells(5, 1.0);
    PlannerParams params = Corridor(cells);
    AStarPlanner planner;
    params.nodeCount = 4;  // the corridor needs a node for each of its 5 cells
    ASSERT_TRUE(planner.Configure(params));
    planner.Begin();
    EXPECT_FALSE(planner.Search());
    params.nodeCount = 5;
    ASSERT_TRUE(planner.Configure(params));
    planner.Begin();
    EXPECT_TRUE(planner.Search());

    // In a 3 x 3 room with room for one queued cell, every second neighbour is dropped and
    // the search snakes through all nine cells to the far corner.
    const std::vector<double> room(9, 1.0);
    params = PlannerParams{};
    params.width = params.height = 3;
    params.goalX = params.goalY = 2;
    params.map = room.data();
    params.openCapacity = 1;
    params.heuristicWeight = 0;
    ASSERT_TRUE(planner.Configure(params));
    planner.Begin();
    EXPECT_TRUE(planner.Search());
    EXPECT_EQ(planner.PathLength(), 9);

    params.nodeCount = -1;
    EXPECT_FALSE(planner.Configure(params));
    EXPECT_FALSE(planner.IsReady());
}

TEST(Planner, SizesBeyondTheInt32RangeAreRefusedWithoutReadingTheMap) {
    const double cell = 1;
    PlannerParams params;
    params.map = &cell;
    params.goalX = 1;
    const std::int32_t sizes[][2] = {{65536, 65536}, {2147483647, 2}, {-3, -3}, {0, 5}};
    for (const auto& [width, height] : sizes) {
        params.width = width;
        params.height = height;
        AStarPlanner planner;
        EXPECT_FALSE(planner.Configure(params)) << width << " x " << height;
        planner.Begin();
        EXPECT_FALSE(planner.Search());
        EXPECT_EQ(planner.PathLength(), 0);
    }
}

TEST(OpenList, EqualKeysComeOutInQueueOrderAcrossRenumbering) {
    using zrv::pathfind::OpenEntry;
    using zrv::pathfind::OpenList;
    std::vector<OpenEntry> items(8);
    std::vector<zrv::pathfind::GridCell> slots(8);
    OpenList open;
    open.Attach(items.data(), 8, slots.data());
    open.StartNumberingAt(UINT32_MAX - 3);
    for (std::int32_t cell = 0; cell < 6; ++cell) open.Push(cell, cell % 2 == 0 ? 1.0f : 2.0f);
    // Queued again: it now follows every other cell of f 1.
    open.Requeue(0, 1.0f);
    open.Requeue(5, 1.0f);
    open.Push(6, 0.5f);
    std::vector<std::int32_t> order;
    while (!open.Empty()) order.push_back(open.PopMin());
    EXPECT_EQ(order, (std::vector<std::int32_t>{6, 2, 4, 0, 5, 1, 3}));
}

}  // namespace
