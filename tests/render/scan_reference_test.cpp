#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "program_state.h"
#include "scan_fixtures.h"

// The engine against a double-precision evaluation of the same solids: seeded random Boolean
// trees of boxes, and concave star prisms.

namespace {

class ScanReferenceTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    ShadingMode = 2;
  }
};

// Depth intervals along one ray, [near, far] with near > far, nearest first.
using Intervals = std::vector<std::pair<double, double>>;

Intervals Combine(const Intervals& a, const Intervals& b, int operation) {
  // Sample-free boolean on intervals: walk the sorted boundaries and keep where the rule holds.
  std::vector<double> cuts;
  for (const auto& [n, f] : a) cuts.insert(cuts.end(), {n, f});
  for (const auto& [n, f] : b) cuts.insert(cuts.end(), {n, f});
  std::sort(cuts.begin(), cuts.end(), std::greater<>());
  const auto inside = [](const Intervals& s, double z) {
    return std::any_of(s.begin(), s.end(), [z](const auto& i) { return z < i.first && z > i.second; });
  };
  Intervals out;
  for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
    const double mid = (cuts[k] + cuts[k + 1]) / 2;
    if (cuts[k] - cuts[k + 1] < 1e-9) continue;
    const bool ia = inside(a, mid), ib = inside(b, mid);
    const bool keep = operation == 3 ? (ia && ib) : operation == 4 ? (ia && !ib) : (ia || ib);
    if (!keep) continue;
    if (!out.empty() && out.back().second == cuts[k]) {
      out.back().second = cuts[k + 1];
    } else {
      out.emplace_back(cuts[k], cuts[k + 1]);
    }
  }
  return out;
}

// A box whose front face leans along x.
struct Box {
  double x0, x1, y0, y1, back, front, lean;
};

struct Solid {
  int operation = 0;
  Box box{};
  std::vector<std::unique_ptr<Solid>> children;
};

// Away from whole numbers, so no pixel lies on an outline.
double Coordinate(std::mt19937& random, double lo, double hi) {
  for (;;) {
    const double v = std::uniform_real_distribution<double>(lo, hi)(random);
    if (std::fabs(v - std::round(v)) > 0.02) return v;
  }
}

std::unique_ptr<Solid> RandomSolid(std::mt19937& random, int depth) {
  auto solid = std::make_unique<Solid>();
  if (depth == 0 || random() % 4 == 0) {
    Box& b = solid->box;
    b.x0 = Coordinate(random, 0, 30);
    b.x1 = Coordinate(random, b.x0 + 1, b.x0 + 20);
    b.y0 = Coordinate(random, 0, 30);
    b.y1 = Coordinate(random, b.y0 + 1, b.y0 + 20);
    b.back = std::uniform_real_distribution<double>(0, 40)(random);
    b.front = b.back + std::uniform_real_distribution<double>(8, 30)(random);
    b.lean = std::uniform_real_distribution<double>(-0.3, 0.3)(random);
    return solid;
  }
  static constexpr int kOperations[] = {1, 2, 3, 4};
  solid->operation = kOperations[random() % 4];
  const int count = solid->operation == 4 ? 2 : 2 + static_cast<int>(random() % 2);
  for (int i = 0; i < count; ++i) solid->children.push_back(RandomSolid(random, solid->operation == 1 ? 0 : depth - 1));
  return solid;
}

CRenderNode* Build(const Solid& solid) {
  if (solid.operation == 0) {
    const Box& b = solid.box;
    TriangleList triangles = BoxTriangles({float(b.x0), float(b.y0), float(b.back)}, {float(b.x1), float(b.y1), float(b.front)});
    for (Triangle3& t : triangles) {
      for (Vector3& p : t) {
        if (p.z == float(b.front)) p.z = float(b.front + b.lean * (p.x - float(b.x0)));
      }
    }
    return PolygonNode(triangles);
  }
  CRenderNode* children = nullptr;
  for (auto it = solid.children.rbegin(); it != solid.children.rend(); ++it) {
    CRenderNode* child = Build(**it);
    child->next = children;
    children = child;
  }
  return new CRenderNode(static_cast<std::uint8_t>(solid.operation), children);
}

Intervals Reference(const Solid& solid, int row, int column) {
  if (solid.operation == 0) {
    const Box& b = solid.box;
    if (column < std::ceil(b.x0) || column >= std::ceil(b.x1) || row < std::ceil(b.y0) || row >= std::ceil(b.y1)) return {};
    return {{b.front + b.lean * (column - double(float(b.x0))), b.back}};
  }
  Intervals result = Reference(*solid.children[0], row, column);
  for (std::size_t i = 1; i < solid.children.size(); ++i) {
    result = Combine(result, Reference(*solid.children[i], row, column), solid.operation);
  }
  return result;
}

void ExpectMatches(const PixelLists& lists, const std::function<Intervals(int, int)>& reference, int size,
                   const std::string& what) {
  for (int row = 0; row <= size; ++row) {
    for (int column = 0; column <= size; ++column) {
      const Intervals expected = reference(row, column);
      const auto it = lists.find({row, column});
      const std::size_t count = it == lists.end() ? 0 : it->second.size();
      ASSERT_EQ(count, expected.size() * 2) << what << " at row " << row << ", column " << column;
      for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(it->second[2 * i].depth, expected[i].first, 2e-3) << what;
        EXPECT_NEAR(it->second[2 * i + 1].depth, expected[i].second, 2e-3) << what;
      }
    }
  }
}

TEST_F(ScanReferenceTest, RandomBooleanTreesOfBoxes) {
  std::mt19937 random(20261211);
  for (int trial = 0; trial < 150; ++trial) {
    const std::unique_ptr<Solid> solid = RandomSolid(random, 3);
    const PixelLists lists = ScanTree(Build(*solid), 0, 50, 0, 50);
    ExpectMatches(lists, [&](int row, int column) { return Reference(*solid, row, column); }, 50,
                  "trial " + std::to_string(trial));
    if (HasFatalFailure()) return;
  }
}

std::unique_ptr<Solid> Leaf(double x0, double x1, double y0, double y1, double back, double front, double lean = 0) {
  auto solid = std::make_unique<Solid>();
  solid->box = {x0, x1, y0, y1, back, front, lean};
  return solid;
}

std::unique_ptr<Solid> Node(int operation, std::unique_ptr<Solid> a, std::unique_ptr<Solid> b,
                            std::unique_ptr<Solid> c = nullptr) {
  auto solid = std::make_unique<Solid>();
  solid->operation = operation;
  solid->children.push_back(std::move(a));
  solid->children.push_back(std::move(b));
  if (c != nullptr) solid->children.push_back(std::move(c));
  return solid;
}

TEST_F(ScanReferenceTest, TreesOverTheRows) {
  struct Case {
    std::string name;
    std::unique_ptr<Solid> solid;
  };
  Case cases[] = {
      // Rows 5-9: the union has nothing, so the intersection is empty although the box covers them.
      {"intersection with a child not started",
       Node(3, Leaf(2.5, 20.5, 0.5, 20.5, 5, 30), Node(2, Leaf(4.5, 12.5, 0.5, 4.5, 10, 40), Leaf(6.5, 18.5, 10.5, 20.5, 10, 40)))},
      // The children start in rows in the opposite order of their columns; the last one's depth
      // changes along the row, so a missed column would show.
      {"intersection ordered by first column",
       Node(3, Leaf(10.5, 20.5, 1.5, 12.5, 4, 40, 0.1), Leaf(12.5, 18.5, 2.5, 12.5, 6, 38, -0.2),
            Leaf(2.5, 15.5, 3.5, 12.5, 5, 30, 0.25))},
      {"union child returns from pending",
       Node(2, Node(2, Leaf(3.5, 9.5, 1.5, 4.5, 20, 30, 0.2), Leaf(5.5, 12.5, 12.5, 15.5, 22, 35, -0.1)),
            Leaf(14.5, 18.5, 0.5, 20.5, 2, 8))},
      {"cutter that ends before its body",
       Node(4, Leaf(2.5, 16.5, 0.5, 20.5, 5, 25, 0.1), Leaf(6.5, 12.5, 0.5, 8.5, 0, 40))},
  };
  for (const Case& c : cases) {
    const PixelLists lists = ScanTree(Build(*c.solid), 0, 25, 0, 25);
    EXPECT_FALSE(lists.empty()) << c.name;
    ExpectMatches(lists, [&](int row, int column) { return Reference(*c.solid, row, column); }, 25, c.name);
  }
}

// A star prism: a concave outline extruded along the depth axis between two tilted planes.
TEST_F(ScanReferenceTest, RandomConcaveStarPrisms) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 40; ++trial) {
    const int points = 5 + static_cast<int>(random() % 5);
    const double cx = Coordinate(random, 20, 30), cy = Coordinate(random, 20, 30);
    const double turn = std::uniform_real_distribution<double>(0, 6.3)(random);
    std::vector<std::pair<double, double>> outline;
    for (int k = 0; k < 2 * points; ++k) {
      const double r = k % 2 == 0 ? std::uniform_real_distribution<double>(12, 20)(random)
                                  : std::uniform_real_distribution<double>(4, 8)(random);
      const double a = turn + std::numbers::pi * k / points;
      outline.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    const double a = std::uniform_real_distribution<double>(-0.2, 0.2)(random);
    const double b = std::uniform_real_distribution<double>(-0.2, 0.2)(random);
    const auto front = [&](double x, double y) { return 60 + a * x + b * y; };
    const auto back = [&](double x, double y) { return 20 - b * x + a * y; };
    const auto at = [&](std::size_t k, bool isFront) {
      const auto [x, y] = outline[k % outline.size()];
      const float fx = float(x), fy = float(y);
      return Vector3{fx, fy, float(isFront ? front(fx, fy) : back(fx, fy))};
    };
    const Vector3 cf{float(cx), float(cy), float(front(float(cx), float(cy)))};
    const Vector3 cb{float(cx), float(cy), float(back(float(cx), float(cy)))};
    TriangleList prism;
    for (std::size_t k = 0; k < outline.size(); ++k) {
      prism.push_back({cf, at(k, true), at(k + 1, true)});
      prism.push_back({cb, at(k + 1, false), at(k, false)});
      prism.push_back({at(k, true), at(k, false), at(k + 1, false)});
      prism.push_back({at(k, true), at(k + 1, false), at(k + 1, true)});
    }
    // Pixels within 0.01 of an outline edge may fall either way.
    const auto classify = [&](int row, int column) {
      bool inside = false;
      double nearest = 1e9;
      for (std::size_t k = 0; k < outline.size(); ++k) {
        const auto [x1, y1] = outline[k];
        const auto [x2, y2] = outline[(k + 1) % outline.size()];
        if ((y1 > row) != (y2 > row) && column < x1 + (row - y1) * (x2 - x1) / (y2 - y1)) inside = !inside;
        const double dx = x2 - x1, dy = y2 - y1;
        const double t = std::clamp(((column - x1) * dx + (row - y1) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(column - x1 - t * dx, row - y1 - t * dy));
      }
      return std::make_pair(inside, nearest);
    };
    const PixelLists lists = ScanTree(PolygonNode(prism), 0, 50, 0, 50);
    ExpectMatches(
        lists,
        [&](int row, int column) -> Intervals {
          const auto [inside, nearest] = classify(row, column);
          if (nearest < 0.01) {
            // Either answer is right on the outline; take the engine's.
            return lists.contains({row, column}) ? Intervals{{front(column, row), back(column, row)}} : Intervals{};
          }
          return inside ? Intervals{{front(column, row), back(column, row)}} : Intervals{};
        },
        50, "star " + std::to_string(trial));
    if (HasFatalFailure()) return;
  }
}

}  // namespace
