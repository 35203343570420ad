#include <gtest/gtest.h>

#include "program_state.h"
#include "render/material.h"
#include "scan_fixtures.h"

namespace {

using SpanAttributesTest = LumidrexTest;

// The attributes of the nearest crossing at one pixel, while its span is alive.
EdgeAttributes FrontAttributesAt(CRenderNode* root, int row, int column) {
  EdgeAttributes seen{};
  bool found = false;
  DriveTree(root, 0, 30, 0, 30, [&](int r, int c, const CrossingEntry* e) {
    if (r != row || c != column || e == nullptr) return;
    seen = *e->span->attributes;
    found = true;
  });
  EXPECT_TRUE(found);
  return seen;
}

TEST_F(SpanAttributesTest, InterpolatedColourMixesTheVertexColours) {
  ShadingMode = 0;
  CMaterial material;
  material.diffuse[0] = 0.8f, material.diffuse[1] = 0.6f, material.diffuse[2] = 0.4f;
  const Vector3 p0{2, 2, 10}, p1{2, 12, 10}, p2{22, 12, 10};
  const auto normalAt = [&](Vector3 p) {
    VertexAttributes a{};
    // Unnormalised: 1, 0.8 and 5/13 towards the viewer.
    if (p.x == p0.x && p.y == p0.y) a.normal = {0, 0, 1};
    if (p.x == p1.x && p.y == p1.y) a.normal = {0, 3, 4};
    if (p.x == p2.x && p.y == p2.y) a.normal = {12, 0, 5};
    return a;
  };
  const Vector3 b0{p0.x, p0.y, 1}, b1{p1.x, p1.y, 1}, b2{p2.x, p2.y, 1};
  CRenderNode* root = Group(2, {PolygonNode({{p0, p1, p2}, {b0, b2, b1}}, &material, normalAt)});
  // At column 7, row 10 the weights are 0.2, 0.55 and 0.25; each vertex colour is the diffuse
  // colour times its normal's z.
  const EdgeAttributes a = FrontAttributesAt(root, 10, 7);
  const double red = 0.2 * 0.8 + 0.55 * 0.8 * 0.8 + 0.25 * 0.8 * 5 / 13;
  EXPECT_NEAR(a.value[kAttrColour], red, 1e-5);
  EXPECT_NEAR(a.value[kAttrColour + 1], red * 0.75, 1e-5);
  EXPECT_NEAR(a.value[kAttrColour + 2], red * 0.5, 1e-5);
  EXPECT_EQ(a.material, &material);
}

TEST_F(SpanAttributesTest, GroupsAMaterialDoesNotAskForAreZeroInRecycledRecords) {
  ShadingMode = 1;
  CMaterial textured;
  textured.needsPositionAndTangents = 1;
  textured.needsTextureCoordinates = 1;
  CMaterial plain;
  const auto everything = [](Vector3 p) {
    VertexAttributes a{};
    a.position = p;
    a.normal = {0.1f, 0.2f, 1};
    a.tangentU = {1, 0.5f, 0.25f};
    a.tangentV = {0.5f, 1, 0.75f};
    a.u = p.x * 0.1f + 0.3f;
    a.v = p.y * 0.1f + 0.7f;
    return a;
  };
  // The textured box is over before the plain one starts, so the plain one's spans and sides take
  // the records the textured one gave back.
  CRenderNode* root = Group(2, {PolygonNode(BoxTriangles({2.5f, 1.5f, 3}, {20.5f, 6.5f, 9}), &textured, everything),
                                PolygonNode(BoxTriangles({2.5f, 10.5f, 3}, {20.5f, 16.5f, 9}), &plain, everything)});
  const EdgeAttributes a = FrontAttributesAt(root, 13, 10);
  EXPECT_EQ(a.material, &plain);
  for (int i : std::initializer_list<int>{kAttrPosition, kAttrPosition + 1, kAttrPosition + 2, kAttrTangentU, kAttrTangentU + 1, kAttrTangentU + 2,
                kAttrTangentV, kAttrTangentV + 1, kAttrTangentV + 2, kAttrTextureU, kAttrTextureV}) {
    EXPECT_EQ(a.value[i], 0.0f) << i;
  }
  EXPECT_NEAR(a.value[kAttrNormal + 2], 1.0f, 1e-5);
  EXPECT_NEAR(a.value[kAttrNormal + 1], 0.2f, 1e-5);
}

}  // namespace
