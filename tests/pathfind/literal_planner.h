// The planner written the plain way, as a reference for the runtime's: a pool of node
// objects, a closed set hashed on the low bits of x and y, and an open list kept sorted in
// a ring buffer by binary insertion, with a linear scan for membership. Slow by design;
// the tests and the benchmark compare the runtime's paths with its paths.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace zrv::literal {

struct Node {
    Node* parent;
    std::int32_t x, y;
    float f;
    float g;
    Node* hashNext;
};

class NodeFactory {
public:
    explicit NodeFactory(std::int32_t count) : nodes_(count), free_(0) {
        for (auto& node : nodes_) node = std::make_unique<Node>();
    }
    Node* Take() { return free_ < static_cast<std::int32_t>(nodes_.size()) ? nodes_[free_++].get() : nullptr; }
    void GiveBack(std::int32_t count) { free_ -= count; }

private:
    std::vector<std::unique_ptr<Node>> nodes_;
    std::int32_t free_;
};

class NodeHashTable {
public:
    explicit NodeHashTable(std::int32_t bits) {
        bits = std::min(bits, 24) & ~1;
        half_ = bits / 2;
        mask_ = (1 << half_) - 1;
        buckets_.assign(std::size_t{1} << bits, nullptr);
    }
    void Insert(Node* node) {
        Node*& head = buckets_[Bucket(node->x, node->y)];
        for (Node* n = head; n != nullptr; n = n->hashNext)
            if (n == node) return;
        node->hashNext = head;
        head = node;
    }
    // The node of (x, y), and the link that points at it.
    Node* Find(std::int32_t x, std::int32_t y, Node**& link) {
        for (link = &buckets_[Bucket(x, y)]; *link != nullptr; link = &(*link)->hashNext)
            if ((*link)->x == x && (*link)->y == y) return *link;
        return nullptr;
    }
    static void Unlink(Node** link) { *link = (*link)->hashNext; }
    std::int32_t Clear() {
        std::int32_t count = 0;
        for (Node*& head : buckets_) {
            for (Node* n = head; n != nullptr; n = n->hashNext) ++count;
            head = nullptr;
        }
        return count;
    }

private:
    std::size_t Bucket(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>((x & mask_) | ((y & mask_) << half_));
    }
    std::vector<Node*> buckets_;
    std::int32_t half_ = 0;
    std::int32_t mask_ = 0;
};

template <class T>
class FixedDeque {
public:
    explicit FixedDeque(std::int32_t capacity) : items_(capacity) {}
    std::int32_t Size() const {
        if (empty_) return 0;
        const std::int32_t n = back_ - front_;
        return n > 0 ? n : n + Capacity();
    }
    bool Empty() const { return empty_; }
    T& At(std::int32_t i) { return items_[(front_ + i) % Capacity()]; }
    bool PushBack(T item) {
        if (!empty_ && front_ == back_) return false;
        items_[back_] = item;
        back_ = (back_ + 1) % Capacity();
        empty_ = false;
        return true;
    }
    T PopBack() {
        back_ = (back_ + Capacity() - 1) % Capacity();
        empty_ = front_ == back_;
        return items_[back_];
    }
    bool Insert(std::int32_t at, T item) {
        if (!PushBack(item)) return false;
        for (std::int32_t i = Size() - 1; i > at; --i) At(i) = At(i - 1);
        At(at) = item;
        return true;
    }
    void Erase(std::int32_t at) {
        for (std::int32_t i = at; i + 1 < Size(); ++i) At(i) = At(i + 1);
        PopBack();
    }
    void Clear() {
        front_ = back_ = 0;
        empty_ = true;
    }

private:
    std::int32_t Capacity() const { return static_cast<std::int32_t>(items_.size()); }
    std::vector<T> items_;
    std::int32_t front_ = 0, back_ = 0;
    bool empty_ = true;
};

struct Params {
    std::int32_t startX, startY, goalX, goalY;
    bool diagonalCost = true;
    bool diagonalMoves = false;
    float weight;
    std::int32_t width, height;
    std::vector<double> map;  // x + y * width
};

class Planner {
public:
    bool Configure(const Params& p) {
        if (p.startX < 0 || p.startX >= p.width || p.goalX < 0 || p.goalX >= p.width || p.startY < 0 ||
            p.startY >= p.height || p.goalY < 0 || p.goalY >= p.height)
            return false;
        if (p.startX == p.goalX && p.startY == p.goalY) return false;
        cost_.assign(p.map.size(), 0);
        float largest = 0;
        for (std::size_t i = 0; i < p.map.size(); ++i) {
            const double v = p.map[i];
            float c = -1;
            if (v > 0) c = v < FLT_MAX ? static_cast<float>(v) : FLT_MAX;
            if (!(c > 0)) c = -1;
            cost_[i] = c;
            if (c > largest) largest = c;
        }
        if (largest <= 0) return false;
        for (float& c : cost_)
            if (c > 0) c = c / largest + 1;
        const std::int32_t cells = p.width * p.height;
        pool_ = std::make_unique<NodeFactory>(cells);
        open_ = std::make_unique<FixedDeque<Node*>>(cells);
        closed_ = std::make_unique<NodeHashTable>(8);
        params_ = p;
        params_.weight = p.weight > 0 ? (p.weight < 1 ? p.weight : 1) : 0;
        result_ = nullptr;
        return true;
    }

    void Begin() {
        result_ = nullptr;
        Node* start = pool_->Take();
        *start = Node{nullptr, params_.startX, params_.startY, 0, 0, nullptr};
        open_->PushBack(start);
    }

    bool Search() {
        static constexpr std::pair<int, int> kSteps[8] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0},
                                                          {-1, 0},  {-1, 1}, {0, 1},  {1, 1}};
        while (!open_->Empty()) {
            Node* node = open_->PopBack();
            ++expanded;
            if (node->x == params_.goalX && node->y == params_.goalY) {
                closed_->Insert(node);
                result_ = node;
                return true;
            }
            for (const auto& [dx, dy] : kSteps) {
                const bool corner = dx != 0 && dy != 0;
                if (corner && !params_.diagonalMoves) continue;
                const std::int32_t x = node->x + dx, y = node->y + dy;
                if (x < 0 || x >= params_.width || y < 0 || y >= params_.height) continue;
                const float c = cost_[x + y * params_.width];
                if (c == -1) continue;
                const float step = corner && params_.diagonalCost ? c * 1.4142137f : c;
                const float g = node->g + step;
                const std::int32_t h = std::abs(params_.goalX - x) + std::abs(params_.goalY - y);
                const float toGo = static_cast<float>(h) - g;
                const float blend = params_.weight * toGo;
                const float f = g + blend;
                Node** link = nullptr;
                if (Node* closed = closed_->Find(x, y, link)) {
                    if (closed->g > g) {
                        NodeHashTable::Unlink(link);
                        closed->parent = node;
                        closed->g = g;
                        closed->f = f;
                        InsertOpen(closed);
                    }
                    continue;
                }
                const std::int32_t at = FindOpen(x, y);
                if (at >= 0) {
                    Node* open = open_->At(at);
                    if (open->g > g) {
                        open_->Erase(at);
                        open->parent = node;
                        open->g = g;
                        open->f = f;
                        InsertOpen(open);
                    }
                    continue;
                }
                Node* fresh = pool_->Take();
                *fresh = Node{node, x, y, f, g, nullptr};
                InsertOpen(fresh);
            }
            closed_->Insert(node);
        }
        return false;
    }

    void Reset() {
        std::int32_t count = open_->Size();
        open_->Clear();
        count += closed_->Clear();
        pool_->GiveBack(count);
        result_ = nullptr;
    }

    // Start first.
    std::vector<std::pair<std::int32_t, std::int32_t>> Path() const {
        std::vector<std::pair<std::int32_t, std::int32_t>> path;
        for (const Node* n = result_; n != nullptr; n = n->parent) path.insert(path.begin(), {n->x, n->y});
        return path;
    }

    const std::vector<float>& Costs() const { return cost_; }
    std::int64_t expanded = 0;

private:
    // Front holds the largest f: the new node goes before the first node whose f is not
    // greater than its own.
    void InsertOpen(Node* node) {
        std::int32_t low = 0, high = open_->Size();
        while (low < high) {
            const std::int32_t middle = (low + high) / 2;
            if (open_->At(middle)->f > node->f) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        open_->Insert(low, node);
    }
    std::int32_t FindOpen(std::int32_t x, std::int32_t y) {
        for (std::int32_t i = open_->Size() - 1; i >= 0; --i)
            if (open_->At(i)->x == x && open_->At(i)->y == y) return i;
        return -1;
    }

    Params params_{};
    std::vector<float> cost_;
    std::unique_ptr<NodeFactory> pool_;
    std::unique_ptr<FixedDeque<Node*>> open_;
    std::unique_ptr<NodeHashTable> closed_;
    Node* result_ = nullptr;
};

// The whole command: the path, start first, or nothing.
inline std::vector<std::pair<std::int32_t, std::int32_t>> FindPath(const Params& params,
                                                                   std::int64_t* expanded = nullptr) {
    Planner planner;
    if (!planner.Configure(params)) return {};
    planner.Begin();
    const bool found = planner.Search();
    if (expanded != nullptr) *expanded = planner.expanded;
    auto path = found ? planner.Path() : decltype(planner.Path()){};
    planner.Reset();
    return path;
}

}  // namespace zrv::literal
