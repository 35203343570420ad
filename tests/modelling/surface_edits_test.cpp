#include "modelling/surface_edits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/mesh_object.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "surface_fixture.h"
#include "surface_shape.h"

namespace {

using SurfaceEditsTest = SurfaceTest;

// The volume the block's surfaces enclose, in double, each surface's triangles counted with its
// orientation: positive when the outsides face out.
double OrientedVolume(const CBlockObject& block) {
  double volume = 0;
  for (const CGeomObject* child = block.surfaces.head(); child != nullptr; child = child->next) {
    const auto& surface = static_cast<const CSurfaceObject&>(*child);
    int rows = 0;
    int columns = 0;
    const std::vector<Vector3> grid = SurfaceShape(surface, 4, 4, &rows, &columns);
    const auto triple = [](Vector3 a, Vector3 b, Vector3 c) {
      return double{a.x} * (double{b.y} * c.z - double{b.z} * c.y) - double{a.y} * (double{b.x} * c.z - double{b.z} * c.x) +
             double{a.z} * (double{b.x} * c.y - double{b.y} * c.x);
    };
    double part = 0;
    for (int r = 0; r + 1 < rows; ++r) {
      for (int c = 0; c + 1 < columns; ++c) {
        const Vector3 p00 = grid[r * columns + c];
        const Vector3 p01 = grid[r * columns + c + 1];
        const Vector3 p10 = grid[(r + 1) * columns + c];
        const Vector3 p11 = grid[(r + 1) * columns + c + 1];
        part += triple(p00, p10, p11) + triple(p00, p11, p01);
      }
    }
    volume += surface.orientationSign * part / 6.0;
  }
  return volume;
}

TEST_F(SurfaceEditsTest, CloseAndOpenSetOneDirectionOfTheSelectedSurfaces) {
  struct Case {
    void (*command)();
    std::int32_t CSurfaceObject::*flag;
    std::int32_t CSurfaceObject::*other;
    int value;
  };
  const std::vector<Case> cases = {
      {&DoSurfaceCloseU, &CSurfaceObject::closedU, &CSurfaceObject::closedV, 1},
      {&DoSurfaceOpenU, &CSurfaceObject::closedU, &CSurfaceObject::closedV, 0},
      {&DoSurfaceCloseV, &CSurfaceObject::closedV, &CSurfaceObject::closedU, 1},
      {&DoSurfaceOpenV, &CSurfaceObject::closedV, &CSurfaceObject::closedU, 0},
  };
  for (const Case& c : cases) {
    ResetProgramState();
    SetUp();
    CSurfaceObject* selected = AddSurface(2, 2, WavyGrid(2, 2));
    CSurfaceObject* shown = AddSurface(2, 2, WavyGrid(2, 2), kStateShown);
    selected->*c.flag = shown->*c.flag = 1 - c.value;
    selected->*c.other = 1 - c.value;
    ResetToPickTool();
    c.command();
    EXPECT_EQ(selected->*c.flag, c.value);
    EXPECT_EQ(selected->*c.other, 1 - c.value);
    EXPECT_EQ(shown->*c.flag, 1 - c.value);
    UndoCommand();
    EXPECT_EQ(selected->*c.flag, 1 - c.value);
  }
}

TEST_F(SurfaceEditsTest, ReverseAndSwapMoveMarksWithTheirPoints) {
  const std::vector<Vector3> grid = WavyGrid(3, 4);
  CSurfaceObject* surface = AddSurface(3, 4, grid);
  surface->marks = {1, 0, 0, 0, 0, 0, 1};  // short: the rest count as unmarked
  surface->closedU = 1;
  surface->startAttributeU = 1;
  surface->endAttributeV = 1;
  surface->displayStepsU = 3;
  surface->outputStepsU = 5;
  surface->displayStepsV = 7;
  surface->outputStepsV = 9;

  ResetToPickTool();
  DoSurfaceReverseU();
  EXPECT_EQ(surface->orientationSign, -1);
  EXPECT_EQ(surface->points[0], grid[8]);   // row 2 came first
  EXPECT_EQ(surface->points[11], grid[3]);  // row 0 came last
  EXPECT_EQ(surface->marks[8], 1);
  ResetToPickTool();
  DoSurfaceReverseV();
  EXPECT_EQ(surface->orientationSign, 1);
  EXPECT_EQ(surface->points[0], grid[11]);
  EXPECT_EQ(surface->marks[11], 1);
  EXPECT_EQ(surface->marks[5], 1);  // source (1, 2)
  EXPECT_EQ(surface->points[1], grid[10]);
  ResetToPickTool();
  DoSurfaceReverseU();
  ResetToPickTool();
  DoSurfaceReverseV();
  EXPECT_EQ(surface->points, grid);
  EXPECT_EQ(surface->marks, (std::vector<std::int32_t>{1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(surface->orientationSign, 1);

  ResetToPickTool();
  DoSwapUV();
  EXPECT_EQ(surface->rows, 4);
  EXPECT_EQ(surface->columns, 3);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(surface->points[c * 3 + r], grid[r * 4 + c]);
  }
  EXPECT_EQ(surface->marks[1 + 2 * 3], 1);  // source (1, 2)
  EXPECT_EQ(surface->closedU, 0);
  EXPECT_EQ(surface->closedV, 1);
  EXPECT_EQ(surface->startAttributeV, 1);
  EXPECT_EQ(surface->endAttributeU, 1);
  EXPECT_EQ(surface->displayStepsU, 7);
  EXPECT_EQ(surface->outputStepsU, 9);
  EXPECT_EQ(surface->displayStepsV, 3);
  EXPECT_EQ(surface->outputStepsV, 5);
  EXPECT_EQ(surface->orientationSign, -1);
  UndoCommand();
  EXPECT_EQ(surface->rows, 3);
  EXPECT_EQ(surface->points, grid);
  EXPECT_EQ(surface->closedU, 1);
  EXPECT_EQ(surface->orientationSign, 1);
}

TEST_F(SurfaceEditsTest, StepRulesStayWithinACount) {
  constexpr int kMax = std::numeric_limits<std::int32_t>::max();
  struct Case {
    const char* name;
    int value;
    int way;
    int runs;
    int expected;
  };
  const std::vector<Case> cases = {
      {"decreasing 3 on 8", 3, kStepDecreasing, 1, 3},
      {"decreasing 0 leaves the count", 0, kStepDecreasing, 1, 8},
      {"increasing 256 four times clamps", 256, kStepIncreasing, 4, kMax},
      {"assign 0", 0, kStepAssign, 1, 0},
      {"increasing 0", 0, kStepIncreasing, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    CSurfaceObject* surface = AddSurface(2, 2, WavyGrid(2, 2));
    surface->outputStepsU = 8;
    surface->displayStepsV = 5;
    for (int run = 0; run < c.runs; ++run) DoSurfaceStep(1, 0, c.value, 1, c.way);
    EXPECT_EQ(surface->displayStepsU, c.expected);
    EXPECT_EQ(surface->outputStepsU, c.expected);
    EXPECT_EQ(surface->displayStepsV, 5);  // V off
  }
}

TEST_F(SurfaceEditsTest, FlipNormalAndStepReachEverySurfaceInsideAGroupAsOneUndoStep) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  auto surface = std::make_unique<CSurfaceObject>();
  surface->SetGrid(2, 2, WavyGrid(2, 2));
  CSurfaceObject* inner = surface.get();
  group->members.Append(std::move(surface));
  auto mesh = std::make_unique<CMeshObject>();
  CMeshObject* innerMesh = mesh.get();
  group->members.Append(std::move(mesh));
  auto block = std::make_unique<CBlockObject>();
  block->SetProfiles({{{{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}}, 0}});
  block->thickness = 1;
  block->Rebuild();
  CBlockObject* innerBlock = block.get();
  group->members.Append(std::move(block));
  auto nested = std::make_unique<CBooleanObject>();
  auto deep = std::make_unique<CSurfaceObject>();
  deep->SetGrid(2, 2, WavyGrid(2, 2));
  CSurfaceObject* deepest = deep.get();
  nested->members.Append(std::move(deep));
  group->members.Append(std::move(nested));
  CBooleanObject* added = AddObject(group, 1);
  ASSERT_NE(added, nullptr);
  document.Clear();

  std::vector<int> blockSigns;
  for (CGeomObject* child = innerBlock->surfaces.head(); child != nullptr; child = child->next) {
    blockSigns.push_back(static_cast<CSurfaceObject*>(child)->orientationSign);
  }
  ASSERT_FALSE(blockSigns.empty());

  const double volume = OrientedVolume(*innerBlock);
  // The rounded outline of a 2 x 1 profile pushed 1 deep: a closed solid inside the 2 x 1 x 1 box.
  EXPECT_GT(std::abs(volume), 0.5);
  EXPECT_LT(std::abs(volume), 2.0);
  ResetToPickTool();
  DoFlipNormal();
  EXPECT_NEAR(OrientedVolume(*innerBlock), -volume, 1e-9);
  EXPECT_EQ(inner->orientationSign, -1);
  EXPECT_EQ(innerMesh->orientationSign, -1);
  EXPECT_EQ(deepest->orientationSign, -1);
  std::size_t i = 0;
  for (CGeomObject* child = innerBlock->surfaces.head(); child != nullptr; child = child->next, ++i) {
    EXPECT_EQ(static_cast<CSurfaceObject*>(child)->orientationSign, -blockSigns[i]);
  }
  UndoCommand();
  EXPECT_EQ(inner->orientationSign, 1);
  EXPECT_EQ(innerMesh->orientationSign, 1);
  EXPECT_EQ(deepest->orientationSign, 1);
  i = 0;
  for (CGeomObject* child = innerBlock->surfaces.head(); child != nullptr; child = child->next, ++i) {
    EXPECT_EQ(static_cast<CSurfaceObject*>(child)->orientationSign, blockSigns[i]);
  }

  ResetToPickTool();
  DoSurfaceStep(1, 1, 4, 2, kStepAssign);
  EXPECT_EQ(deepest->displayStepsU, 4);
  EXPECT_EQ(deepest->outputStepsV, 2);
  UndoCommand();
  EXPECT_EQ(deepest->displayStepsU, 8);
}

}  // namespace
