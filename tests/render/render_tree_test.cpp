#include "render/render_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "gem_library_file.h"
#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "mesh_fixtures.h"
#include "platform/program_folder.h"
#include "render/material.h"
#include "render/render_node.h"
#include "render/render_state.h"
#include "scan_fixtures.h"
#include "scene_fixture.h"
#include "services/layer_table.h"
#include "temp_dir.h"

namespace {

std::unique_ptr<CBooleanObject> GroupOf(int operation, std::vector<std::unique_ptr<CGeomObject>> members) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(operation);
  for (auto& member : members) group->members.Append(std::move(member));
  return group;
}

template <class T>
std::vector<std::unique_ptr<CGeomObject>> Members(std::unique_ptr<T> a, std::unique_ptr<CGeomObject> b = nullptr,
                                                  std::unique_ptr<CGeomObject> c = nullptr) {
  std::vector<std::unique_ptr<CGeomObject>> out;
  out.push_back(std::move(a));
  if (b) out.push_back(std::move(b));
  if (c) out.push_back(std::move(c));
  return out;
}

// The depths of the crossings at each listed pixel, nearest first.
using Expected = std::vector<std::pair<std::pair<int, int>, std::vector<float>>>;

class RenderTreeTest : public SceneTest {
 public:
  void SetUp() override {
    SceneTest::SetUp();
    ShadingMode = 2;
    SetProgramDirOverride(folder.path());
  }

  // Makes the objects the gem library, prototype 0 first.
  void WriteGemLibrary(std::vector<std::unique_ptr<CGeomObject>> prototypes) {
    WriteGemLibraryFile(folder.File(kGemLibraryFileName), std::move(prototypes));
    GemLibrary.Load();
  }

  template <class T>
  T* Add(std::unique_ptr<T> object, int state = 0) {
    T* added = AddObject(object, 1);
    added->ObjectState = state;
    return added;
  }

  // Builds the design's tree and scans a 20 x 20 raster; the tree counts once while alive.
  PixelLists Scan() {
    CRenderNode* root = BuildRenderTree(kIdentityMatrix, 0);
    EXPECT_EQ(RenderNestingCount, 1);
    PixelLists lists = ScanTree(root, 0, 19, 0, 29);
    ReleaseRenderTree(nullptr);
    EXPECT_EQ(RenderNestingCount, 0);
    return lists;
  }

  TempDir folder;
};

// An intersection of a box and a jewel box that overlap in columns 7 to 10.
std::unique_ptr<CBooleanObject> IntersectionWithJewel() {
  auto jewel = BoxMesh({6.5f, 0.5f, 2.0f}, {14.5f, 18.5f, 4.0f});
  jewel->jewel = 1;
  return GroupOf(kBooleanIntersection, Members(BoxMesh({0.5f, 0.5f, 0.0f}, {10.5f, 18.5f, 10.0f}), std::move(jewel)));
}

// A whole box [0, 20) with a gap at column 19 for "outside".
const Vector3 kSolidLo{0.5f, 0.5f, 0.0f};
const Vector3 kSolidHi{18.5f, 18.5f, 10.0f};

TEST_F(RenderTreeTest, ComposesTheVisibleDesign) {
  struct Case {
    const char* name;
    std::function<void(RenderTreeTest&)> build;
    Expected pixels;
  };
  const std::vector<Case> cases = {
      {"a super subtractor alone shows nothing",
       [](RenderTreeTest& t) { t.Add(BoxMesh(kSolidLo, kSolidHi))->subtractor = 1; },
       {{{5, 5}, {}}}},
      {"a jewel inside a cut solid stays whole",
       [](RenderTreeTest& t) {
         t.Add(BoxMesh(kSolidLo, kSolidHi));
         t.Add(BoxMesh({0.0f, 0.0f, -1.0f}, {10.0f, 19.0f, 11.0f}))->subtractor = 1;
         t.Add(BoxMesh({2.5f, 2.5f, 4.0f}, {6.5f, 6.5f, 6.0f}))->jewel = 1;
       },
       {{{4, 4}, {6.0f, 4.0f}}, {{4, 8}, {}}, {{4, 14}, {10.0f, 0.0f}}}},
      {"hidden, deleted and hidden-layer objects take no part; a selected one does",
       [](RenderTreeTest& t) {
         t.Add(BoxMesh(kSolidLo, kSolidHi), 2);
         t.Add(BoxMesh(kSolidLo, kSolidHi), 3);
         t.Add(BoxMesh(kSolidLo, kSolidHi), -1);
         t.Add(BoxMesh(kSolidLo, kSolidHi))->layer = 4;
         LayerTable[4].visible = 0;
         t.Add(BoxMesh({0.5f, 0.5f, 1.0f}, {4.5f, 4.5f, 2.0f}), 1);
       },
       {{{2, 2}, {2.0f, 1.0f}}, {{8, 8}, {}}}},
      {"a subtraction whose body is hidden gives nothing",
       [](RenderTreeTest& t) {
         auto body = BoxMesh(kSolidLo, kSolidHi);
         body->ObjectState = 2;
         t.Add(GroupOf(kBooleanSubtraction, Members(std::move(body), BoxMesh({2, 2, -1}, {6, 6, 11}))));
         t.Add(BoxMesh({10.5f, 10.5f, 1.0f}, {12.5f, 12.5f, 2.0f}));
       },
       {{{11, 11}, {2.0f, 1.0f}}, {{8, 8}, {}}}},
      {"two cutters both cut the body",
       [](RenderTreeTest& t) {
         t.Add(GroupOf(kBooleanSubtraction, Members(BoxMesh(kSolidLo, kSolidHi), BoxMesh({2, 2, -1}, {6, 6, 11}),
                                                    BoxMesh({12, 12, -1}, {16, 16, 11}))));
       },
       {{{4, 4}, {}}, {{14, 14}, {}}, {{4, 14}, {10.0f, 0.0f}}, {{14, 4}, {10.0f, 0.0f}}}},
      {"a jewel member of a plain group escapes the super subtractor",
       [](RenderTreeTest& t) {
         auto jewel = BoxMesh({2.5f, 2.5f, 4.0f}, {6.5f, 6.5f, 6.0f});
         jewel->jewel = 1;
         t.Add(GroupOf(kBooleanUnion, Members(BoxMesh({10.5f, 0.5f, 0.0f}, {18.5f, 18.5f, 10.0f}), std::move(jewel))));
         t.Add(BoxMesh({0.0f, 0.0f, -1.0f}, {19.0f, 19.0f, 11.0f}))->subtractor = 1;
       },
       {{{4, 4}, {6.0f, 4.0f}}, {{4, 14}, {}}}},
      {"a jewel member of a plain group leaves it at the top level",
       [](RenderTreeTest& t) { t.Add(IntersectionWithJewel()); },
       {{{5, 3}, {10.0f, 0.0f}}, {{5, 8}, {10.0f, 0.0f}}, {{5, 12}, {4.0f, 2.0f}}}},
      {"a jewel member stays in its group inside a gem",
       [](RenderTreeTest& t) {
         std::vector<std::unique_ptr<CGeomObject>> library;
         library.push_back(IntersectionWithJewel());
         t.WriteGemLibrary(std::move(library));
         t.Add(std::make_unique<CGemObject>());
       },
       {{{5, 3}, {}}, {{5, 8}, {4.0f, 2.0f}}, {{5, 12}, {}}}},
      {"a super subtractor member of a group cuts the whole design",
       [](RenderTreeTest& t) {
         auto cutter = BoxMesh({0.0f, 0.0f, -1.0f}, {10.0f, 19.0f, 11.0f});
         cutter->subtractor = 1;
         t.Add(GroupOf(kBooleanUnion, Members(BoxMesh({12.5f, 0.5f, 0.0f}, {18.5f, 18.5f, 2.0f}), std::move(cutter))));
         t.Add(BoxMesh(kSolidLo, {18.5f, 18.5f, 1.0f}));
       },
       {{{4, 4}, {}}, {{4, 14}, {2.0f, 0.0f}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.build(*this);
    const PixelLists lists = Scan();
    for (const auto& [pixel, depths] : c.pixels) {
      std::vector<float> got;
      const auto it = lists.find(pixel);
      if (it != lists.end()) {
        for (const Crossing& crossing : it->second) got.push_back(crossing.depth);
      }
      EXPECT_EQ(got, depths) << "row " << pixel.first << " column " << pixel.second;
    }
  }
}

TEST_F(RenderTreeTest, ObjectsThatEncloseNothingGiveNoNodes) {
  CSurfaceObject thin;
  thin.rows = 1;
  thin.columns = 4;
  thin.points.assign(4, Vector3{1, 2, 3});
  CMeshObject faceless;
  faceless.SetPoints(3, {{0, 0, 0}, {5, 0, 0}, {0, 5, 0}});
  CCurveObject curve;
  curve.SetPoints(2, {{0, 0, 0}, {5, 5, 0}});
  for (CGeomObject* object : std::vector<CGeomObject*>{&thin, &faceless, &curve}) {
    for (const std::int16_t mode : {0, 2}) {
      ShadingMode = mode;
      EXPECT_EQ(BuildRenderNodes(object, kIdentityMatrix, 0), nullptr) << object->GetKind();
    }
  }
  ReleaseRenderTree(BuildRenderTree(kIdentityMatrix, 0));
  EXPECT_EQ(RenderNestingCount, 0);
}

TEST_F(RenderTreeTest, AGroupsMaterialReachesItsMembers) {
  ShadingMode = 1;
  auto member = BoxMesh(kSolidLo, kSolidHi);
  member->mappingKind = 1;
  auto group = GroupOf(kBooleanUnion, Members(std::move(member)));
  static const std::string kName = "no such material";
  group->materialName = &kName;
  group->mappingKind = 3;
  group->mappingFrame = kIdentityMatrix;
  group->mappingFrame[12] = 5.0f;
  CRenderNode* node = BuildRenderNodes(group.get(), kIdentityMatrix, 0);
  ASSERT_NE(node, nullptr);
  ASSERT_NE(node->material, nullptr);
  EXPECT_EQ(node->material->mappingKind, 3);
  EXPECT_FLOAT_EQ(node->material->mappingMatrix[12], -5.0f);
  ++RenderNestingCount;
  ReleaseRenderTree(node);

  // Without a group name the member keeps its own mapping.
  group->materialName = nullptr;
  node = BuildRenderNodes(group.get(), kIdentityMatrix, 0);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->material->mappingKind, 1);
  ++RenderNestingCount;
  ReleaseRenderTree(node);
}

// A tube around an axis at 45 degrees to the view, closed around and open along the axis, so
// rays near its ends pass through a cap and a wall.
struct Tube {
  Vector3 centre{15.0f, 10.0f, 20.0f};
  float halfLength = 6.0f;
  // Eight control points at this radius give a curve of very nearly radius 7.
  float controlRadius = 7.0f / 0.9018f;

  std::unique_ptr<CSurfaceObject> Surface(bool reversed) const {
    const float k = std::numbers::sqrt2_v<float> / 2;
    std::vector<Vector3> grid;
    for (int i = 0; i < 4; ++i) {
      const float s = -halfLength + 2 * halfLength * i / 3;
      for (int j = 0; j < 8; ++j) {
        const double phi = (reversed ? -1 : 1) * 2 * std::numbers::pi * j / 8;
        const float c = static_cast<float>(std::cos(phi)) * controlRadius;
        const float n = static_cast<float>(std::sin(phi)) * controlRadius;
        grid.push_back({centre.x + s * k - n * k, centre.y + c, centre.z + s * k + n * k});
      }
    }
    auto surface = std::make_unique<CSurfaceObject>();
    EXPECT_TRUE(surface->SetGrid(4, 8, grid));
    surface->closedV = 1;
    return surface;
  }

  // Where the pixel lies against the outline, in double precision: below 1 inside, above
  // outside. The outline sweeps the end ellipse along the axis.
  double Measure(int row, int column) const {
    const double k = std::numbers::sqrt2 / 2, r = 7.0;
    const double t = std::clamp(static_cast<double>(column), centre.x - halfLength * k, centre.x + halfLength * k);
    const double dx = (column - t) / (r * k), dy = (row - centre.y) / r;
    return dx * dx + dy * dy;
  }
};

TEST_F(RenderTreeTest, AGemLendsItsPrototypeItsMaterialNameOnlyWhileBuilding) {
  static const std::string kOwn = "own", kLent = "lent";
  auto prototype = BoxMesh(kSolidLo, kSolidHi);
  prototype->materialName = &kOwn;
  std::vector<std::unique_ptr<CGeomObject>> library;
  library.push_back(std::move(prototype));
  WriteGemLibrary(std::move(library));
  // The library reads the name into its pool.
  CGemObject gem;
  gem.materialName = &kLent;
  ShadingMode = 1;
  ++RenderNestingCount;
  ReleaseRenderTree(BuildRenderNodes(&gem, kIdentityMatrix, 0));
  const std::string* own = GemLibrary.Prototype(0)->materialName;
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(*own, kOwn);
}

// The attribute records of a primitive's vertices.
std::vector<VertexAttributes> AttributesOf(const CRenderNode* node) {
  std::vector<VertexAttributes> out;
  for (const PolygonVertex* v = node->Triangles(); v != nullptr; v = v->next) {
    if (v->attributes != nullptr) out.push_back(*v->attributes);
  }
  return out;
}

TEST_F(RenderTreeTest, SmoothMeshesBlendOnlyNearlyFlatNormals) {
  ShadingMode = 0;
  RenderProjection = kIdentityMatrix;
  // A box's corners blend three faces at right angles: every vertex keeps its face's normal.
  auto box = BoxMesh(kSolidLo, kSolidHi);
  box->flatShading = 0;
  CRenderNode* node = BuildRenderNodes(box.get(), kIdentityMatrix, 0);
  ASSERT_NE(node, nullptr);
  const std::vector<VertexAttributes> boxVertices = AttributesOf(node);
  EXPECT_EQ(boxVertices.size(), 36u);
  for (const VertexAttributes& a : boxVertices) {
    EXPECT_FLOAT_EQ(std::fabs(a.normal.x) + std::fabs(a.normal.y) + std::fabs(a.normal.z), 1.0f);
  }
  ++RenderNestingCount;
  ReleaseRenderTree(node);

  // A shallow pyramid's apex blends its four faces into the axis.
  CMeshObject pyramid;
  pyramid.SetPoints(5, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {5, 5, 1}});
  ASSERT_TRUE(pyramid.SetFaces({3, 3, 3, 3}, {0, 1, 4, 1, 2, 4, 2, 3, 4, 3, 0, 4}));
  pyramid.flatShading = 0;
  node = BuildRenderNodes(&pyramid, kIdentityMatrix, 0);
  ASSERT_NE(node, nullptr);
  int apexes = 0;
  for (const VertexAttributes& a : AttributesOf(node)) {
    if (a.position.z != 1.0f) continue;
    ++apexes;
    EXPECT_NEAR(a.normal.x, 0.0f, 1e-6f);
    EXPECT_NEAR(a.normal.y, 0.0f, 1e-6f);
    EXPECT_NEAR(a.normal.z, 1.0f, 1e-6f);
  }
  EXPECT_EQ(apexes, 4);
  ++RenderNestingCount;
  ReleaseRenderTree(node);
}

TEST_F(RenderTreeTest, CapsAreMappedOntoTheirDominantPlane) {
  ShadingMode = 1;
  RenderProjection = kIdentityMatrix;
  // A tube along the depth: its caps face along z, so u and v follow x and y.
  std::vector<Vector3> grid;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 8; ++j) {
      const double phi = 2 * std::numbers::pi * j / 8;
      grid.push_back({static_cast<float>(10 + 6 * std::cos(phi)), static_cast<float>(5 + 3 * std::sin(phi)),
                      2.0f * static_cast<float>(i)});
    }
  }
  CSurfaceObject tube;
  ASSERT_TRUE(tube.SetGrid(4, 8, grid));
  tube.closedV = 1;
  CRenderNode* root = BuildRenderNodes(&tube, kIdentityMatrix, 0);
  ASSERT_NE(root, nullptr);
  ASSERT_EQ(root->operation, CRenderNode::kUnionOfPieces);
  int caps = 0;
  for (const CRenderNode* piece = root->pendingChildren; piece != nullptr; piece = piece->next) {
    const std::vector<VertexAttributes> vertices = AttributesOf(piece);
    if (vertices.empty()) continue;  // the grid makes its triangles later
    ++caps;
    double lo[2] = {1e30, 1e30}, hi[2] = {-1e30, -1e30};
    for (const VertexAttributes& a : vertices) {
      lo[0] = std::min(lo[0], double{a.position.x}), hi[0] = std::max(hi[0], double{a.position.x});
      lo[1] = std::min(lo[1], double{a.position.y}), hi[1] = std::max(hi[1], double{a.position.y});
    }
    const double extent = std::max(hi[0] - lo[0], hi[1] - lo[1]);
    for (const VertexAttributes& a : vertices) {
      EXPECT_NEAR(a.u, (a.position.x - lo[0]) / extent, 1e-5);
      EXPECT_NEAR(a.v, (a.position.y - lo[1]) / extent, 1e-5);
      EXPECT_NEAR(std::fabs(a.normal.z), 1.0f, 1e-6f);
    }
  }
  EXPECT_EQ(caps, 2);
  ++RenderNestingCount;
  ReleaseRenderTree(root);
}

TEST_F(RenderTreeTest, AnOpenTubeIsASolidWithoutCracks) {
  const Tube tube;
  for (const bool reversed : {false, true}) {
    SCOPED_TRACE(reversed ? "wound the other way" : "wound one way");
    CSurfaceObject* surface = Add(tube.Surface(reversed));
    const PixelLists lists = Scan();
    for (int row = 0; row < 20; ++row) {
      for (int column = 0; column < 30; ++column) {
        const auto it = lists.find({row, column});
        const std::size_t count = it == lists.end() ? 0 : it->second.size();
        const double measure = tube.Measure(row, column);
        if (measure < 0.8) {
          EXPECT_EQ(count, 2u) << "inside at row " << row << " column " << column;
        }
        if (measure > 1.2) {
          EXPECT_EQ(count, 0u) << "outside at row " << row << " column " << column;
        }
        if (count == 2) {
          EXPECT_EQ(it->second[0].facing, -it->second[1].facing) << row << ", " << column;
        }
        EXPECT_TRUE(count == 0 || count == 2) << row << ", " << column;
      }
    }
    surface->ObjectState = -1;
  }
}

// A square block with a square hole, pushed along depthAxis from 0 to 6. Each corner is a
// triple control point, so the profile curves are the squares themselves.
std::unique_ptr<CBlockObject> SquareBlockWithHole(int firstAxis, int secondAxis, int depthAxis, bool reversed = false,
                                                  bool withHole = true, bool holeSameWay = false) {
  // In the plane of the first and second axes.
  const auto square = [&](float lo, float hi, bool clockwise) {
    std::vector<Vector3> points;
    for (const auto& [u, v] : {std::pair{lo, lo}, std::pair{hi, lo}, std::pair{hi, hi}, std::pair{lo, hi}}) {
      float corner[3] = {0, 0, 0};
      corner[firstAxis] = u;
      corner[secondAxis] = v;
      points.insert(points.end(), 3, Vector3{corner[0], corner[1], corner[2]});
    }
    if (clockwise) std::reverse(points.begin(), points.end());
    return CBlockObject::Profile{points, 8};
  };
  auto block = std::make_unique<CBlockObject>();
  block->firstAxis = firstAxis;
  block->secondAxis = secondAxis;
  block->depthAxis = depthAxis;
  block->thickness = 6.0f;
  std::vector<CBlockObject::Profile> profiles = {square(3.5f, 15.5f, reversed)};
  if (withHole) profiles.push_back(square(7.5f, 11.5f, holeSameWay ? reversed : !reversed));
  block->SetProfiles(profiles);
  block->Rebuild();
  return block;
}

TEST_F(RenderTreeTest, ABlockWithAHoleIsASolidWithoutCracks) {
  // Seen along its depth only the end faces cross the rays; seen across it the walls do, twice
  // more where the hole lies between. Holes come drawn either way round.
  struct Case {
    const char* name;
    int axes[3];
    bool holeSameWay;
  };
  for (const Case& c : {Case{"along the depth", {0, 1, 2}, false}, Case{"across the depth", {1, 2, 0}, false},
                        Case{"along the depth, hole drawn as the outline", {0, 1, 2}, true},
                        Case{"across the depth, hole drawn as the outline", {1, 2, 0}, true}}) {
    SCOPED_TRACE(c.name);
    SetUp();
    Add(SquareBlockWithHole(c.axes[0], c.axes[1], c.axes[2], false, true, c.holeSameWay));
    const PixelLists lists = Scan();
    const bool along = c.axes[2] == 2;
    for (int row = 0; row < 20; ++row) {
      for (int column = 0; column < 20; ++column) {
        const auto it = lists.find({row, column});
        const std::size_t count = it == lists.end() ? 0 : it->second.size();
        // The pixel against the squares, in the plane the view shows.
        const float u = along ? static_cast<float>(column) : static_cast<float>(row);
        const float v = along ? static_cast<float>(row) : 0.0f;
        const auto within = [&](float lo, float hi) { return u > lo && u < hi && (!along || (v > lo && v < hi)); };
        const bool onOuter = within(2.5f, 16.5f) && !within(4.5f, 14.5f);
        const bool onInner = within(6.5f, 12.5f) && !within(8.5f, 10.5f);
        const bool inDepth = along || (column > 0 && column < 6);
        if (onOuter || onInner || !inDepth || (!along && (column == 0 || column == 6))) continue;
        std::size_t expected = within(3.5f, 15.5f) ? 2u : 0u;
        if (within(7.5f, 11.5f)) expected = along ? 0u : 4u;
        EXPECT_EQ(count, expected) << "row " << row << " column " << column;
      }
    }
  }
}

// Turned about the vertical axis, some rays pass an end face and a wall (the hole's too), whichever
// way the profiles were drawn; how many times each enters the solid is counted by sampling it in
// double precision.
TEST_F(RenderTreeTest, ATurnedBlockMeetsItsEndFaces) {
  const double angle = 35 * std::numbers::pi / 180, cs = std::cos(angle), sn = std::sin(angle);
  const double centre[3] = {9.5, 9.5, 3.0}, placed[3] = {10.0, 10.0, 20.0};
  const double rows[3][3] = {{cs, 0, -sn}, {0, 1, 0}, {sn, 0, cs}};
  Matrix4 m = kIdentityMatrix;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m[4 * i + j] = static_cast<float>(rows[i][j]);
    double shift = placed[i];
    for (int k = 0; k < 3; ++k) shift -= centre[k] * rows[k][i];
    m[12 + i] = static_cast<float>(shift);
  }
  bool withHole = false;
  const auto entries = [&](double x, double y) {
    int count = 0;
    bool was = false;
    for (double z = 0; z < 40; z += 0.02) {
      double p[3];
      const double q[3] = {x - placed[0], y - placed[1], z - placed[2]};
      for (int i = 0; i < 3; ++i) p[i] = centre[i] + q[0] * rows[i][0] + q[1] * rows[i][1] + q[2] * rows[i][2];
      const auto in = [&](double lo, double hi) { return p[0] > lo && p[0] < hi && p[1] > lo && p[1] < hi; };
      const bool inside = in(3.5, 15.5) && !(withHole && in(7.5, 11.5)) && p[2] > 0 && p[2] < 6;
      count += inside && !was ? 1 : 0;
      was = inside;
    }
    return count;
  };
  for (const int variant : {0, 1, 2, 3, 4, 5}) {
    const bool reversed = (variant & 1) != 0;
    withHole = variant >= 2;
    const bool holeSameWay = variant >= 4;
    SCOPED_TRACE(reversed ? "outline drawn clockwise" : "outline drawn counter-clockwise");
    SCOPED_TRACE(!withHole ? "without a hole" : holeSameWay ? "with a hole drawn the same way" : "with a hole drawn the other way");
    SetUp();
    CBlockObject* block = Add(SquareBlockWithHole(0, 1, 2, reversed, withHole, holeSameWay));
    CRenderNode* root = BuildRenderTree(m, 0);
    const PixelLists lists = ScanTree(root, 0, 19, 0, 19);
    ReleaseRenderTree(nullptr);
    int checked = 0;
    for (int row = 0; row < 20; ++row) {
      for (int column = 0; column < 20; ++column) {
        const int expected = entries(column, row);
        // Pixels near an edge are left out: the facets may fall either side of them.
        bool clear = true;
        for (const double d : {-0.3, 0.3}) clear = clear && entries(column + d, row) == expected && entries(column, row + d) == expected;
        if (!clear) continue;
        const auto it = lists.find({row, column});
        EXPECT_EQ(it == lists.end() ? 0u : it->second.size(), 2u * expected) << "row " << row << " column " << column;
        checked += expected > 0 ? 1 : 0;
      }
    }
    EXPECT_GT(checked, 50);
    block->ObjectState = -1;
  }
}

using DamagedObjectTest = RenderTreeTest;

// Objects made in memory are not checked as read ones are: bad faces are skipped, a grid that
// claims more points than it holds gives nothing, and a gem reaching itself through a group stops.
TEST_F(DamagedObjectTest, DamagedObjectsAreSkippedOrBounded) {
  auto prototype = GroupOf(kBooleanUnion, Members(BoxMesh({2, 2, 0}, {6, 6, 2})));
  prototype->members.Append(std::make_unique<CGemObject>());  // library index 0: this group
  std::vector<std::unique_ptr<CGeomObject>> library;
  library.push_back(std::move(prototype));
  WriteGemLibrary(std::move(library));

  // Each object and whether it still gives nodes; those that do cover the box of their usable faces.
  struct Case {
    const char* name;
    std::function<std::unique_ptr<CGeomObject>()> make;
    bool hasNodes;
  };
  const auto meshWith = [](std::vector<std::int32_t> sizes, std::vector<std::int32_t> indices) {
    auto mesh = BoxMesh({2, 2, 0}, {6, 6, 2});
    mesh->faceSizes.insert(mesh->faceSizes.begin(), sizes.begin(), sizes.end());
    mesh->faceIndices.insert(mesh->faceIndices.begin(), indices.begin(), indices.end());
    mesh->flatShading = 0;
    return mesh;
  };
  const std::vector<Case> cases = {
      {"a face of two indices", [&] { return meshWith({2}, {0, 1}); }, true},
      {"an index equal to the point count", [&] { return meshWith({3}, {0, 1, 8}); }, true},
      {"face sizes past the index list",
       [&] {
         auto mesh = BoxMesh({2, 2, 0}, {6, 6, 2});
         mesh->faceSizes.push_back(100);
         mesh->flatShading = 0;
         return mesh;
       },
       true},
      {"a grid larger than its points",
       [] {
         auto surface = Tube().Surface(false);
         surface->rows = 5;
         return surface;
       },
       false},
      {"a gem whose prototype holds a gem of itself", [] { return std::make_unique<CGemObject>(); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<CGeomObject> object = c.make();
    for (const std::int16_t mode : {0, 1, 2}) {
      ShadingMode = mode;
      CRenderNode* node = BuildRenderNodes(object.get(), kIdentityMatrix, 0);
      EXPECT_EQ(node != nullptr, c.hasNodes) << "mode " << mode;
      EXPECT_EQ(GemNestingDepth(), 0);
      if (mode == 2 && node != nullptr) {
        ++RenderNestingCount;
        const PixelLists lists = ScanTree(node, 0, 19, 0, 19);
        EXPECT_EQ(lists.at({4, 4}).size(), 2u);
        EXPECT_EQ(lists.count({8, 8}), 0u);
        ReleaseRenderTree(nullptr);
      } else {
        ++RenderNestingCount;
        ReleaseRenderTree(node);
      }
    }
  }
  EXPECT_EQ(RenderNestingCount, 0);
}

}  // namespace
