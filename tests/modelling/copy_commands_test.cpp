#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "kernel/mesh_object.h"
#include "modelling/copy_commands.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/design_file.h"
#include "services/layer_table.h"
#include "surface_fixture.h"
#include "temp_dir.h"

namespace {

// Two selected surfaces, the second on a hidden layer; Extend and Revolve run again when their
// dialogs post them.
class CopyCommandsTest : public SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    first = AddSurface(3, 4, WavyGrid(3, 4));
    std::vector<Vector3> shifted = WavyGrid(2, 2);
    for (Vector3& p : shifted) p = VecAdd(p, {-3, 2, 1});
    second = AddSurface(2, 2, shifted);
    second->layer = 3;
    LayerTable[3].visible = 0;
    sources = {first, second};
  }

  void Dispatch(int id) override {
    SurfaceTest::Dispatch(id);
    if (id == 4005) DoCopyExtend();
    if (id == 4006) DoCopyRevolve();
  }

  // The surfaces after the two sources, in list order.
  std::vector<CSurfaceObject*> Copies() const {
    std::vector<CSurfaceObject*> copies;
    const std::vector<CGeomObject*> all = Objects();
    for (std::size_t i = 2; i < all.size(); ++i) copies.push_back(static_cast<CSurfaceObject*>(all[i]));
    return copies;
  }

  static void ExpectScaled(const CSurfaceObject& copy, const CSurfaceObject& source, std::array<float, 3> d) {
    ASSERT_EQ(copy.points.size(), source.points.size());
    for (std::size_t i = 0; i < copy.points.size(); ++i) {
      const Vector3 p = source.points[i];
      ExpectNear(copy.points[i], {p.x * d[0], p.y * d[1], p.z * d[2]});
    }
  }

  CSurfaceObject* first = nullptr;
  CSurfaceObject* second = nullptr;
  std::vector<CSurfaceObject*> sources;
};

TEST_F(CopyCommandsTest, MirrorsHalfTurnsAndCyclesFollowTheView) {
  struct Case {
    const char* name;
    std::array<int, 3> axes;  // horizontal, vertical, depth
    void (*command)();
    std::vector<std::array<float, 3>> diagonals;
    std::vector<int> signs;  // orientation sign of each pass's copies
  };
  const Case cases[] = {
      {"cycle front", {0, 1, 2}, &DoCopyCycle, {{-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}}, {-1, 1, -1}},
      {"cycle top", {0, 2, 1}, &DoCopyCycle, {{-1, 1, 1}, {-1, 1, -1}, {1, 1, -1}}, {-1, 1, -1}},
      {"cycle side", {2, 1, 0}, &DoCopyCycle, {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}}, {-1, 1, -1}},
      {"vertical mirror front", {0, 1, 2}, &DoCopyVerticalMirror, {{-1, 1, 1}}, {-1}},
      {"vertical mirror side", {2, 1, 0}, &DoCopyVerticalMirror, {{1, 1, -1}}, {-1}},
      {"horizontal mirror front", {0, 1, 2}, &DoCopyHorizontalMirror, {{1, -1, 1}}, {-1}},
      {"horizontal mirror top", {0, 2, 1}, &DoCopyHorizontalMirror, {{1, 1, -1}}, {-1}},
      {"half turn front", {0, 1, 2}, &DoCopyRevolve180, {{-1, -1, 1}}, {1}},
      {"half turn top", {0, 2, 1}, &DoCopyRevolve180, {{-1, 1, -1}}, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (CSurfaceObject* source : sources) source->ObjectState = kStateSelected;
    DeleteObjectsUpTo(&first->next->next, kEveryObjectState);
    document.Clear();
    SetActiveView(nullptr);
    SetActiveView(&view);
    view.SetAxes(c.axes[0], c.axes[1], c.axes[2], 1, 1, 1);
    ResetToPickTool();
    c.command();
    const std::vector<CSurfaceObject*> copies = Copies();
    ASSERT_EQ(copies.size(), 2 * c.diagonals.size());
    for (std::size_t pass = 0; pass < c.diagonals.size(); ++pass) {
      for (std::size_t s = 0; s < 2; ++s) {
        const CSurfaceObject& copy = *copies[2 * pass + s];
        ExpectScaled(copy, *sources[s], c.diagonals[pass]);
        EXPECT_EQ(copy.orientationSign, c.signs[pass]);
        EXPECT_EQ(copy.ObjectState, kStateSelected);
      }
    }
  }
}

TEST_F(CopyCommandsTest, ExtendAndRevolveRepeatFromTheirDialogs) {
  ProgramCommandQueue().Post(4005);
  ProgramCommandQueue().Drain();
  ASSERT_NE(OpenExtendDialog, nullptr);
  EXPECT_TRUE(Copies().empty());
  OpenExtendDialog->texts[CExtendToolDlg::kNumberEdit] = "3";
  OpenExtendDialog->PressOK();
  ProgramCommandQueue().Drain();
  std::vector<CSurfaceObject*> copies = Copies();
  ASSERT_EQ(copies.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const float step = static_cast<float>(i / 2 + 1);
    const CSurfaceObject& source = *sources[i % 2];
    for (std::size_t k = 0; k < source.points.size(); ++k) {
      ExpectNear(copies[i]->points[k], VecAdd(source.points[k], {step, 0, 0}));
    }
  }
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);

  // A count of 1 adds nothing.
  DeleteObjectsUpTo(&first->next->next, kEveryObjectState);
  document.Clear();
  SetActiveView(nullptr);
  SetActiveView(&view);
  ProgramCommandQueue().Post(4005);
  ProgramCommandQueue().Drain();
  ASSERT_NE(OpenExtendDialog, nullptr);
  OpenExtendDialog->texts[CExtendToolDlg::kNumberEdit] = "1";
  OpenExtendDialog->PressOK();
  ProgramCommandQueue().Drain();
  EXPECT_TRUE(Copies().empty());

  // Four at 90 degrees about the depth axis: three copies, quarter, half and three-quarter turns.
  ProgramCommandQueue().Post(4006);
  ProgramCommandQueue().Drain();
  ASSERT_NE(OpenRevolveDialog, nullptr);
  EXPECT_EQ(OpenRevolveDialog->number, 4);
  EXPECT_EQ(OpenRevolveDialog->degree, 90.0f);
  OpenRevolveDialog->PressOK();
  ProgramCommandQueue().Drain();
  copies = Copies();
  ASSERT_EQ(copies.size(), 6u);
  const Vector3 p = first->points[5];
  const Vector3 quarter = copies[0]->points[5];
  EXPECT_NEAR(quarter.z, p.z, 1e-5f);
  EXPECT_NEAR(std::fabs(quarter.x), std::fabs(p.y), 1e-5f);
  EXPECT_NEAR(std::fabs(quarter.y), std::fabs(p.x), 1e-5f);
  EXPECT_NEAR(quarter.x * p.x + quarter.y * p.y, 0.0f, 1e-4f);
  ExpectNear(copies[2]->points[5], {-p.x, -p.y, p.z});
  ExpectNear(copies[4]->points[5], {-quarter.x, -quarter.y, p.z});
}

TEST_F(CopyCommandsTest, CopyToHideLeavesHiddenCopiesAndSaysHowMany) {
  ResetToPickTool();
  DoCopyToHide();
  const std::vector<CSurfaceObject*> copies = Copies();
  ASSERT_EQ(copies.size(), 2u);
  for (const CSurfaceObject* copy : copies) EXPECT_EQ(copy->ObjectState, 3);
  EXPECT_EQ(copies[0]->points, first->points);
  ASSERT_FALSE(Headless().messages.empty());
  EXPECT_EQ(Headless().messages.back().text, "2 Picked objects are copied to hidden layer!");
}

// Ten thousand copies (the dialogs' limit) of a mesh of a million triangles need far more memory
// than any machine this runs on: the count is refused before a copy is made, with the program's
// message, and the design saves byte for byte as before.
TEST_F(CopyCommandsTest, ACopyCountThatCannotFitIsRefusedUpFront) {
  constexpr int kSide = 709;
  std::vector<Vector3> points;
  for (int i = 0; i < kSide * kSide; ++i) points.push_back({static_cast<float>(i % kSide), static_cast<float>(i / kSide), 0});
  std::vector<std::int32_t> sizes, indices;
  for (int r = 0; r + 1 < kSide; ++r) {
    for (int c = 0; c + 1 < kSide; ++c) {
      const int a = r * kSide + c;
      indices.insert(indices.end(), {a, a + 1, a + kSide + 1, a, a + kSide + 1, a + kSide});
      sizes.insert(sizes.end(), {3, 3});
    }
  }
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(kSide * kSide, std::move(points));
  ASSERT_TRUE(mesh->SetFaces(std::move(sizes), std::move(indices)));
  ASSERT_GT(mesh->FaceCount(), 1'000'000);
  AddObject(mesh, 1);
  const TempDir folder;
  const auto saved = [&](const char* name) {
    const std::string path = folder.File(name);
    EXPECT_EQ(SaveScene(&document, path), 1);
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string before = saved("before.lxd");
  const std::size_t objects = Objects().size();
  Matrix4 step = kIdentityMatrix;
  step.at(3, 0) = 1000;
  CopyRepeat(10000, step);
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Not enough memory to perform operations!");
  EXPECT_EQ(Objects().size(), objects);
  EXPECT_EQ(saved("after.lxd"), before);
  // A count that fits still copies.
  CopyRepeat(2, step);
  EXPECT_EQ(Objects().size(), objects + 3);
}

}  // namespace
