#include "modelling/surface_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "surface_fixture.h"
#include "kernel/bspline_curve.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/pipe_surface.h"
#include "modelling/surface_grid.h"
#include "scene/pick_tool.h"
#include "modelling/revolve_tool_dialog.h"
#include "platform/command_queue.h"
#include "scene/tool_framework.h"

namespace {

// The surface's points at its knots, as the kernel evaluates them.
std::vector<Vector3> Knots(const CSurfaceObject& s, int* rows = nullptr, int* columns = nullptr) {
  std::vector<Vector3> net, knots;
  int nu = 0, nv = 0, r = 0, c = 0;
  ExtendSurfaceNet(s.points.data(), s.rows, s.columns, s.startAttributeU, s.endAttributeU, s.closedU,
                   s.startAttributeV, s.endAttributeV, s.closedV, &net, &nu, &nv);
  TessellateSurface(kBSplineBasis, net.data(), nu, nv, &knots, nullptr, nullptr, &r, &c, 1, 1, 0);
  if (rows != nullptr) *rows = r;
  if (columns != nullptr) *columns = c;
  return knots;
}

double Length(Vector3 p) { return std::sqrt(double{p.x} * p.x + double{p.y} * p.y + double{p.z} * p.z); }

// The Surface commands run again when their dialogs post them.
class SurfaceCommandsTest : public SurfaceTest {
 protected:
  void Dispatch(int id) override {
    SurfaceTest::Dispatch(id);
    if (id == kExtendSurfaceCommand) DoExtendSurface();
    if (id == kVerticalRevolveSurfaceCommand) DoVerticalRevolveSurface();
    if (id == kHorizontalRevolveSurfaceCommand) DoHorizontalRevolveSurface();
  }
};

TEST_F(SurfaceCommandsTest, PrimitivesPassThroughTheUnitCircleAndSphere) {
  MakeSphereSurface();
  CSurfaceObject* sphere = LastSurface();
  ASSERT_NE(sphere, nullptr);
  EXPECT_EQ(sphere->closedU, 1);
  float zmin = 2, zmax = -2;
  for (const Vector3& p : Knots(*sphere)) {
    EXPECT_NEAR(Length(p), 1.0, 1e-5);
    zmin = std::min(zmin, p.z);
    zmax = std::max(zmax, p.z);
  }
  EXPECT_NEAR(zmin, -1.0f, 1e-5f);
  EXPECT_NEAR(zmax, 1.0f, 1e-5f);

  MakeCylinderSurface();
  CSurfaceObject* cylinder = LastSurface();
  EXPECT_EQ(cylinder->displayStepsV, 1);
  int rows = 0, columns = 0;
  const std::vector<Vector3> knots = Knots(*cylinder, &rows, &columns);
  ASSERT_EQ(columns, 2);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      const Vector3 p = knots[r * 2 + c];
      EXPECT_NEAR(std::hypot(double{p.x}, double{p.y}), 1.0, 1e-5);
      EXPECT_FLOAT_EQ(p.z, c == 0 ? -1.0f : 1.0f);
    }
  }

  MakeConeSurface();
  CSurfaceObject* cone = LastSurface();
  for (int k = 0; k < 6; ++k) EXPECT_EQ(cone->points[k * 2 + 1], (Vector3{0, 0, 1}));
  EXPECT_EQ(cone->ObjectState, kStateSelected);
  EXPECT_EQ(cone->orientationSign, 1);
}

TEST_F(SurfaceCommandsTest, TransformSweepsEverySelectedCurveByRepeatedSteps) {
  // A quarter turn about z with a lift of 2, applied row after row.
  Matrix4 step = kIdentityMatrix;
  step.at(0, 0) = step.at(1, 1) = 0;
  step.at(0, 1) = 1;
  step.at(1, 0) = -1;
  step[14] = 2;
  CCurveObject* first = AddCurve({{1, 0, 0}, {2, 0, 0}, {3, 1, 0}});
  CCurveObject* second = AddCurve({{0, 1, 1}, {0, 2, 1}});
  CCurveObject* shown = AddCurve({{5, 5, 0}, {6, 5, 0}}, kStateShown);
  const std::size_t objects = Objects().size();
  DoTransformSurface(1, step);
  EXPECT_EQ(Objects().size(), objects);
  DoTransformSurface(4, step);
  ASSERT_EQ(Objects().size(), objects + 2);
  for (std::size_t s = 0; s < 2; ++s) {
    const CCurveObject* curve = s == 0 ? first : second;
    const auto* surface = static_cast<const CSurfaceObject*>(Objects()[objects + s]);
    ASSERT_EQ(surface->rows, 4);
    ASSERT_EQ(surface->columns, curve->PointCount());
    for (int i = 0; i < surface->columns; ++i) {
      double x = curve->points[i].x, y = curve->points[i].y, z = curve->points[i].z;
      for (int r = 0; r < 4; ++r) {
        ExpectNear(surface->points[r * surface->columns + i],
                   {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)});
        const double turned = -y;
        y = x;
        x = turned;
        z += 2;
      }
    }
    EXPECT_EQ(curve->ObjectState, kStateRemoved);
  }
  EXPECT_EQ(shown->ObjectState, kStateShown);
}

TEST_F(SurfaceCommandsTest, RevolveTurnsEveryCurveFullyAroundTheViewAxis) {
  // A profile at radius 3 about the vertical axis (y in this view).
  CCurveObject* profile = AddCurve({{3, 0, 0}, {3, 1, 0}, {3, 2, 0}, {3, 3, 0}});
  ProgramCommandQueue().Post(kVerticalRevolveSurfaceCommand);
  ProgramCommandQueue().Drain();
  ASSERT_NE(OpenRevolveDialog, nullptr);
  EXPECT_EQ(OpenRevolveDialog->number, 6);
  EXPECT_EQ(OpenRevolveDialog->degree, 60.0f);
  OpenRevolveDialog->PressOK();
  ProgramCommandQueue().Drain();
  CSurfaceObject* surface = LastSurface();
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->rows, 6);
  EXPECT_EQ(surface->closedU, 1);
  for (const Vector3& p : Knots(*surface)) EXPECT_NEAR(std::hypot(double{p.x}, double{p.z}), 3.0, 1e-4);
  EXPECT_EQ(profile->ObjectState, 4);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
}

// A pipe section in the plane x = 0 (normal along x), drawn at model (x, y) = (0, 1)..(0, 3):
// a zigzag in y and z, so it shows in the front view as a vertical stroke.
std::vector<Vector3> SectionInYZ(int points) {
  std::vector<Vector3> section;
  for (int k = 0; k < points; ++k) section.push_back({0, 1.0f + 2.0f * k / (points - 1), k % 2 == 0 ? 0.0f : 1.0f});
  return section;
}

TEST_F(SurfaceCommandsTest, PipeSectionAxesComeFromItsNormal) {
  struct Case {
    const char* name;
    std::vector<Vector3> section;
    int vertical;
    std::array<int, 3> axes;
  };
  // Normal (1, 1, 0) x 2: along x and y equally, so y.
  const Case cases[] = {
      {"normal along x", {{5, 0, 0}, {5, 1, 0}, {5, 0, 1}}, 0, {1, 2, 0}},
      {"x and y tie", {{0, 0, 0}, {1, -1, 0}, {0, 0, 1}}, 0, {0, 2, 1}},
      {"vertical swaps", {{5, 0, 0}, {5, 1, 0}, {5, 0, 1}}, 1, {2, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CCurveObject* section = AddCurve(c.section, kStateShown);
    DoPipeSurface(2, c.vertical, 1.0f);
    auto* tool = dynamic_cast<CPipeSectionPickTool*>(GetTool(0));
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(Headless().statusTexts.back(), "Pick a curve for the pipe surface section...");
    const Vector3 p = c.section[1];
    ClickAt(p.x, p.y);
    ASSERT_EQ(tool->Count(), 1);
    EXPECT_EQ(tool->Sections().first, section);
    EXPECT_EQ(tool->Sections().axes, c.axes);
    section->ObjectState = kStateRemoved;
  }
}

TEST_F(SurfaceCommandsTest, PipeRefusesAMismatchedSecondSection) {
  AddCurve(SectionInYZ(3), kStateShown);
  AddCurve({{8, 1, 0}, {8, 2, 1}, {8, 3, 0}, {8, 4, 1}}, kStateShown);
  DoPipeSurface(2, 0, 1.0f);
  auto* tool = static_cast<CPipeSectionPickTool*>(GetTool(0));
  ClickAt(0, 2);
  ClickAt(8, 2.5f);
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "This section mismatches with the previous section! Please re-pick...");
  EXPECT_EQ(GetTool(0), tool);
  EXPECT_EQ(tool->Count(), 1);
}

TEST_F(SurfaceCommandsTest, OneSectionPipesEverySelectedPathButSectionsAndPoints) {
  CCurveObject* section = AddCurve(SectionInYZ(3));
  CCurveObject* path = AddCurve({{0, -5, 0}, {0, -5, 4}, {0, -5, 8}});
  CCurveObject* dot = AddCurve({{9, -9, 0}});
  const std::size_t before = Objects().size();
  DoPipeSurface(1, 0, 1.0f);
  ClickAt(0, 2);
  EXPECT_EQ(Objects().size(), before + 1);
  CSurfaceObject* pipe = LastSurface();
  ASSERT_NE(pipe, nullptr);
  EXPECT_EQ(pipe->rows, 3);
  EXPECT_EQ(pipe->columns, 3);
  // Each row is the section placed around its path point, in the plane across the path, at
  // its in-plane distance from the section's origin.
  for (int r = 0; r < 3; ++r) {
    for (int k = 0; k < 3; ++k) {
      const Vector3 p = pipe->points[r * 3 + k];
      const Vector3 q = section->points[k];
      EXPECT_NEAR(p.z, path->points[r].z, 1e-4f);
      EXPECT_NEAR(Length(VecSub(p, path->points[r])), std::hypot(double{q.y}, double{q.z}), 1e-4);
    }
  }
  EXPECT_EQ(path->ObjectState, kStateRemoved);
  EXPECT_EQ(section->ObjectState, kStateSelected);
  EXPECT_EQ(dot->ObjectState, kStateSelected);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
}

TEST_F(SurfaceCommandsTest, CircularPipeScalesTheDefaultSectionByTheRadius) {
  AddCurve({{0, 0, 0}, {0, 0, 4}, {0, 0, 8}, {0, 0, 12}});
  DoPipeSurface(3, 0, 2.5f);
  CSurfaceObject* pipe = LastSurface();
  ASSERT_NE(pipe, nullptr);
  EXPECT_EQ(pipe->columns, 6);
  EXPECT_EQ(pipe->closedV, 1);
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 6; ++k) {
      const Vector3 p = pipe->points[r * 6 + k];
      EXPECT_NEAR(std::hypot(double{p.x}, double{p.y}), 1.2 * 2.5, 1e-4);
    }
  }
  EXPECT_EQ(GetDefaultPipeSection()->PointCount(), 6);
}

}  // namespace
