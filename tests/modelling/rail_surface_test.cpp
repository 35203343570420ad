#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "kernel/surface_object.h"
#include "modelling/rail_surface_build.h"
#include "modelling/rail_surface_tool.h"
#include "modelling/surface_grid.h"
#include "platform/command_queue.h"
#include "scene/pick_tool.h"
#include "scene/scene_views.h"
#include "surface_fixture.h"
#include "scene/tool_framework.h"

namespace {

using Rows = std::vector<std::vector<Vector3>>;

const std::vector<Vector3> kS1{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
const std::vector<Vector3> kS2{{0, 2, 0}, {3, 2, 0}, {3, 5, 0}};

// (a * wa + b * wb) / d in double.
Vector3 Reference(Vector3 a, double wa, Vector3 b, double wb, double d) {
  return {static_cast<float>((a.x * wa + b.x * wb) / d), static_cast<float>((a.y * wa + b.y * wb) / d),
          static_cast<float>((a.z * wa + b.z * wb) / d)};
}

std::vector<Vector3> Row(const std::vector<Vector3>& grid, int r) {
  return {grid.begin() + r * 3, grid.begin() + (r + 1) * 3};
}

TEST(RailSurfaceDialogTest, TheExtentPictureFollowsTheRailAndSection) {
  struct Case {
    int rail;
    int section;
    int picture;
    int coupled;
  };
  const Case cases[] = {
      {0, kSingleSection, 0, 4},  {1, kSingleSection, 10, 10}, {0, kSingleSection, 5, 4},
      {4, kSingleSection, 3, 0},  {4, kSingleSection, 9, 0},   {6, kSingleSection, 8, 8},
      {7, kSingleSection, 5, 0},  {7, kSingleSection, 6, 6},   {7, kSingleSection, 11, 6},
      {4, kCircularSection, 0, 1}, {4, kCircularSection, 7, 7}, {2, kCircularSection, 1, 1},
      {7, kCircularSection, 6, 6}, {0, kCircularSection, 4, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CRailSurfaceDlg::CoupleExtentPicture(c.rail, c.section, c.picture), c.coupled)
        << c.rail << " " << c.section << " " << c.picture;
  }
}

TEST(RailSurfaceBuildTest, SectionRowsBlendAsTheSectionKindSays) {
  // Mirror over 5 rows: 0-2 blend from S1 to S2, 3 and 4 repeat 1 and 0.
  const std::vector<Vector3> mirror = BlendSectionRows(kMirrorSection, 5, {kS1, kS2}, {});
  for (int k = 0; k < 3; ++k) {
    for (int i = 0; i < 3; ++i) ExpectNear(mirror[k * 3 + i], Reference(kS1[i], 2 - k, kS2[i], k, 2));
  }
  EXPECT_EQ(Row(mirror, 3), Row(mirror, 1));
  EXPECT_EQ(Row(mirror, 4), Row(mirror, 0));

  // Sections at rail points 0 and 3 of four: three rows blend, the last is the second section.
  const std::vector<Vector3> multiple = BlendSectionRows(kMultipleSections, 4, {kS1, kS2}, {2});
  ASSERT_EQ(multiple.size(), 12u);
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) ExpectNear(multiple[j * 3 + i], Reference(kS2[i], j, kS1[i], 3 - j, 3));
  }
  EXPECT_EQ(Row(multiple, 3), kS2);

  // No divisor: a one-point Dual rail and a two-point Mirror rail give S1 throughout.
  EXPECT_EQ(BlendSectionRows(kDualSection, 1, {kS1, kS2}, {}), kS1);
  const std::vector<Vector3> twice = BlendSectionRows(kMirrorSection, 2, {kS1, kS2}, {});
  EXPECT_EQ(Row(twice, 0), kS1);
  EXPECT_EQ(Row(twice, 1), kS1);
}

using RailSurfaceTest = SurfaceTest;

TEST_F(RailSurfaceTest, AStraightSectionIsReadInTheViewPlane) {
  CCurveObject* line = AddCurve({{0, 0, 0}, {0, 0, 1}, {0, 0, 2}});
  // Depth along y: the view shows x and z.
  view.SetAxes(0, 2, 1, 1, 1, 1);
  EXPECT_EQ(RailSectionAxes(*line, 0), (std::array<int, 3>{0, 2, 1}));
  EXPECT_EQ(RailSectionAxes(*line, 1), (std::array<int, 3>{2, 0, 1}));
}

TEST_F(RailSurfaceTest, LoopsPlaceTheSectionCornerAtTheirCentre) {
  struct Case {
    int railType;
    Vector3 centre;
  };
  // A rectangle around (4, 3.5) in the view plane, 1 deep.
  const Case cases[] = {{2, {0, 0, 0}}, {3, {4, 3.5f, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.railType);
    CCurveObject* rail = AddCurve({{2, 2, 1}, {6, 2, 1}, {6, 5, 1}, {2, 5, 1}}, kStateShown, 1);
    CCurveObject* section = AddCurve({{10, 0, 0}, {11, 0, 0}, {11, 1, 0}}, kStateShown);
    CSurfaceObject* surface = BuildRailSurface(RailSetupFor(c.railType, 0, 0, 0, kSingleSection), {rail, section}, {},
                                               GetActiveViewMatrix());
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->rows, 4);
    EXPECT_EQ(surface->closedU, 1);
    for (int r = 0; r < 4; ++r) ExpectNear(surface->points[r * 3], c.centre, 1e-4f);
    EXPECT_EQ(rail->ObjectState, kStateRemoved);
    EXPECT_EQ(section->ObjectState, kStateShown);
  }
}

// Rails across the view at y = 0, -2, -4, -6 (four points from x = 0 to 3); sections upright at
// x = 6, 8, 10 (three points from y = 1 to 3).
class RailPromptTest : public RailSurfaceTest {
 protected:
  void SetUp() override {
    RailSurfaceTest::SetUp();
    for (int i = 0; i < 4; ++i) {
      const float y = -2.0f * i;
      AddCurve({{0, y, 0}, {1, y, 0}, {2, y, 0}, {3, y, 0}}, kStateShown);
    }
    for (int i = 0; i < 3; ++i) {
      const float x = 6.0f + 2.0f * i;
      AddCurve({{x, 1, 0}, {x + 0.5f, 2, 0}, {x, 3, 0}}, kStateShown);
    }
  }
  // A click on rail i or on section i.
  void ClickRail(int i) { ClickAt(1.5f, -2.0f * i); }
  void ClickSection(int i) { ClickAt(6.0f + 2.0f * i, 1); }
  std::string Status() const { return Headless().statusTexts.back(); }
};

TEST_F(RailPromptTest, PromptsFollowTheRailsAndSections) {
  struct Step {
    char click;  // 'r' a rail, 's' a section, 'p' a point of rail 0 (index in which)
    int which;
    const char* prompt;  // after the click; null: built
  };
  struct Case {
    const char* name;
    int railType;
    int picture;
    int section;
    const char* first;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"one rail", 0, 4, kSingleSection, "Pick a curve for rail...",
       {{'r', 0, "Pick a curve for the rail surface section..."}, {'s', 0, nullptr}}},
      {"two rails, left column", 4, 0, kSingleSection, "Pick a curve for Left rail...",
       {{'r', 0, "Pick a curve for Right rail..."}, {'r', 1, "Pick a curve for the rail surface section..."}, {'s', 0, nullptr}}},
      {"two rails, right column", 4, 6, kSingleSection, "Pick a curve for Top rail...",
       {{'r', 0, "Pick a curve for Bottom rail..."}, {'r', 1, "Pick a curve for the rail surface section..."}, {'s', 0, nullptr}}},
      {"three rails, row 2", 6, 2, kSingleSection, "Pick a curve for Left rail...",
       {{'r', 0, "Pick a curve for Right rail..."}, {'r', 1, "Pick a curve for Bottom rail..."},
        {'r', 2, "Pick a curve for the rail surface section..."}, {'s', 0, nullptr}}},
      {"four rails, right column", 7, 8, kSingleSection, "Pick a curve for Top rail...",
       {{'r', 0, "Pick a curve for Bottom rail..."}, {'r', 1, "Pick a curve for Right rail..."},
        {'r', 2, "Pick a curve for Left rail..."}, {'r', 3, "Pick a curve for the rail surface section..."}, {'s', 0, nullptr}}},
      {"dual", 0, 4, kDualSection, "Pick a curve for rail...",
       {{'r', 0, "Pick a curve for the first section..."}, {'s', 0, "Pick a curve for the second section..."}, {'s', 1, nullptr}}},
      {"multiple", 0, 4, kMultipleSections, "Pick a curve for rail...",
       {{'r', 0, "Pick a curve for section  0..."}, {'s', 0, "Pick on the rail at 1+..."}, {'p', 3, "Pick a curve for section  3..."},
        {'s', 1, nullptr}}},
      {"circular", 4, 1, kCircularSection, "Pick a curve for Left rail...", {{'r', 0, "Pick a curve for Right rail..."}, {'r', 1, nullptr}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t objects = Objects().size();
    DoRailSurface(c.railType, c.picture / 6, (c.picture % 6) / 3, c.picture % 3, c.section);
    auto* tool = dynamic_cast<CSurfaceTool*>(GetTool(0));
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(Status(), c.first);
    for (const Step& step : c.steps) {
      if (step.click == 'r') ClickRail(step.which);
      if (step.click == 's') ClickSection(step.which);
      if (step.click == 'p') ClickAt(static_cast<float>(step.which), 0);
      if (step.prompt != nullptr) {
        EXPECT_EQ(Status(), step.prompt);
      }
    }
    ProgramCommandQueue().Drain();
    EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
    ASSERT_EQ(Objects().size(), objects + 1);
    EXPECT_EQ(LastSurface()->rows, 4);
    // Bring the rails back for the next set-up.
    for (CGeomObject* object : Objects()) {
      if (object->ObjectState == kStateRemoved) object->ObjectState = kStateShown;
    }
    LastSurface()->ObjectState = 2;
  }
}

TEST_F(RailPromptTest, MismatchesAreRefusedAndTheToolWaits) {
  AddCurve({{0, -8, 0}, {1, -8, 0}, {2, -8, 0}}, kStateShown);  // three points: no rail of these
  DoRailSurface(4, 0, 0, 0, kDualSection);
  ClickRail(0);
  ClickAt(1.5f, -8);
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "This rail mismatches with the previous rail! Please re-pick...");
  ClickRail(0);  // already a rail: ignored
  EXPECT_EQ(static_cast<CSurfaceTool*>(GetTool(0))->Curves().size(), 1u);
  ClickRail(1);
  ClickSection(0);
  ClickRail(2);  // four points against the section's three
  ASSERT_EQ(Headless().messages.size(), 2u);
  EXPECT_EQ(Headless().messages[1].text, "This section mismatches with the previous section! Please re-pick...");
  EXPECT_EQ(Status(), "Pick a curve for the second section...");
  EXPECT_EQ(static_cast<CSurfaceTool*>(GetTool(0))->Curves().size(), 3u);
}

TEST_F(RailPromptTest, TheDialogsChoiceGivesTheToolItsSetup) {
  Headless().AnswerDialog(CRailSurfaceDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CRailSurfaceDlg&>(model);
    dialog.railType = 6;
    dialog.sectionType = kMirrorSection;
    dialog.picture = 8;  // right column, lower half, row 2
    return kAnswerOk;
  });
  OnRailSurface();
  auto* tool = dynamic_cast<CSurfaceTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  const RailSetup& setup = tool->Setup();
  EXPECT_EQ(setup.rails, 3);
  EXPECT_EQ(setup.mode, 1);
  EXPECT_EQ(setup.column, 1);
  EXPECT_EQ(setup.half, 0);
  EXPECT_EQ(setup.row, 2);
  EXPECT_EQ(setup.sectionType, kMirrorSection);
  EXPECT_EQ(RailSurfaceDialog.picture, 8);
  // Cancel keeps the last confirmed choices.
  Headless().AnswerDialog(CRailSurfaceDlg::kName, [](DialogModel& model) {
    static_cast<CRailSurfaceDlg&>(model).railType = 0;
    return kAnswerCancel;
  });
  OnRailSurface();
  EXPECT_EQ(RailSurfaceDialog.railType, 6);
}

}  // namespace
