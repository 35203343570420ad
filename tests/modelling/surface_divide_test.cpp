#include "modelling/surface_divide.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "modelling/selection_commands.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "surface_fixture.h"
#include "surface_shape.h"

namespace {

using SurfaceDivideTest = SurfaceTest;

std::uint32_t Word(float value) { return std::bit_cast<std::uint32_t>(value); }

TEST_F(SurfaceDivideTest, DivideRefinesTheAskedDirectionsAndKeepsTheShape) {
  struct Case {
    const char* name;
    int rows;
    int columns;
    int closedU;
    int attributesV;
    int s;
    int way;
    int dividedRows;
    int dividedColumns;
    float extraU;
    float extraV;
  };
  const std::vector<Case> cases = {
      {"open 4 x 4 both ways", 4, 4, 0, 0, 2, kDivideBoth, 7, 7, 1.0f, 1.0f},
      {"closed U, U only", 4, 5, 1, 0, 2, kDivideU, 8, 5, 1.0f, 0.5f},
      {"ends inside in V, V only", 4, 5, 0, 1, 2, kDivideV, 4, 7, 0.5f, 1.0f},
      {"closed U and ends inside in V, s 3", 4, 5, 1, 1, 3, kDivideBoth, 12, 9, 1.5f, 1.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    CSurfaceObject* source = AddSurface(c.rows, c.columns, WavyGrid(c.rows, c.columns));
    source->closedU = c.closedU;
    source->startAttributeV = source->endAttributeV = c.attributesV;
    source->extras = {{7, {{Word(0.5f), Word(0.5f)}}}};
    source->marks.assign(source->points.size(), 1);
    ResetToPickTool();
    DoDivideSurface(c.s, c.way);
    EXPECT_EQ(source->ObjectState, -1);
    CGeomObject* cursor = nullptr;
    auto* copy = static_cast<CSurfaceObject*>(NextObject(cursor, kStateSelected, kKindSurface));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->rows, c.dividedRows);
    EXPECT_EQ(copy->columns, c.dividedColumns);
    EXPECT_EQ(copy->displayStepsU, source->displayStepsU);
    EXPECT_EQ(copy->MarkAt(0), 0);
    ASSERT_EQ(copy->extras.size(), 1u);
    EXPECT_EQ(copy->extras[0].pairs[0][0], Word(c.extraU));
    EXPECT_EQ(copy->extras[0].pairs[0][1], Word(c.extraV));
    // The source at s times the steps of each refined direction is the copy at the base steps.
    const int su = c.way == kDivideV ? 1 : c.s;
    const int sv = c.way == kDivideU ? 1 : c.s;
    const std::vector<Vector3> before = SurfaceShape(*source, 2 * su, 2 * sv);
    const std::vector<Vector3> after = SurfaceShape(*copy, 2, 2);
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) ExpectNear(after[i], before[i], 1e-4f);
    UndoCommand();
    EXPECT_EQ(source->ObjectState, kStateSelected);
    EXPECT_LT(copy->ObjectState, 0);
  }
}

TEST_F(SurfaceDivideTest, ASurfaceThatCannotBeRefinedStaysAndNoLevelIsPushed) {
  struct Case {
    const char* name;
    int rows;
    int columns;
    int closed;
    int attributesV;
    int s;
    int way;
  };
  const std::vector<Case> cases = {
      {"s 0", 4, 4, 0, 0, 0, kDivideBoth},
      {"3 columns with V ends inside, V only", 4, 3, 0, 1, 2, kDivideV},
      {"result beyond the tessellation cap", 100, 100, 1, 0, 30, kDivideBoth},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    CCurveObject* first = AddCurve({{0, 0, 0}, {1, 0, 0}});
    CCurveObject* second = AddCurve({{0, 1, 0}, {1, 1, 0}}, kStateShown);
    CSurfaceObject* surface = AddSurface(c.rows, c.columns, WavyGrid(c.rows, c.columns), kStateShown);
    surface->closedU = surface->closedV = c.closed;
    surface->startAttributeV = surface->endAttributeV = c.attributesV;
    DoDelete();
    second->ObjectState = kStateSelected;
    DoDelete();
    surface->ObjectState = kStateSelected;
    ResetToPickTool();
    DoDivideSurface(c.s, c.way);
    EXPECT_EQ(surface->ObjectState, kStateSelected);
    EXPECT_EQ(Objects().size(), 3u);
    EXPECT_EQ(first->ObjectState, -2);
    surface->ObjectState = kStateShown;
    DoUndelete();
    EXPECT_EQ(second->ObjectState, kStateSelected);
    EXPECT_EQ(first->ObjectState, -1);
  }
}

}  // namespace
