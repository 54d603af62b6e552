// Path finding on 512 x 512 maps: the runtime's planner against the plain reference planner
// of the tests and a textbook A* (std::priority_queue, flat g table, the same normalised
// costs and Manhattan heuristic), each on the same start/goal pairs at weight 0.5, where
// every one of them finds a cheapest path. Before the timings a line per map says whether
// the runtime's paths cost what the textbook's cost; the reference's run counts the
// queries on which its path is the runtime's.
//
// Maps: walls at random (20 % and 35 %), a maze of one-cell corridors, rooms of 31 x 31
// joined by doors, and random costs 1..9 without walls; made here from fixed seeds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <queue>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "../tests/pathfind/literal_planner.h"
#include "zorvane/pathfind.h"
#include "zorvane/rt_array.h"

namespace {

constexpr std::int32_t kSize = 512;
constexpr std::int32_t kCells = kSize * kSize;
constexpr std::int32_t kPairs = 10;
constexpr double kWeight = 0.5;

struct Query {
    std::int32_t startX, startY, goalX, goalY;
};

struct Scenario {
    std::string name;
    std::vector<double> cells;  // x + y * kSize
    RtNumberArray map;
    std::vector<Query> queries;
    std::vector<std::int64_t> expanded;  // by the runtime's planner, per query
    std::vector<std::vector<std::pair<std::int32_t, std::int32_t>>> paths;  // the runtime's, start first
};

// ---- Maps ----------------------------------------------------------------------------

std::vector<double> RandomWalls(double density, std::mt19937& rng) {
    std::bernoulli_distribution wall(density);
    std::vector<double> cells(kCells);
    for (double& c : cells) c = wall(rng) ? 0 : 1;
    return cells;
}

// Corridors on even coordinates, carved by a depth-first walk; the last row and column
// stay wall.
std::vector<double> Maze(std::mt19937& rng) {
    constexpr std::int32_t kRooms = kSize / 2;
    std::vector<double> cells(kCells, 0);
    std::vector<std::uint8_t> seen(kRooms * kRooms, 0);
    std::vector<std::int32_t> stack{0};
    seen[0] = 1;
    cells[0] = 1;
    while (!stack.empty()) {
        const std::int32_t room = stack.back();
        const std::int32_t rx = room % kRooms, ry = room / kRooms;
        std::pair<std::int32_t, std::int32_t> next[4];
        std::int32_t count = 0;
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const std::int32_t nx = rx + dx, ny = ry + dy;
            if (nx >= 0 && nx < kRooms && ny >= 0 && ny < kRooms && !seen[nx + ny * kRooms]) next[count++] = {dx, dy};
        }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        const auto [dx, dy] = next[std::uniform_int_distribution<std::int32_t>(0, count - 1)(rng)];
        const std::int32_t nx = rx + dx, ny = ry + dy;
        seen[nx + ny * kRooms] = 1;
        cells[(2 * rx + dx) + (2 * ry + dy) * kSize] = 1;
        cells[2 * nx + 2 * ny * kSize] = 1;
        stack.push_back(nx + ny * kRooms);
    }
    return cells;
}

// Rooms of 31 x 31 inside walls on every 32nd line, each wall between two rooms with a
// door two cells wide at a random place.
std::vector<double> Rooms(std::mt19937& rng) {
    constexpr std::int32_t kRoom = 32;
    std::vector<double> cells(kCells, 1);
    for (std::int32_t i = 0; i < kSize; ++i) {
        for (std::int32_t line = kRoom - 1; line < kSize; line += kRoom) {
            cells[line + i * kSize] = 0;
            cells[i + line * kSize] = 0;
        }
    }
    std::uniform_int_distribution<std::int32_t> place(0, kRoom - 3);
    for (std::int32_t a = 0; a < kSize / kRoom; ++a) {
        for (std::int32_t b = 0; b + 1 < kSize / kRoom; ++b) {
            const std::int32_t line = b * kRoom + kRoom - 1;
            const std::int32_t across = a * kRoom + place(rng), down = a * kRoom + place(rng);
            for (std::int32_t k = 0; k < 2; ++k) {
                cells[line + (across + k) * kSize] = 1;  // a door in a vertical wall
                cells[(down + k) + line * kSize] = 1;    // and in a horizontal one
            }
        }
    }
    return cells;
}

std::vector<double> RandomCosts(std::mt19937& rng) {
    std::uniform_int_distribution<std::int32_t> cost(1, 9);
    std::vector<double> cells(kCells);
    for (double& c : cells) c = cost(rng);
    return cells;
}

// ---- The planners --------------------------------------------------------------------

std::vector<float> NormalisedCosts(const std::vector<double>& cells) {
    double largest = 0;
    for (const double c : cells) largest = std::max(largest, c);
    std::vector<float> cost(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        cost[i] = cells[i] > 0 ? static_cast<float>(cells[i]) / static_cast<float>(largest) + 1.0f : -1.0f;
    return cost;
}

struct TextbookResult {
    std::int64_t expanded = 0;
    std::vector<std::int32_t> path;  // cells, goal first
};

TextbookResult TextbookAStar(const std::vector<float>& cost, const Query& q) {
    const std::int32_t start = q.startX + q.startY * kSize, goal = q.goalX + q.goalY * kSize;
    auto h = [&](std::int32_t cell) {
        return static_cast<float>(std::abs(q.goalX - cell % kSize) + std::abs(q.goalY - cell / kSize));
    };
    std::vector<float> g(kCells, FLT_MAX);
    std::vector<std::int32_t> parent(kCells, -1);
    std::vector<std::uint8_t> closed(kCells, 0);
    using Entry = std::pair<float, std::int32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    TextbookResult result;
    g[start] = 0;
    open.push({h(start), start});
    while (!open.empty()) {
        const std::int32_t cell = open.top().second;
        open.pop();
        if (closed[cell]) continue;
        closed[cell] = 1;
        ++result.expanded;
        if (cell == goal) {
            for (std::int32_t c = goal; c >= 0; c = parent[c]) result.path.push_back(c);
            return result;
        }
        const std::int32_t x = cell % kSize, y = cell / kSize;
        const std::int32_t neighbours[4] = {y > 0 ? cell - kSize : -1, x + 1 < kSize ? cell + 1 : -1,
                                            x > 0 ? cell - 1 : -1, y + 1 < kSize ? cell + kSize : -1};
        for (const std::int32_t next : neighbours) {
            if (next < 0 || cost[next] < 0 || closed[next]) continue;
            const float tentative = g[cell] + cost[next];
            if (tentative >= g[next]) continue;
            g[next] = tentative;
            parent[next] = cell;
            open.push({tentative + h(next), next});
        }
    }
    return result;
}

// Start, goal and size, the fields both planners' parameters name alike.
template <class Params>
Params Placed(const Query& q) {
    Params p{};
    p.startX = q.startX;
    p.startY = q.startY;
    p.goalX = q.goalX;
    p.goalY = q.goalY;
    p.width = p.height = kSize;
    return p;
}

zrv::literal::Params LiteralParams(const Scenario& s, const Query& q) {
    auto p = Placed<zrv::literal::Params>(q);
    p.weight = static_cast<float>(kWeight);
    p.map = s.cells;
    return p;
}

PlannerParams RuntimeParams(const Scenario& s, const Query& q) {
    auto p = Placed<PlannerParams>(q);
    p.heuristicWeight = static_cast<float>(kWeight);
    p.map = s.cells.data();
    return p;
}

double PathCost(const std::vector<float>& cost, const std::vector<std::int32_t>& cells) {
    double total = 0;
    for (std::size_t i = 0; i + 1 < cells.size(); ++i) total += cost[cells[i]];  // the start costs nothing
    return total;
}

// ---- Scenarios -----------------------------------------------------------------------

// The cells reachable from the first walkable cell of the largest 4-connected region.
std::vector<std::int32_t> LargestRegion(const std::vector<double>& cells) {
    std::vector<std::int32_t> label(kCells, -1), best;
    for (std::int32_t seed = 0; seed < kCells; ++seed) {
        if (cells[seed] <= 0 || label[seed] >= 0) continue;
        std::vector<std::int32_t> region{seed};
        label[seed] = seed;
        for (std::size_t i = 0; i < region.size(); ++i) {
            const std::int32_t c = region[i], x = c % kSize;
            for (const std::int32_t n : {c - kSize, c + kSize, x > 0 ? c - 1 : -1, x + 1 < kSize ? c + 1 : -1}) {
                if (n < 0 || n >= kCells || cells[n] <= 0 || label[n] >= 0) continue;
                label[n] = seed;
                region.push_back(n);
            }
        }
        if (region.size() > best.size()) best = std::move(region);
    }
    return best;
}

Scenario MakeScenario(std::string name, std::vector<double> cells, std::uint32_t seed) {
    Scenario s{std::move(name), std::move(cells), {}, {}, {}, {}};
    DimArray(s.map, kSize, kSize);
    std::copy(s.cells.begin(), s.cells.end(), s.map.Data());
    // Start and goal in the same region and at least half the map apart.
    const std::vector<std::int32_t> region = LargestRegion(s.cells);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> pick(0, region.size() - 1);
    while (static_cast<std::int32_t>(s.queries.size()) < kPairs) {
        const std::int32_t a = region[pick(rng)], b = region[pick(rng)];
        const Query q{a % kSize, a / kSize, b % kSize, b / kSize};
        if (std::abs(q.startX - q.goalX) + std::abs(q.startY - q.goalY) >= kSize / 2) s.queries.push_back(q);
    }
    return s;
}

// Runs the runtime's planner and the textbook A* once on every query, keeps the runtime's
// paths for the reference planner's run, and says whether the costs agree.
void Check(Scenario& s) {
    const std::vector<float> cost = NormalisedCosts(s.cells);
    std::int32_t sameCosts = 0;
    double worst = 0;
    for (const Query& q : s.queries) {
        AStarPlanner planner;
        planner.Configure(RuntimeParams(s, q));
        planner.Begin();
        planner.Search();
        s.expanded.push_back(planner.ExpandedCount());
        std::vector<std::int32_t> xs(planner.PathLength()), ys(xs.size()), cells;
        planner.GetPath(xs.data(), ys.data());
        auto& path = s.paths.emplace_back();
        for (std::size_t i = 0; i < xs.size(); ++i) path.emplace_back(xs[i], ys[i]);
        for (std::size_t i = xs.size(); i-- > 0;) cells.push_back(xs[i] + ys[i] * kSize);

        const double ours = PathCost(cost, cells), textbook = PathCost(cost, TextbookAStar(cost, q).path);
        const double difference = std::abs(ours - textbook) / textbook;
        worst = std::max(worst, difference);
        sameCosts += difference < 1e-6;
    }
    std::fprintf(stderr, "%-10s %d queries: runtime cost = textbook cost (within 1e-6) on %d, largest difference %.2g\n",
                 s.name.c_str(), kPairs, sameCosts, worst);
}

std::vector<Scenario>& Scenarios() {
    static std::vector<Scenario> scenarios = [] {
        std::vector<Scenario> all;
        std::mt19937 rng(512);
        all.push_back(MakeScenario("walls20", RandomWalls(0.20, rng), 1));
        all.push_back(MakeScenario("walls35", RandomWalls(0.35, rng), 2));
        all.push_back(MakeScenario("maze", Maze(rng), 3));
        all.push_back(MakeScenario("rooms", Rooms(rng), 4));
        all.push_back(MakeScenario("costs1to9", RandomCosts(rng), 5));
        for (Scenario& s : all) Check(s);
        return all;
    }();
    return scenarios;
}

// Time per query (inverted rate) and nodes expanded per second.
void Report(benchmark::State& state, const Scenario& s, std::int64_t expandedPerPass) {
    state.SetLabel(s.name);
    state.SetItemsProcessed(state.iterations() * expandedPerPass);
    state.counters["per_query"] = benchmark::Counter(static_cast<double>(kPairs),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

std::int64_t Sum(const std::vector<std::int64_t>& values) {
    std::int64_t sum = 0;
    for (const std::int64_t v : values) sum += v;
    return sum;
}

// ---- Benchmarks ----------------------------------------------------------------------

// The command as a program calls it: cost grid from the array, search, path array.
void BM_PathRuntimeFindPath(benchmark::State& state) {
    const Scenario& s = Scenarios()[state.range(0)];
    RtIntArray path;
    for (auto _ : state)
        for (const Query& q : s.queries)
            benchmark::DoNotOptimize(FindPath(s.map, path, kWeight, q.startX, q.startY, q.goalX, q.goalY));
    Report(state, s, Sum(s.expanded));
}

// The textbook A* from the same array: normalise, then search.
void BM_PathTextbookFromMap(benchmark::State& state) {
    const Scenario& s = Scenarios()[state.range(0)];
    std::int64_t expanded = 0;
    for (auto _ : state) {
        expanded = 0;
        for (const Query& q : s.queries) expanded += TextbookAStar(NormalisedCosts(s.cells), q).expanded;
    }
    Report(state, s, expanded);
}

// The search alone: the runtime's planner configured beforehand, the textbook on a cost
// grid made beforehand (its g, parent and closed tables are still its own work).
void BM_PathRuntimeSearchOnly(benchmark::State& state) {
    const Scenario& s = Scenarios()[state.range(0)];
    std::vector<AStarPlanner> planners(1);
    for (auto _ : state) {
        for (const Query& q : s.queries) {
            state.PauseTiming();
            planners[0].Configure(RuntimeParams(s, q));
            state.ResumeTiming();
            planners[0].Begin();
            benchmark::DoNotOptimize(planners[0].Search());
        }
    }
    Report(state, s, Sum(s.expanded));
}

void BM_PathTextbookSearchOnly(benchmark::State& state) {
    const Scenario& s = Scenarios()[state.range(0)];
    const std::vector<float> cost = NormalisedCosts(s.cells);
    std::int64_t expanded = 0;
    for (auto _ : state) {
        expanded = 0;
        for (const Query& q : s.queries) expanded += TextbookAStar(cost, q).expanded;
    }
    Report(state, s, expanded);
}

// Run once: it is slow by design. same_path counts the queries on which it returned the
// runtime's path after expanding as many cells.
void BM_PathReference(benchmark::State& state) {
    const Scenario& s = Scenarios()[state.range(0)];
    std::vector<zrv::literal::Params> params;
    for (const Query& q : s.queries) params.push_back(LiteralParams(s, q));
    std::int32_t same = 0;
    for (auto _ : state) {
        same = 0;
        for (std::size_t i = 0; i < params.size(); ++i) {
            std::int64_t expanded = 0;
            same += zrv::literal::FindPath(params[i], &expanded) == s.paths[i] && expanded == s.expanded[i];
        }
    }
    Report(state, s, Sum(s.expanded));
    state.counters["same_path"] = same;
}

BENCHMARK(BM_PathRuntimeFindPath)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathTextbookFromMap)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathRuntimeSearchOnly)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathTextbookSearchOnly)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathReference)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
