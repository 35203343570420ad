#include "modelling/surface_offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

#include "kernel/mesh_object.h"
#include "modelling/surface_commands.h"
#include "surface_reference.h"
#include "surface_fixture.h"

namespace {

using SurfaceOffsetTest = SurfaceTest;

std::vector<CSurfaceObject*> SelectedSurfaces() {
  std::vector<CSurfaceObject*> surfaces;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, kKindSurface)) {
    surfaces.push_back(static_cast<CSurfaceObject*>(object));
  }
  return surfaces;
}

CSurfaceObject* LastSurfaceOf() {
  CSurfaceObject* last = nullptr;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, kKindSurface)) last = static_cast<CSurfaceObject*>(object);
  return last;
}

const std::vector<Vector3> kFlat = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}};

TEST_F(SurfaceOffsetTest, OutsideFollowsTheOrientation) {
  for (const int sign : {1, -1}) {
    ResetProgramState();
    SetUp();
    CSurfaceObject* source = AddSurface(2, 2, kFlat);
    source->orientationSign = sign;
    DoOffsetSurface(1.0f, 1);
    const std::vector<CSurfaceObject*> selected = SelectedSurfaces();
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0], source);
    EXPECT_EQ(source->points, kFlat);
    for (std::size_t i = 0; i < kFlat.size(); ++i) {
      ExpectNear(selected[1]->points[i], {kFlat[i].x, kFlat[i].y, static_cast<float>(sign)});
    }
  }
}

// The sphere, the cylinder, a torus band and a seeded free-form sheet, offset both sides: every
// sample of each copy lies the asked distance from the original surface, measured in double by
// an evaluation of our own, within 1 %; the sphere's poles included.
TEST_F(SurfaceOffsetTest, BothSidesLieTheAskedDistanceFromTheSurface) {
  const auto torus = [] {
    std::vector<Vector3> grid;
    const double b = 3 / (2 + std::cos(std::numbers::pi / 4));
    for (int r = 0; r < 8; ++r) {
      const double phi = r * std::numbers::pi / 4;
      for (int c = 0; c < 8; ++c) {
        const double psi = c * std::numbers::pi / 4;
        const double radius = b * (4 + b * std::cos(psi));
        grid.push_back({static_cast<float>(radius * std::cos(phi)), static_cast<float>(radius * std::sin(phi)),
                        static_cast<float>(b * std::sin(psi))});
      }
    }
    return grid;
  };
  const auto freeForm = [] {
    std::mt19937 random(4431);
    std::uniform_real_distribution<float> bump(-0.15f, 0.15f);
    std::vector<Vector3> grid;
    for (int r = 0; r < 6; ++r) {
      for (int c = 0; c < 7; ++c) {
        grid.push_back({2.0f * r, 2.0f * c, 0.8f * std::sin(0.5f * r) * std::cos(0.4f * c) + bump(random)});
      }
    }
    return grid;
  };
  struct Case {
    const char* name;
    std::function<CSurfaceObject*()> make;
    float distance;
  };
  const Case cases[] = {
      {"sphere", [] { MakeSphereSurface(); return LastSurfaceOf(); }, 0.5f},
      {"cylinder", [] { MakeCylinderSurface(); return LastSurfaceOf(); }, 0.5f},
      {"torus band",
       [&] {
         CSurfaceObject* s = AddSurface(8, 8, torus());
         s->closedU = s->closedV = 1;
         return s;
       },
       0.3f},
      {"free-form", [&] { return AddSurface(6, 7, freeForm()); }, 0.4f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    CSurfaceObject* source = c.make();
    ASSERT_NE(source, nullptr);
    source->ObjectState = kStateSelected;
    DoOffsetSurface(c.distance, 0);
    const std::vector<CSurfaceObject*> selected = SelectedSurfaces();
    ASSERT_EQ(selected.size(), 3u);
    const SurfaceReference original(*source);
    for (const CSurfaceObject* copy : {selected[1], selected[2]}) {
      const SurfaceReference offset(*copy);
      double low = 1e9, high = 0;
      for (int a = 0; a <= offset.SpansU() * 4; ++a) {
        for (int b = 0; b <= offset.SpansV() * 4; ++b) {
          const double d = original.Distance(offset.At(a / 4.0, b / 4.0));
          low = std::min(low, d);
          high = std::max(high, d);
        }
      }
      EXPECT_GT(low, 0.99 * c.distance);
      EXPECT_LT(high, 1.01 * c.distance);
    }
  }
}

// A pole row: it moves as one point, away from the surface, and the offset stays finite.
TEST_F(SurfaceOffsetTest, ACollapsedRowMovesAsOnePoint) {
  std::vector<Vector3> grid = {{0, 0, 2}, {0, 0, 2}, {0, 0, 2}, {1, 0, 1}, {0, 1, 1}, {-1, 0, 1},
                               {2, 0, 0}, {0, 2, 0}, {-2, 0, 0}};
  const CSurfaceObject* source = AddSurface(3, 3, grid);
  const std::vector<Vector3> moved = OffsetSurfacePoints(*source, 0.5f);
  ASSERT_EQ(moved.size(), grid.size());
  for (const Vector3& p : moved) EXPECT_TRUE(IsFiniteVector(p));
  EXPECT_EQ(moved[0], moved[1]);
  EXPECT_EQ(moved[1], moved[2]);
}

TEST_F(SurfaceOffsetTest, CurvesMeshesAndSingleColumnSurfacesAreIgnored) {
  AddCurve({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  auto mesh = std::make_unique<CMeshObject>();
  AddObject(mesh, 1);
  auto thin = std::make_unique<CSurfaceObject>();
  thin->rows = 3;
  thin->columns = 1;
  thin->SetPoints(3, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
  AddObject(thin, 1);
  const std::size_t before = Objects().size();
  DoOffsetSurface(1.0f, 0);
  EXPECT_EQ(Objects().size(), before);
}

}  // namespace
