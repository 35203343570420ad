#include "modelling/surface_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "surface_fixture.h"
#include "surface_reference.h"
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

// Without full revolution, at 60, 90 and 180 degrees a step: the surface starts on the profile and
// ends on it turned by the whole angle, and passes through the profile turned by every step
// between (its knots at radius 3 and angle k x step about y).
TEST_F(SurfaceCommandsTest, APartialRevolveStartsAndEndsOnTheProfile) {
  for (const float degree : {60.0f, 90.0f, 180.0f}) {
    SCOPED_TRACE(degree);
    CCurveObject* profile = AddCurve({{3, 0, 0}, {3, 1, 0}, {3.5f, 2, 0}, {3, 3, 0}});
    ProgramCommandQueue().Post(kVerticalRevolveSurfaceCommand);
    ProgramCommandQueue().Drain();
    ASSERT_NE(OpenRevolveDialog, nullptr);
    OpenRevolveDialog->full = 0;
    OpenRevolveDialog->texts[CRevolveToolDlg::kNumberList] = "3";
    OpenRevolveDialog->texts[CRevolveToolDlg::kDegreeList] = std::to_string(degree);
    OpenRevolveDialog->PressOK();
    ProgramCommandQueue().Drain();
    CSurfaceObject* surface = LastSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->closedU, 0);
    int rows = 0, columns = 0;
    const std::vector<Vector3> knots = Knots(*surface, &rows, &columns);
    ASSERT_EQ(rows, 3);
    for (int r = 0; r < rows; ++r) {
      const double a = r * degree * std::numbers::pi / 180;
      for (int c = 0; c < columns; ++c) {
        const Vector3 k = knots[static_cast<std::size_t>(r * columns + c)];
        const Vector3 first = knots[static_cast<std::size_t>(c)];
        EXPECT_NEAR(std::hypot(double{k.x}, double{k.z}), std::hypot(double{first.x}, double{first.z}), 1e-4);
        EXPECT_NEAR(k.y, first.y, 1e-4);
        const double turn = std::acos(std::clamp((double{k.x} * first.x + double{k.z} * first.z) /
                                                     (std::hypot(double{k.x}, double{k.z}) * std::hypot(double{first.x}, double{first.z})),
                                                 -1.0, 1.0));
        EXPECT_NEAR(turn, std::fabs(std::remainder(a, 2 * std::numbers::pi)), 1e-3);
      }
    }
    // The first row is the profile curve itself: its points at the knots of the profile.
    const std::vector<Vector3> ext = ExtendCurveEnds(4, profile->points.data(), 0, 0, 0);
    const std::vector<Vector3> onProfile = EvaluateCurvePoints(ext.data(), static_cast<int>(ext.size()), 1);
    ASSERT_EQ(static_cast<int>(onProfile.size()), columns);
    for (int c = 0; c < columns; ++c) {
      const Vector3 k = knots[static_cast<std::size_t>(c)];
      EXPECT_NEAR(k.x, onProfile[static_cast<std::size_t>(c)].x, 1e-4);
      EXPECT_NEAR(k.y, onProfile[static_cast<std::size_t>(c)].y, 1e-4);
      EXPECT_NEAR(k.z, onProfile[static_cast<std::size_t>(c)].z, 1e-4);
    }
    surface->ObjectState = kStateShown;
  }
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


// A circular pipe of radius 1 round a closed bend of slightly uneven control points: every sample of the
// pipe lies 1 from the path's curve (both evaluated in double by our own means) within 1 %.
TEST_F(SurfaceCommandsTest, ACircularPipeKeepsItsRadiusRoundBends) {
  std::vector<Vector3> path;
  const double radii[] = {10, 9.8, 10.2, 10, 9.9, 10.1, 10, 9.8};
  for (int k = 0; k < 8; ++k) {
    const double a = k * std::numbers::pi / 4;
    path.push_back({static_cast<float>(radii[k] * std::cos(a)), static_cast<float>(radii[k] * std::sin(a)), 0});
  }
  CCurveObject* curve = AddCurve(path);
  curve->closed = 1;
  DoPipeSurface(3, 0, 1.0f);
  CSurfaceObject* pipe = LastSurface();
  ASSERT_NE(pipe, nullptr);
  // The path's curve, densely.
  std::vector<std::array<double, 3>> dense;
  for (int span = 0; span < 8; ++span) {
    for (int s = 0; s < 400; ++s) {
      const double t = s / 400.0;
      const double w[4] = {(1 - t) * (1 - t) * (1 - t) / 6, (3 * t * t * t - 6 * t * t + 4) / 6,
                           (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6, t * t * t / 6};
      std::array<double, 3> p{0, 0, 0};
      for (int k = 0; k < 4; ++k) {
        const Vector3& q = path[static_cast<std::size_t>((span + 7 + k) % 8)];
        p[0] += w[k] * q.x, p[1] += w[k] * q.y, p[2] += w[k] * q.z;
      }
      dense.push_back(p);
    }
  }
  const SurfaceReference surface(*pipe);
  double low = 1e9, high = 0;
  for (int a = 0; a < surface.SpansU() * 4; ++a) {
    for (int b = 0; b < surface.SpansV() * 4; ++b) {
      const SurfaceReference::Point q = surface.At(a / 4.0, b / 4.0);
      double d = 1e9;
      for (const auto& p : dense) d = std::min(d, std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]));
      low = std::min(low, d);
      high = std::max(high, d);
    }
  }
  EXPECT_GT(low, 0.99);
  EXPECT_LT(high, 1.01);
}

}  // namespace
