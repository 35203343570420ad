#include "app/qt/child_frame.h"

#include <QCursor>

#include <string>
#include <vector>

#include "mdi_views_fixture.h"
#include "platform/platform_services.h"
#include "platform/ui_services.h"
#include "scene/scene.h"

namespace {

using ChildFrameTest = MdiViewsTest;

// The main frame's part of the title runs first, then the child names its view's type.
TEST_F(ChildFrameTest, TheTitleNamesTheViewType) {
  CChildFrame* child = NewChild();
  EXPECT_EQ(child->windowTitle(), QStringLiteral("Front (X/Z)"));
  std::vector<QString> seen;
  child->SetMainFrameTitleUpdate([&] { seen.push_back(child->windowTitle()); });
  const std::pair<int, const char*> titles[] = {
      {kView3D, "3D"},           {kViewFront, "Front (X/Z)"}, {kViewRight, "Right (Y/Z)"},
      {kViewTop, "Top (X/Y)"},   {kViewBack, "Back (X/Z)"},   {kViewLeft, "Left (Y/Z)"},
      {kViewBottom, "Bottom (X/Y)"}, {7, "3D"},
  };
  for (const auto& [type, title] : titles) {
    child->view().viewType = type;
    child->UpdateTitle();
    EXPECT_EQ(child->windowTitle(), QString::fromUtf8(title));
  }
  ASSERT_EQ(seen.size(), std::size(titles));
  EXPECT_EQ(seen[1], QStringLiteral("3D"));
}

// Activating a child makes its view the active one; a minimised child leaves its view's size,
// and maximising or restoring it sizes the view to the frame's client area.
TEST_F(ChildFrameTest, ActivationAndWindowStatesReachTheView) {
  CChildFrame* first = NewChild();
  CChildFrame* second = NewChild();
  Settle();
  EXPECT_EQ(GetActiveView(), &second->view());
  EXPECT_EQ(host->ActiveFrame(), second);
  first->Activate();
  Settle();
  EXPECT_EQ(GetActiveView(), &first->view());
  EXPECT_EQ(GetDrawingView(), &first->view());
  EXPECT_EQ(host->ActiveFrame(), first);
  EXPECT_EQ(second->view().IsVisible(), 1);

  first->Maximize();
  Settle();
  EXPECT_TRUE(first->IsMaximized());
  EXPECT_EQ(second->view().IsVisible(), 0);
  const QSize maximised = first->viewWidget().size();
  EXPECT_EQ(QSize(first->view().width, first->view().height), maximised);
  EXPECT_EQ(QSize(first->view().windowImage.width(), first->view().windowImage.height()), maximised);

  first->showMinimized();
  Settle();
  EXPECT_TRUE(first->IsMinimized());
  EXPECT_EQ(QSize(first->view().width, first->view().height), maximised);

  first->Restore();
  first->PlaceWithoutActivating(10, 20, 300, 200);
  second->Activate();
  Settle();
  EXPECT_FALSE(first->IsMinimized());
  EXPECT_EQ(QSize(first->view().width, first->view().height), first->viewWidget().size());
  EXPECT_LT(first->view().width, 300);
}

// Placing a hidden frame shows it and leaves the active child as it was.
TEST_F(ChildFrameTest, PlacingDoesNotActivate) {
  CChildFrame* first = NewChild();
  CChildFrame* second = NewChild();
  Settle();
  first->hide();
  first->PlaceWithoutActivating(0, 0, 400, 300);
  Settle();
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->geometry(), QRect(0, 0, 400, 300));
  EXPECT_EQ(area->activeSubWindow(), second);
}

TEST_F(ChildFrameTest, EveryViewShowsTheToolsCursor) {
  CChildFrame* first = NewChild();
  platform().ui().RegisterToolCursor(5000, QCursor(Qt::SizeAllCursor));
  Platform().ui->SetToolCursor(5000);
  CChildFrame* second = NewChild();
  EXPECT_EQ(first->viewWidget().cursor().shape(), Qt::SizeAllCursor);
  EXPECT_EQ(second->viewWidget().cursor().shape(), Qt::SizeAllCursor);
  Platform().ui->SetToolCursor(0);
  EXPECT_EQ(first->viewWidget().cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(second->viewWidget().cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
