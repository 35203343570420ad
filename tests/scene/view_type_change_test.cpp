#include <gtest/gtest.h>

#include "scene/view_type_change.h"
#include "scene_fixture.h"
#include "test_matrices.h"

namespace {

using ViewTypeChangeTest = SceneTest;

Vector3 TranslationOf(const Matrix4& m) { return {m[12], m[13], m[14]}; }

TEST_F(ViewTypeChangeTest, TranslationFollowsTheNewPlane) {
  struct Case {
    int from, to;
    Vector3 expected;
  };
  const Case cases[] = {
      {kViewFront, kViewRight, {3, 2, 1}}, {kViewRight, kViewTop, {3, 1, 2}},
      {kViewTop, kViewRight, {2, 3, 1}},   {kViewRight, kViewFront, {3, 2, 1}},
      {kViewFront, kViewTop, {1, 3, 2}},   {kViewTop, kViewBack, {1, 3, 2}},
      {kViewFront, kViewBack, {1, 2, 3}},  {kView3D, kViewTop, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
    view.viewType = c.from;
    view.viewMatrix = Translation(1, 2, 3);
    view.viewMatrix[3] = 0.25f;  // column 3 is kept
    EXPECT_EQ(ChangeViewType(&view, c.to, 0), 1);
    EXPECT_EQ(view.viewType, c.to);
    EXPECT_TRUE(VectorsEqual(TranslationOf(view.viewMatrix), c.expected));
    EXPECT_EQ(view.viewMatrix[3], 0.25f);
  }
}

TEST_F(ViewTypeChangeTest, FixedTypesGetTheirAxes) {
  // Screen axis k shows model axis a_k with sign s_k, as SetAxes builds them.
  const int axes[7][6] = {{}, {0, 2, 1, 1, 1, -1}, {1, 2, 0, 1, 1, 1}, {0, 1, 2, 1, 1, 1},
                          {0, 2, 1, -1, 1, 1}, {1, 2, 0, -1, 1, -1}, {0, 1, 2, -1, 1, -1}};
  CViewport reference;
  for (int type = kViewFront; type <= kViewBottom; ++type) {
    view.viewType = kView3D;
    view.viewMatrix = kIdentityMatrix;
    ChangeViewType(&view, type, 0);
    const int* a = axes[type];
    reference.SetAxes(a[0], a[1], a[2], a[3], a[4], a[5]);
    EXPECT_EQ(view.viewMatrix, reference.viewMatrix) << type;
  }
}

TEST_F(ViewTypeChangeTest, ThreeDCameraComesBackWhole) {
  view.viewType = kView3D;
  view.viewMatrix = kIdentityMatrix;
  view.Rotate(0.3f, 0);
  view.viewMatrix[12] = 4, view.viewMatrix[13] = -5, view.viewMatrix[14] = 6;
  const Matrix4 camera = view.viewMatrix;

  ChangeViewType(&view, kViewFront, 0);
  EXPECT_EQ(Saved3DMatrix, camera);
  ChangeViewType(&view, kViewTop, 0);  // fixed to fixed leaves the saved camera alone
  EXPECT_EQ(Saved3DMatrix, camera);
  ChangeViewType(&view, kView3D, 1);
  EXPECT_EQ(view.viewMatrix, camera);
  EXPECT_EQ(view.viewType, kView3D);

  // Without restoring, 3D keeps the fixed view's camera.
  ChangeViewType(&view, kViewRight, 0);
  const Matrix4 right = view.viewMatrix;
  ChangeViewType(&view, kView3D, 0);
  EXPECT_EQ(view.viewMatrix, right);

  // The same type, or no type at all, changes nothing.
  EXPECT_EQ(ChangeViewType(&view, kView3D, 1), 0);
  EXPECT_EQ(ChangeViewType(&view, 7, 0), 0);
  EXPECT_EQ(view.viewMatrix, right);
}

}  // namespace
