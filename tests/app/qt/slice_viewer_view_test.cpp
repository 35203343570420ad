#include "app/qt/slice_viewer_view.h"

#include <QAbstractSlider>
#include <QPointer>
#include <QScrollBar>
#include <QToolButton>

#include <string>
#include <vector>

#include "../../manufacturing/slc_fixtures.h"
#include "app/qt/app_dialog_views.h"
#include "dialog_view_test.h"
#include "manufacturing/show_slice_tool.h"
#include "manufacturing/slice_file_path.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"
#include "services/string_table.h"
#include "temp_dir.h"

namespace {

class SliceViewerViewTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
    view.documentHistory = &document;
    document.views = {&view};
    SetActiveView(&view);
    ShowTenPixelsPerUnit(view);
    ProgramCommandQueue().SetDispatcher([](int id) {
      if (id == kPickCommand) ResetToPickTool();
    });
  }
  void TearDown() override {
    ResetToPickTool();
    SetActiveView(nullptr);
    DialogViewTest::TearDown();
  }

  TestDocument document;
  CViewport view;
  TempDir folder;
};

TEST_F(SliceViewerViewTest, BarDrivesTheModelAndClosingIsCancel) {
  SlcBytes file;
  file.UnitHeader("MM");
  for (int i = 0; i < 15; ++i) file.Layer(0.125f * i, {Square10()});
  const std::string path = folder.Write("ring.slc", file.Terminator(2).bytes);
  SetSliceFilePath(path);
  OnShowSlices();
  auto* viewer = dynamic_cast<CShowSliceToolDlg*>(GetTool(0));
  ASSERT_NE(viewer, nullptr);
  QWidget* window = platform().ui().ModelessWindow(*viewer);
  ASSERT_NE(window, nullptr);
  const QString base = QString::fromStdString(GetLocalizedString(32300) + " : " + path);
  EXPECT_EQ(window->windowTitle(), base + " [ 1 / 15 ]");
  auto* open = window->findChild<QToolButton*>(QStringLiteral("open"));
  ASSERT_NE(open, nullptr);
  EXPECT_FALSE(open->icon().isNull());
  auto* bar = window->findChild<QScrollBar*>(QStringLiteral("layers"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), 14);
  EXPECT_EQ(bar->singleStep(), 1);
  EXPECT_EQ(bar->pageStep(), 10);

  struct Step {
    QAbstractSlider::SliderAction action;
    int layer;
  };
  const Step steps[] = {{QAbstractSlider::SliderSingleStepAdd, 1}, {QAbstractSlider::SliderPageStepAdd, 11},
                        {QAbstractSlider::SliderPageStepAdd, 14},  {QAbstractSlider::SliderSingleStepSub, 13},
                        {QAbstractSlider::SliderPageStepSub, 3},   {QAbstractSlider::SliderToMaximum, 14},
                        {QAbstractSlider::SliderToMinimum, 0}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.action);
    bar->triggerAction(step.action);
    EXPECT_EQ(viewer->CurrentLayer(), step.layer);
    EXPECT_EQ(bar->value(), step.layer);
    EXPECT_EQ(window->windowTitle(), base + QStringLiteral(" [ %1 / 15 ]").arg(step.layer + 1));
  }
  bar->setSliderPosition(7);
  EXPECT_EQ(viewer->CurrentLayer(), 7);

  QPointer<QWidget> alive(window);
  window->close();
  ProgramCommandQueue().Drain();
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  EXPECT_TRUE(alive.isNull() || !alive->isVisible());
}

}  // namespace
