#include "app/qt/toolbar_layout.h"

#include <array>

namespace {

std::vector<int> Range(int first, int last) {
  std::vector<int> ids;
  for (int id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> ids;
  for (const std::vector<int>& part : parts) ids.insert(ids.end(), part.begin(), part.end());
  return ids;
}

const std::array<ToolBarLayout, 9>& Layouts() {
  static const std::array<ToolBarLayout, 9> layouts = {{
      {131, 10032, 3502, Qt::TopToolBarArea,
       Join({{3002}, Range(3100, 3105), Range(3201, 3206), {3200, 3310, 3311, 3300, 3301}, Range(3400, 3403),
             Range(3410, 3414), Range(3420, 3423), {3430, 3431, 3440}})},
      {132, 10033, 3503, Qt::TopToolBarArea, {3600, 0, 57643, 57644}},
      {130, 10031, 3501, Qt::TopToolBarArea, {57600, 57601, 57603, 57669}},
      {133, 10034, 3504, Qt::LeftToolBarArea, Range(4000, 4006)},
      {134, 10035, 3505, Qt::LeftToolBarArea, Join({Range(5000, 5003), {0, 5010}})},
      {135, 10036, 3506, Qt::LeftToolBarArea, Join({Range(6000, 6010), {0, 6100, 6101}})},
      {136, 10037, 3507, Qt::RightToolBarArea, Join({Range(7000, 7006), {7021, 0, 7100, 7101}})},
      {137, 10038, 3508, Qt::RightToolBarArea, {8000, 8001, 8002, 8004, 8005, 8006}},
      {138, 10039, 3509, Qt::RightToolBarArea, {9000, 9001, 9002, 0, 9003}},
  }};
  return layouts;
}

constexpr std::array<int, 9> kDockingOrder = {132, 131, 130, 135, 134, 133, 138, 137, 136};

}  // namespace

std::span<const ToolBarLayout> MainFrameToolBars() { return Layouts(); }

std::span<const int> ToolBarDockingOrder() { return kDockingOrder; }
