#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "curve_fixture.h"
#include "kernel/mesh_object.h"
#include "modelling/deform_tool.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/render_view.h"
#include "scene/tool_framework.h"
#include "services/layer_table.h"

namespace {

using D3 = std::array<double, 3>;
using D33 = std::array<D3, 3>;

// The mappings written out directly in double precision (1 - cos, pow, explicit rotations),
// independent of the tool's own forms.
D3 Reference(DeformKind kind, const DeformAxes& x, double k, const D3& p) {
  D3 out = p;
  const double a = p[x.a], t = p[x.b], c = p[x.c];
  const auto rotate = [&](int axis, double angle) {
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    out[u] = p[u] * std::cos(angle) - p[v] * std::sin(angle);
    out[v] = p[u] * std::sin(angle) + p[v] * std::cos(angle);
  };
  switch (kind) {
    case DeformKind::kBend:
      out[x.b] = (1 / k - a) * std::sin(k * t);
      out[x.a] = a + (1 / k - a) * (1 - std::cos(k * t));
      break;
    case DeformKind::kBendTwoSides: {
      const double rho = std::sqrt(t * t + c * c);
      const double along = (1 / k - a) * std::sin(k * rho);
      out[x.b] = rho == 0 ? 0 : along * t / rho;
      out[x.c] = rho == 0 ? 0 : along * c / rho;
      out[x.a] = a + (1 / k - a) * (1 - std::cos(k * rho));
      break;
    }
    case DeformKind::kTaper:
      out[x.a] = a * (1 + k * t);
      break;
    case DeformKind::kTaperTwoSides:
      out[x.a] = a * (1 + k * t);
      out[x.c] = c * (1 + k * t);
      break;
    case DeformKind::kScaledTaper:
    case DeformKind::kScaledTaperTwoSides: {
      const double s = std::pow(1 + k, t);
      out[x.a] = a * s;
      out[x.b] = (s - 1) / k;
      if (kind == DeformKind::kScaledTaperTwoSides) out[x.c] = c * s;
      break;
    }
    case DeformKind::kSkew:
      out[x.a] = a + k * t;
      break;
    case DeformKind::kSkewTwoSides:
      out[x.a] = a + k * t;
      out[x.c] = c + k * t;
      break;
    case DeformKind::kTwist:
      rotate(x.b, k * t);
      break;
    case DeformKind::kSkewTwist:
      out[x.a] = a + k * t * c;
      break;
    case DeformKind::kWhirl:
      rotate(x.c, k * std::sqrt(a * a + t * t));
      break;
  }
  return out;
}

D3 Mapped(DeformKind kind, const DeformAxes& axes, double k, const D3& p) {
  const float in[3] = {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
  float out[3] = {in[0], in[1], in[2]};
  DeformPoint(kind, axes, k, in, out);
  return {out[0], out[1], out[2]};
}

// Axes as the tool derives them from A and C.
DeformAxes AxesFor(int a, int c) {
  const int v = (c + 1) % 3;
  return a == v ? DeformAxes{a, (c + 2) % 3, c, 1} : DeformAxes{a, v, c, -1};
}

const std::array<DeformKind, kDeformKindCount> kKinds = {
    DeformKind::kBend,       DeformKind::kBendTwoSides,        DeformKind::kTaper, DeformKind::kTaperTwoSides,
    DeformKind::kScaledTaper, DeformKind::kScaledTaperTwoSides, DeformKind::kSkew,  DeformKind::kSkewTwoSides,
    DeformKind::kTwist,      DeformKind::kSkewTwist,           DeformKind::kWhirl};

TEST(DeformMappingTest, EveryKindMatchesTheDoubleReferenceOnRandomPointsAndAxes) {
  std::mt19937 random(30);
  std::uniform_real_distribution<double> coordinate(-6, 6);
  std::uniform_real_distribution<double> amount(-0.2, 0.2);
  for (const DeformKind kind : kKinds) {
    for (int trial = 0; trial < 200; ++trial) {
      const int c = trial % 3;
      const DeformAxes axes = AxesFor((c + 1 + trial / 3 % 2) % 3, c);
      const double k = amount(random);
      const D3 p = {coordinate(random), coordinate(random), coordinate(random)};
      const D3 pf = {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
      const D3 expected = Reference(kind, axes, k, pf);
      const D3 actual = Mapped(kind, axes, k, pf);
      for (int i = 0; i < 3; ++i) {
        ASSERT_NEAR(actual[i], expected[i], 2e-5 * (1 + std::fabs(expected[i])))
            << "kind " << static_cast<int>(kind) << " trial " << trial;
      }
    }
  }
}

TEST(DeformMappingTest, EdgeCasesOfTheMappings) {
  const DeformAxes axes{0, 1, 2, 1};
  const double k = 0.25;
  // A quarter circle of radius 1/k.
  D3 bent = Mapped(DeformKind::kBend, axes, k, {0, std::numbers::pi / (2 * k), 0.5});
  EXPECT_NEAR(bent[0], 1 / k, 1e-5);
  EXPECT_NEAR(bent[1], 1 / k, 1e-5);
  EXPECT_FLOAT_EQ(bent[2], 0.5);
  // Taper: the axis at t = 0 stays, and A collapses at t = -1/k.
  EXPECT_EQ(Mapped(DeformKind::kTaper, axes, k, {3, 0, 1}), (D3{3, 0, 1}));
  EXPECT_NEAR(Mapped(DeformKind::kTaper, axes, k, {3, -1 / k, 1})[0], 0, 1e-6);
  // A small scaled taper tends to out[B] = t with no cancellation.
  EXPECT_NEAR(Mapped(DeformKind::kScaledTaper, axes, 1e-7, {2, 3.5, 0})[1], 3.5, 1e-6);
  // Whirl keeps the points of axis C, Twist those of axis B.
  EXPECT_EQ(Mapped(DeformKind::kWhirl, axes, 0.7, {0, 0, 4}), (D3{0, 0, 4}));
  EXPECT_EQ(Mapped(DeformKind::kTwist, axes, 0.7, {0, 4, 0}), (D3{0, 4, 0}));
}

// The orthogonal factor of J by the averaging iteration R := (R + R^-T) / 2.
D33 PolarRotation(D33 r) {
  for (int iteration = 0; iteration < 30; ++iteration) {
    const double det = r[0][0] * (r[1][1] * r[2][2] - r[1][2] * r[2][1]) -
                       r[0][1] * (r[1][0] * r[2][2] - r[1][2] * r[2][0]) +
                       r[0][2] * (r[1][0] * r[2][1] - r[1][1] * r[2][0]);
    D33 inverseTransposed;
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        const int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
        inverseTransposed[i][j] = (r[i1][j1] * r[i2][j2] - r[i1][j2] * r[i2][j1]) / det;
      }
    }
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) r[i][j] = (r[i][j] + inverseTransposed[i][j]) / 2;
    }
  }
  return r;
}

TEST(DeformMappingTest, FramesTurnWithTheLocalRotationOfTheMappingOrOnlyMove) {
  // A frame turned 30 degrees about z and then about x, at an origin off every axis.
  const double s = 0.5, q = std::sqrt(3.0) / 2;
  Matrix4 frame = kIdentityMatrix;
  const D33 axesRows = {D3{q, s * q, s * s}, D3{-s, q * q, q * s}, D3{0, -s, q}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) frame.at(i, j) = static_cast<float>(axesRows[i][j]);
  }
  const D3 origin = {0.0, 2.5, 1.5};
  for (int j = 0; j < 3; ++j) frame.at(3, j) = static_cast<float>(origin[j]);
  const double k = 0.2;
  for (const DeformAxes& axes : {DeformAxes{0, 1, 2, 1}, DeformAxes{1, 0, 2, -1}, DeformAxes{2, 0, 1, 1}}) {
    for (const DeformKind kind : kKinds) {
      SCOPED_TRACE(static_cast<int>(kind));
      const Matrix4 mapped = DeformFrame(kind, axes, k, frame);
      const D3 movedOrigin = Reference(kind, axes, k, origin);
      for (int j = 0; j < 3; ++j) EXPECT_NEAR(mapped.at(3, j), movedOrigin[j], 1e-5);
      D33 expected = axesRows;
      if (kind == DeformKind::kBend || kind == DeformKind::kBendTwoSides) {
        // Columns of the Jacobian by central differences, then its rotation part.
        D33 jacobian;
        const double h = 1e-5;
        for (int col = 0; col < 3; ++col) {
          D3 plus = origin, minus = origin;
          plus[col] += h;
          minus[col] -= h;
          const D3 a = Reference(kind, axes, k, plus), b = Reference(kind, axes, k, minus);
          for (int row = 0; row < 3; ++row) jacobian[row][col] = (a[row] - b[row]) / (2 * h);
        }
        const D33 rotation = PolarRotation(jacobian);
        for (int i = 0; i < 3; ++i) {
          for (int row = 0; row < 3; ++row) {
            expected[i][row] = 0;
            for (int col = 0; col < 3; ++col) expected[i][row] += rotation[row][col] * axesRows[i][col];
          }
        }
      } else if (kind == DeformKind::kWhirl) {
        const double angle = k * std::hypot(origin[axes.a], origin[axes.b]);
        for (int i = 0; i < 3; ++i) {
          const Matrix4 turn = MakeAxisRotationMatrix(angle, axes.c);
          for (int j = 0; j < 3; ++j) {
            expected[i][j] = 0;
            for (int m = 0; m < 3; ++m) expected[i][j] += axesRows[i][m] * turn.at(m, j);
          }
        }
      }
      for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(mapped.at(i, j), expected[i][j], 1e-4) << i << "," << j;
      }
    }
  }
}

TEST(DeformMappingTest, AmountRulesJumpAtTheirSensitivityLimits) {
  const struct {
    DeformKind kind;
    double sensitivity;
    double expected;  // for a drag of 2 units
  } cases[] = {
      {DeformKind::kBend, 10, 2 * 100 * 0.0005},         {DeformKind::kBend, 10.01, 2 * 100 * 0.0005},
      {DeformKind::kBend, 3, 2 * 9 * 0.0005},            {DeformKind::kSkew, 64, 2 * 4096 * 0.005},
      {DeformKind::kSkew, 64.01, 2 * 64.01 * 0.005},     {DeformKind::kTwist, 64.01, 2 * 64.01 * 0.005},
      {DeformKind::kTaper, 64, 2 * 4096 * 0.0005},       {DeformKind::kTaper, 64.01, 2 * 64.01 * 0.0005},
      {DeformKind::kWhirl, 64.01, 2 * 64.01 * 0.0005},   {DeformKind::kSkewTwist, 2, 2 * 4 * 0.0005},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(DeformAmount(c.kind, 2, c.sensitivity), c.expected)
        << static_cast<int>(c.kind) << " at " << c.sensitivity;
  }
}

// A front view of ten pixels per unit, grid unit 0.1 (sensitivity 5), a selected concave mesh
// of random points and the pick tool current.
class DeformToolTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    view.gridUnit = 0.1f;
    std::mt19937 random(6000);
    std::uniform_real_distribution<float> coordinate(-4, 4);
    std::vector<Vector3> points;
    for (int i = 0; i < 40; ++i) points.push_back({coordinate(random), coordinate(random), coordinate(random)});
    auto object = std::make_unique<CMeshObject>();
    object->SetPoints(static_cast<int>(points.size()), points);
    object->SetFaces({3, 4}, {0, 1, 2, 3, 4, 5, 6});
    mesh = AddObject(object, 1);
    original = mesh->points;
    ResetToPickTool();
    document.Clear();
  }

  // A left drag from one model point to another through a point a third of the way.
  void Drag(Vector3 from, Vector3 to, bool release = true) {
    view.OnLButtonDown(kMouseLeftButton, PixelX(from.x), PixelY(from.y));
    const Vector3 third = VecAdd(from, VecScale(VecSub(to, from), 1.0f / 3));
    view.OnMouseMove(kMouseLeftButton, PixelX(third.x), PixelY(third.y));
    view.OnMouseMove(kMouseLeftButton, PixelX(to.x), PixelY(to.y));
    if (release) view.OnLButtonUp(0, PixelX(to.x), PixelY(to.y));
  }

  CDeformTool* Tool() { return dynamic_cast<CDeformTool*>(GetTool(1)); }

  // The points the tool's mapping gives the original points.
  std::vector<Vector3> Expected(DeformKind kind) {
    std::vector<Vector3> expected;
    for (const Vector3 p : original) {
      const D3 q = Mapped(kind, Tool()->Axes(), Tool()->amount, {p.x, p.y, p.z});
      expected.push_back({static_cast<float>(q[0]), static_cast<float>(q[1]), static_cast<float>(q[2])});
    }
    return expected;
  }

  void ExpectAllFinite() const {
    for (CGeomObject* object : Objects()) {
      for (const Vector3 p : static_cast<CPointSetObject*>(object)->points) ASSERT_TRUE(IsFiniteVector(p));
    }
  }

  CMeshObject* mesh = nullptr;
  std::vector<Vector3> original;
};

TEST_F(DeformToolTest, FirstLockedDragChoosesTheAxisAndLaterDragsAddToTheAmount) {
  CreateBendTool();
  ASSERT_NE(Tool(), nullptr);
  EXPECT_EQ(Tool()->GetCursorId(), 6000);
  EXPECT_EQ(Headless().statusTexts.back(), "Bending...          0");

  // Less than two grid units: never locks, the amount stays.
  Drag({1, 1, 0}, {1.1f, 1.1f, 0});
  EXPECT_EQ(Tool()->axisA, -1);
  EXPECT_EQ(Tool()->amount, 0.0f);
  EXPECT_EQ(mesh->points, original);

  Drag({1, 1, 0}, {5, 1, 0}, false);
  EXPECT_EQ(DragRedrawFlag, 1);
  view.OnLButtonUp(0, PixelX(5), PixelY(1));
  EXPECT_EQ(DragRedrawFlag, 0);
  EXPECT_EQ(Tool()->axisA, 0);
  EXPECT_EQ(Tool()->axisB, 1);
  EXPECT_EQ(Tool()->axisC, 2);
  EXPECT_EQ(Tool()->sigma, 1);
  const float first = static_cast<float>(DeformAmount(DeformKind::kBend, 4, 5));
  EXPECT_FLOAT_EQ(Tool()->amount, first);
  EXPECT_EQ(Headless().statusTexts.back(), "Bending...       0.05");
  const std::vector<Vector3> expected = Expected(DeformKind::kBend);
  for (std::size_t i = 0; i < original.size(); ++i) ExpectNear(mesh->points[i], expected[i]);

  // The second drag, along y this time, is still read along x.
  Drag({0, 0, 0}, {4, 3, 0});
  EXPECT_EQ(Tool()->axisA, 0);
  EXPECT_FLOAT_EQ(Tool()->amount, 2 * first);
}

TEST_F(DeformToolTest, PickedPointsMoveAloneAndNonDeformableObjectsRideOnTheirFrames) {
  CCurveObject* curve = AddCurve({{0, 4, 0}, {2, 4, 0}, {4, 4, 0}}, kStateShown);
  curve->marks = {0, 1, 0};
  CCurveObject* hiddenPick = AddCurve({{0, 6, 0}, {2, 6, 0}}, kStateShown);
  hiddenPick->marks = {1, 1};
  hiddenPick->layer = 5;
  LayerTable[5].visible = 0;
  auto rigid = std::make_unique<CMeshObject>();
  rigid->SetPoints(3, {{1, 2, 0}, {3, 2, 1}, {2, 5, -1}});
  rigid->orientation.at(3, 1) = 3.0f;
  auto* stiff = AddObject(rigid, 1);
  stiff->flags |= kFlagNoDeform;
  const std::vector<Vector3> stiffBefore = stiff->points;
  const std::vector<Vector3> curveBefore = curve->points;
  document.Clear();

  CreateBendTool();
  Drag({0, 0, 0}, {8, 0, 0});
  ASSERT_NE(Tool()->amount, 0.0f);
  EXPECT_EQ(curve->points[0], curveBefore[0]);
  EXPECT_EQ(curve->points[2], curveBefore[2]);
  EXPECT_NE(curve->points[1], curveBefore[1]);
  EXPECT_EQ(hiddenPick->points, (std::vector<Vector3>{{0, 6, 0}, {2, 6, 0}}));
  // The rigid mesh: the same shape, carried by its frame's bend (rotated and moved).
  const Matrix4 frame = stiff->orientation;
  EXPECT_NE(frame.at(0, 1), 0.0f);
  const Matrix4 motion = MatMultiply(MatInverse([] {
                                       Matrix4 m = kIdentityMatrix;
                                       m.at(3, 1) = 3.0f;
                                       return m;
                                     }()),
                                     frame);
  for (std::size_t i = 0; i < stiffBefore.size(); ++i) ExpectNear(stiff->points[i], TransformPoint(stiffBefore[i], motion));
  const auto length = [](Vector3 a, Vector3 b) { return std::sqrt(VecDot(VecSub(a, b), VecSub(a, b))); };
  EXPECT_NEAR(length(stiff->points[0], stiff->points[2]), length(stiffBefore[0], stiffBefore[2]), 1e-5);
}

TEST_F(DeformToolTest, UndoInsideTheToolRestoresAndThenNothingIsRecorded) {
  CreateBendTool();
  Drag({0, 0, 0}, {6, 0, 0});
  ASSERT_NE(mesh->points, original);
  UndoWithCurrentTool();
  EXPECT_EQ(mesh->points, original);
  EXPECT_EQ(Headless().statusTexts.back(), "Deforming has been UN-done!");
  RedoWithCurrentTool();
  EXPECT_NE(mesh->points, original);
  EXPECT_EQ(Headless().statusTexts.back(), "Deforming has been RE-done!");
  UndoWithCurrentTool();
  ResetToPickTool();
  EXPECT_EQ(UndoSteps(), 0);
  EXPECT_EQ(mesh->points, original);
}

TEST_F(DeformToolTest, EveryKindCommitsOneStepThatOneUndoTakesBack) {
  const std::vector<void (*)()> workers = {
      &CreateBendTool,        &OnDeformBendTwoSides, &OnDeformTaper, &OnDeformTaperTwoSides,
      &OnDeformScaledTaper,   &OnDeformScaledTaperTwoSides, &OnDeformSkew, &OnDeformSkewTwoSides,
      &OnDeformTwist,         &OnDeformSkewTwist,    &OnDeformWhirl};
  for (int kind = 0; kind < kDeformKindCount; ++kind) {
    SCOPED_TRACE(kind);
    document.Clear();
    workers[kind]();
    ASSERT_EQ(Tool()->GetCursorId(), 6000 + kind);
    Drag({0, -1, 0}, {0, 5, 0});
    ASSERT_EQ(Tool()->axisA, 1);
    const std::vector<Vector3> expected = Expected(kKinds[kind]);
    ResetToPickTool();
    // The commit ran in the kind's destructor: the deformation stays and is one step.
    for (std::size_t i = 0; i < original.size(); ++i) ExpectNear(mesh->points[i], expected[i], 1e-4f);
    EXPECT_EQ(UndoSteps(), 1);
    UndoCommand();
    EXPECT_EQ(mesh->points, original);
  }
}

TEST_F(DeformToolTest, FarScaledTaperStaysFiniteAndReplacingMidDragClearsTheFlag) {
  view.gridUnit = 0.005f;  // sensitivity 100: a short drag moves the amount far
  // Each drag adds -0.9; the base 1 + k stays above 0.
  OnDeformScaledTaper();
  for (int drag = 0; drag < 2; ++drag) Drag({0, 9, 0}, {0, -9, 0});
  EXPECT_FLOAT_EQ(Tool()->amount, -0.999f);
  ExpectAllFinite();
  UndoWithCurrentTool();
  // Far along the taper (1 + k)^t leaves the float range: that move is refused.
  AddCurve({{30, 0, 0}, {-30, 0, 0}});
  OnDeformScaledTaperTwoSides();
  for (int drag = 0; drag < 2; ++drag) Drag({0, 9, 0}, {0, -9, 0});
  EXPECT_FLOAT_EQ(Tool()->amount, -0.9f);
  ExpectAllFinite();
  OnDeformTwist();
  Drag({0, 0, 0}, {4, 0, 0}, false);
  ASSERT_EQ(DragRedrawFlag, 1);
  OnDeformWhirl();
  EXPECT_EQ(DragRedrawFlag, 0);
}

}  // namespace
