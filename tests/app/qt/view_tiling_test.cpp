#include <QMdiSubWindow>
#include <QRect>
#include <QScrollBar>

#include <map>
#include <vector>

#include "mdi_views_fixture.h"

// The tilings over a real MDI area of 800 x 600: missing views come from new-window requests,
// and the command, run once more, lays the slots out.

namespace {

using ViewTiling = void (CVornView::*)();

class ViewTilingTest : public MdiViewsTest {
 protected:
  // Every child frame's geometry by its view's type.
  std::map<int, QRect> PlacesByType() const {
    std::map<int, QRect> places;
    for (QMdiSubWindow* window : area->subWindowList()) {
      places[static_cast<CChildFrame*>(window)->view().viewType] = window->geometry();
    }
    return places;
  }
};

TEST_F(ViewTilingTest, MissingViewsAreMadeAndEverySlotIsPlaced) {
  struct Case {
    const char* name;
    ViewTiling command;
    bool creatable;
    std::size_t posted;
    std::map<int, QRect> places;
  };
  const Case cases[] = {
      {"four views from one Front view", &CVornView::OnTileFrontRightTop3D, true, 4,
       {{kViewFront, {0, 300, 400, 300}},
        {kViewRight, {400, 300, 400, 300}},
        {kViewTop, {0, 0, 400, 300}},
        {kView3D, {400, 0, 400, 300}}}},
      {"two halves from one Front view", &CVornView::OnTileFrontRight, true, 2,
       {{kViewFront, {0, 0, 400, 600}}, {kViewRight, {400, 0, 400, 600}}}},
      {"no view can be made", &CVornView::OnTileFrontRightTop3D, false, 4,
       {{kViewFront, {0, 300, 400, 300}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (QMdiSubWindow* window : area->subWindowList()) delete window;
    creatable = c.creatable;
    CChildFrame* first = NewChild();
    first->Maximize();
    Settle();

    (first->view().*c.command)();
    EXPECT_EQ(ProgramCommandQueue().Pending(), c.posted);
    Settle();
    EXPECT_EQ(ProgramCommandQueue().Pending(), 0u);
    EXPECT_EQ(PlacesByType(), c.places);
    EXPECT_EQ(area->activeSubWindow(), first);
    EXPECT_FALSE(first->isMaximized());
    // Each view was resized with its frame.
    for (QMdiSubWindow* window : area->subWindowList()) {
      const CVornView& view = static_cast<CChildFrame*>(window)->view();
      EXPECT_EQ(QSize(view.width, view.height), window->widget()->size());
    }
  }
}

// The first four views in the document's order take the slots; the others stay where they are.
TEST_F(ViewTilingTest, SurplusViewsKeepTheirPlaces) {
  std::vector<CChildFrame*> frames;
  for (int i = 0; i < 6; ++i) frames.push_back(NewChild());
  Settle();
  const QRect kept[] = {{10, 20, 200, 150}, {30, 40, 220, 160}};
  frames[4]->setGeometry(kept[0]);
  frames[5]->setGeometry(kept[1]);
  area->setActiveSubWindow(frames[0]);
  Settle();

  frames[0]->view().OnTileFrontRightTop3D();
  EXPECT_EQ(ProgramCommandQueue().Pending(), 0u);
  Settle();
  EXPECT_EQ(frames[0]->geometry(), QRect(0, 300, 400, 300));
  EXPECT_EQ(frames[1]->geometry(), QRect(400, 300, 400, 300));
  EXPECT_EQ(frames[2]->geometry(), QRect(0, 0, 400, 300));
  EXPECT_EQ(frames[3]->geometry(), QRect(400, 0, 400, 300));
  EXPECT_EQ(frames[4]->geometry(), kept[0]);
  EXPECT_EQ(frames[5]->geometry(), kept[1]);
  EXPECT_EQ(frames[2]->windowTitle(), QStringLiteral("Top (X/Y)"));
  EXPECT_EQ(frames[3]->windowTitle(), QStringLiteral("3D"));
}

// A smaller window lays the tiling out again; once the user arranges the children himself, they
// keep their places and the scroll bars reach every one.
TEST_F(ViewTilingTest, TheTilingFollowsTheAreaUntilTheUserMovesAChild) {
  CChildFrame* first = NewChild();
  Settle();
  first->view().OnTileFrontRightTop3D();
  Settle();
  window->resize(600, 400);
  Settle();
  ASSERT_EQ(area->viewport()->size(), QSize(600, 400));
  EXPECT_EQ(PlacesByType(), (std::map<int, QRect>{{kViewFront, {0, 200, 300, 200}},
                                                   {kViewRight, {300, 200, 300, 200}},
                                                   {kViewTop, {0, 0, 300, 200}},
                                                   {kView3D, {300, 0, 300, 200}}}));

  first->setGeometry(250, 150, 300, 200);
  const std::map<int, QRect> arranged = PlacesByType();
  window->resize(400, 300);
  Settle();
  EXPECT_EQ(PlacesByType(), arranged);
  const QSize seen = area->viewport()->size();
  for (QMdiSubWindow* child : area->subWindowList()) {
    const QRect place = child->geometry();
    EXPECT_GE(area->horizontalScrollBar()->maximum(), place.right() + 1 - seen.width()) << place.x();
    EXPECT_GE(area->verticalScrollBar()->maximum(), place.bottom() + 1 - seen.height()) << place.y();
  }
}

}  // namespace
