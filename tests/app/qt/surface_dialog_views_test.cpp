#include "app/qt/surface_dialog_views.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "dialog_view_test.h"
#include "kernel/curve_object.h"
#include "modelling/loft_tool.h"
#include "modelling/rail_surface_tool.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

namespace {

class SurfaceDialogViewsTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
    view.documentHistory = &document;
    document.views = {&view};
    SetActiveView(&view);
    ShowTenPixelsPerUnit(view);
  }
  void TearDown() override {
    ResetToPickTool();
    SetActiveView(nullptr);
    DialogViewTest::TearDown();
  }

  TestDocument document;
  CViewport view;
};

bool HasInk(const QIcon& icon) {
  const QImage image = icon.pixmap(32, 32).toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) != 0) return true;
    }
  }
  return false;
}

TEST_F(SurfaceDialogViewsTest, RailDialogShowsTwelvePicturesAndCouplesThem) {
  CRailSurfaceDlg model;
  WhenModalOpens([](QWidget* modal) {
    std::vector<QToolButton*> pictures;
    for (int p = 0; p < 12; ++p) {
      auto* button = modal->findChild<QToolButton*>(QStringLiteral("extent%1").arg(p));
      ASSERT_NE(button, nullptr) << p;
      EXPECT_TRUE(button->isCheckable());
      EXPECT_TRUE(HasInk(button->icon())) << p;
      pictures.push_back(button);
    }
    ASSERT_NE(pictures[0]->group(), nullptr);
    EXPECT_TRUE(pictures[0]->group()->exclusive());
    EXPECT_EQ(pictures[0]->group()->buttons().size(), 12);
    EXPECT_TRUE(pictures[0]->isChecked());
    pictures[9]->click();
    EXPECT_FALSE(pictures[0]->isChecked());
    pictures[0]->click();
    for (QRadioButton* radio : modal->findChildren<QRadioButton*>()) {
      if (radio->text() == QStringLiteral("Vertical")) radio->click();
    }
    EXPECT_TRUE(pictures[4]->isChecked());
    EXPECT_FALSE(pictures[0]->isChecked());
    qobject_cast<QDialog*>(modal)->accept();
  });
  EXPECT_EQ(RunModalDialog(model), kAnswerOk);
  EXPECT_EQ(model.railType, 0);
  EXPECT_EQ(model.picture, 4);
}

TEST_F(SurfaceDialogViewsTest, LoftBarCountsRowsStaysOpenAndMirrorsTheButtons) {
  std::vector<std::string> texts;
  for (const MenuTableRow& row : MenuStringTable) texts.push_back(row.id == 33600 ? "Lofting" : std::string(row.text));
  FillStringTable(MenuStringTable, texts);
  for (int i = 0; i < 3; ++i) {
    auto curve = std::make_unique<CCurveObject>();
    curve->SetPoints(3, {{0, 2.0f * i, 0}, {1, 2.0f * i, 0}, {2, 2.0f * i, 0}});
    curve->stepsPerSpan = 0;
    AddObject(curve, 1);
  }
  OnLoftSurface();
  auto* loft = dynamic_cast<CLoftToolDlg*>(GetTool(0));
  ASSERT_NE(loft, nullptr);
  QWidget* window = platform().ui().ModelessWindow(*loft);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowFlags() & Qt::Tool, Qt::Tool);
  const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 3);
  for (QPushButton* button : buttons) EXPECT_FALSE(button->isEnabled());
  for (int i = 0; i < 3; ++i) {
    view.OnLButtonDown(kMouseLeftButton, 110, 100 - 20 * i);
    view.OnLButtonUp(0, 110, 100 - 20 * i);
  }
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Lofting (3)"));
  EXPECT_TRUE(buttons[0]->isEnabled());
  EXPECT_FALSE(buttons[1]->isEnabled());

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(window, &escape);
  window->close();
  EXPECT_EQ(platform().ui().ModelessWindow(*loft), window);
  EXPECT_EQ(GetTool(0), loft);
  buttons[0]->click();
  EXPECT_EQ(loft->Loft().points[6], (Vector3{2, 4, 0}));
}

}  // namespace
