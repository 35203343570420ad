#include "modelling/loft_tool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "curve_fixture.h"
#include "kernel/curve_object.h"
#include "modelling/surface_grid.h"
#include "platform/command_queue.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

class LoftToolTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    ResetToPickTool();
    OnLoftSurface();
    loft = dynamic_cast<CLoftToolDlg*>(GetTool(0));
    ASSERT_NE(loft, nullptr);
  }

  // A curve of n points across the view at height y.
  CCurveObject* Across(float y, int n) {
    std::vector<Vector3> points;
    for (int i = 0; i < n; ++i) points.push_back({static_cast<float>(i), y, 0});
    return AddCurve(points, kStateShown);
  }

  // A rows x columns surface whose point (r, c) is (c, y + r, 10 r + c / 10), drawn through its
  // control points.
  CSurfaceObject* Grid(int rows, int columns, float y) {
    auto surface = std::make_unique<CSurfaceObject>();
    std::vector<Vector3> points;
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) points.push_back({static_cast<float>(c), y + r, 10.0f * r + c / 10.0f});
    }
    surface->SetGrid(rows, columns, std::move(points));
    surface->displayStepsU = surface->displayStepsV = 0;
    CSurfaceObject* added = AddObject(surface, 1);
    added->ObjectState = kStateShown;
    document.Clear();
    return added;
  }

  void RightClick() {
    view.OnRButtonDown(kMouseRightButton, 100, 100);
    view.OnRButtonUp(0, 100, 100);
  }

  int Records() const {
    int records = 0;
    for (const auto& step : document.ring) records += static_cast<int>(step.size());
    return records;
  }

  std::vector<Vector3> Row(int r) const {
    const CSurfaceObject& s = loft->Loft();
    return {s.points.begin() + r * s.columns, s.points.begin() + (r + 1) * s.columns};
  }

  CLoftToolDlg* loft = nullptr;
};

TEST_F(LoftToolTest, CurvesStackAsRowsWithTheDefaultU) {
  EXPECT_EQ(Headless().statusTexts.back(), "Pick curves / surfaces to create a lofting surface...");
  EXPECT_EQ(Headless().modelessOpened, std::vector<std::string>{"Loft Surface"});
  EXPECT_FALSE(loft->ButtonEnabled(CLoftToolDlg::kReverseSection));
  std::vector<CCurveObject*> curves;
  for (int i = 0; i < 3; ++i) curves.push_back(Across(2.0f * i, 8));
  for (int i = 0; i < 3; ++i) ClickAt(3.5f, 2.0f * i);
  EXPECT_EQ(loft->Caption(), "Loft Surface (3)");
  const CSurfaceObject& s = loft->Loft();
  EXPECT_EQ(s.rows, 3);
  EXPECT_EQ(s.columns, 8);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Row(i), curves[i]->points);
  EXPECT_TRUE(loft->ButtonEnabled(CLoftToolDlg::kReverseSection));
  EXPECT_FALSE(loft->ButtonEnabled(CLoftToolDlg::kReverseSurface));
  EXPECT_FALSE(loft->ButtonEnabled(CLoftToolDlg::kSwapUV));

  ResetToPickTool();
  CGeomObject* last = Objects().back();
  ASSERT_EQ(last->GetKind(), kKindSurface);
  const auto& lofted = static_cast<const CSurfaceObject&>(*last);
  EXPECT_EQ(lofted.ObjectState, kStateSelected);
  EXPECT_EQ(lofted.rows, 3);
  EXPECT_EQ(lofted.closedU, 0);
  EXPECT_EQ(lofted.startAttributeU, 0);
  EXPECT_EQ(lofted.displayStepsU, 8);
  for (CCurveObject* curve : curves) EXPECT_EQ(curve->ObjectState, kStateRemoved);
  EXPECT_EQ(Headless().modelessClosed, std::vector<std::string>{"Loft Surface"});

  UndoCommand();
  for (CCurveObject* curve : curves) EXPECT_EQ(curve->ObjectState, kStateShown);
  EXPECT_LT(lofted.ObjectState, 0);
}

TEST_F(LoftToolTest, ButtonsPlaceEveryPointWhereTheirFormulasSay) {
  CSurfaceObject* source = Grid(3, 4, 0);
  const auto at = [source](int r, int c) { return source->points[r * 4 + c]; };
  ClickAt(0, 0);
  ASSERT_EQ(loft->SectionCount(), 1);
  EXPECT_TRUE(loft->ButtonEnabled(CLoftToolDlg::kReverseSurface));
  EXPECT_TRUE(loft->ButtonEnabled(CLoftToolDlg::kSwapUV));
  struct Case {
    int button;
    int rows;
    int columns;
    Vector3 (*expected)(decltype(at)&, int, int);
  };
  const Case cases[] = {
      {CLoftToolDlg::kReverseSection, 3, 4, [](decltype(at)& p, int l, int i) { return p(l, 3 - i); }},
      // Both flags now: rows and points reversed.
      {CLoftToolDlg::kReverseSurface, 3, 4, [](decltype(at)& p, int l, int i) { return p(2 - l, 3 - i); }},
      // Read column by column, the two flags exchanged (so both still set).
      {CLoftToolDlg::kSwapUV, 4, 3, [](decltype(at)& p, int l, int i) { return p(2 - i, 3 - l); }},
      {CLoftToolDlg::kReverseSection, 4, 3, [](decltype(at)& p, int l, int i) { return p(i, 3 - l); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    loft->PressButton(c.button);
    const CSurfaceObject& s = loft->Loft();
    ASSERT_EQ(s.rows, c.rows);
    ASSERT_EQ(s.columns, c.columns);
    for (int l = 0; l < c.rows; ++l) {
      for (int i = 0; i < c.columns; ++i) EXPECT_EQ(s.points[l * c.columns + i], c.expected(at, l, i)) << l << " " << i;
    }
  }
}

TEST_F(LoftToolTest, ASurfaceClosedAcrossItsRowsIsTakenColumnByColumn) {
  CSurfaceObject* source = Grid(3, 4, 0);
  source->closedU = 1;
  ClickAt(0, 0);
  const CSurfaceObject& s = loft->Loft();
  ASSERT_EQ(s.rows, 4);
  ASSERT_EQ(s.columns, 3);
  EXPECT_EQ(s.closedV, 1);
  for (int l = 0; l < 4; ++l) {
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.points[l * 3 + i], source->points[i * 4 + l]);
  }
  // A curve of 3 points fits the width; one of 4 does not.
  Across(-5, 3);
  Across(-7, 4);
  ClickAt(1, -5);
  EXPECT_EQ(s.rows, 5);
  ClickAt(1, -7);
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text,
            "This curve or surface mismatches with the loft surface! Please select other curves or surfaces.");
  EXPECT_EQ(s.rows, 5);
}

TEST_F(LoftToolTest, ARightPressTakesBackTheLastSection) {
  Across(0, 4);
  Grid(2, 4, 3);
  RightClick();
  EXPECT_EQ(loft->SectionCount(), 0);
  ClickAt(1, 0);
  ClickAt(1, 3);
  EXPECT_EQ(loft->Loft().rows, 3);
  EXPECT_TRUE(loft->ButtonEnabled(CLoftToolDlg::kReverseSurface));
  RightClick();
  EXPECT_EQ(loft->SectionCount(), 1);
  EXPECT_EQ(loft->Loft().rows, 1);
  EXPECT_EQ(loft->Loft().points.size(), 4u);
  EXPECT_EQ(loft->Caption(), "Loft Surface (1)");
  EXPECT_FALSE(loft->ButtonEnabled(CLoftToolDlg::kReverseSurface));
  RightClick();
  EXPECT_FALSE(loft->ButtonEnabled(CLoftToolDlg::kReverseSection));
}

TEST_F(LoftToolTest, OneSectionAddsNothingAndRecordsNothing) {
  CCurveObject* curve = Across(0, 4);
  ClickAt(1, 0);
  const std::size_t objects = Objects().size();
  const int records = Records();
  ResetToPickTool();
  EXPECT_EQ(Objects().size(), objects);
  EXPECT_EQ(Records(), records);
  EXPECT_EQ(curve->ObjectState, kStateShown);
}

TEST_F(LoftToolTest, PicksBeyondTheLimitsAreRefused) {
  Across(0, 4);
  for (int i = 0; i < CLoftToolDlg::kMaxSections; ++i) ClickAt(1, 0);
  EXPECT_TRUE(Headless().messages.empty());
  ClickAt(1, 0);
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Not enough memory to perform operations!");
  EXPECT_EQ(loft->SectionCount(), CLoftToolDlg::kMaxSections);

  // A curve of 1024 points, then 1024 rows more of that width: one row over the points limit.
  ResetToPickTool();
  OnLoftSurface();
  loft = static_cast<CLoftToolDlg*>(GetTool(0));
  Across(-3, 1024);
  auto big = std::make_unique<CSurfaceObject>();
  big->SetGrid(1024, 1024, std::vector<Vector3>(1024 * 1024, Vector3{0, 5, 0}));
  big->displayStepsU = big->displayStepsV = 0;
  ASSERT_NE(AddObject(big, 1), nullptr);
  ClickAt(0, -3);
  ClickAt(0, 5);
  ASSERT_EQ(Headless().messages.size(), 2u);
  EXPECT_EQ(Headless().messages[1].text, "Not enough memory to perform operations!");
  EXPECT_EQ(loft->SectionCount(), 1);
  EXPECT_EQ(loft->Loft().rows, 1);
}

}  // namespace
