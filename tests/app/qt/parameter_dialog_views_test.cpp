#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "app/qt/color_swatch_button.h"
#include "dialog_view_test.h"
#include "modelling/color_config_dialog.h"
#include "modelling/surface_dialogs.h"
#include "modelling/transform_dialog.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

namespace {

class ParameterDialogViewsTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
  }
};

void Send(QWidget* widget, QEvent::Type type) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

TEST_F(ParameterDialogViewsTest, ADoubleClickLeavesOnlyThatOperationAndTheEditsFollow) {
  CTransformDlg transform;
  transform.mode = CTransformDlg::kModeObjects;
  transform.operations = kTransformMove | kTransformRotate;
  WhenModalOpens([](QWidget* modal) {
    auto* scale = modal->findChild<QPushButton*>(QStringLiteral("scale"));
    auto* move = modal->findChild<QPushButton*>(QStringLiteral("move"));
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->text(), QStringLiteral("Scale"));
    EXPECT_TRUE(move->isChecked());
    // What a window system delivers for a double-click.
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      Send(scale, type);
    }
    EXPECT_TRUE(scale->isChecked());
    EXPECT_FALSE(move->isChecked());
    int enabled = 0;
    for (QLineEdit* edit : modal->findChildren<QLineEdit*>()) enabled += edit->isEnabled() ? 1 : 0;
    EXPECT_EQ(enabled, 4);  // the three scale edits and the hidden copy number
    qobject_cast<QDialog*>(modal)->accept();
  });
  EXPECT_EQ(RunModalDialog(transform), kAnswerOk);
  EXPECT_EQ(transform.operations, kTransformAxisScale);
}

TEST_F(ParameterDialogViewsTest, TheModeShowsTheCopyNumberAndTheOrigin) {
  for (const auto mode : {CTransformDlg::kModeObjects, CTransformDlg::kModeCopy, CTransformDlg::kModeCurve}) {
    SCOPED_TRACE(mode);
    CTransformDlg transform;
    transform.mode = mode;
    WhenModalOpens([mode](QWidget* modal) {
      bool copyShown = false;
      for (QLabel* label : modal->findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("Copy No.")) copyShown = !label->isHidden();
      }
      bool originShown = false;
      for (QRadioButton* radio : modal->findChildren<QRadioButton*>()) originShown = !radio->parentWidget()->isHidden();
      EXPECT_EQ(copyShown, mode != CTransformDlg::kModeObjects);
      EXPECT_EQ(originShown, mode != CTransformDlg::kModeCurve);
      qobject_cast<QDialog*>(modal)->reject();
    });
    EXPECT_EQ(RunModalDialog(transform), kAnswerCancel);
  }
}

TEST_F(ParameterDialogViewsTest, OnlyFocusTheUserMovesTicksAStepBox) {
  CSurfaceStepDlg step;
  WhenModalOpens([](QWidget* modal) {
    const auto edits = modal->findChildren<QLineEdit*>();
    const auto boxes = modal->findChildren<QCheckBox*>();
    ASSERT_EQ(edits.size(), 2);
    ASSERT_EQ(boxes.size(), 2);
    // The focus a dialog hands out as it opens.
    QApplication::setActiveWindow(modal);
    edits[0]->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_FALSE(boxes[0]->isChecked());
    EXPECT_FALSE(boxes[1]->isChecked());
    edits[1]->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(boxes[0]->isChecked());
    EXPECT_TRUE(boxes[1]->isChecked());
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(RunModalDialog(step), kAnswerCancel);
  // A real Tab from the V box into its field.
  CSurfaceStepDlg tabbed;
  WhenModalOpens([](QWidget* modal) {
    const auto edits = modal->findChildren<QLineEdit*>();
    const auto boxes = modal->findChildren<QCheckBox*>();
    QApplication::setActiveWindow(modal);
    boxes[1]->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(boxes[1], Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), edits[1]);
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (button->isDefault()) button->click();
    }
  });
  EXPECT_EQ(RunModalDialog(tabbed), kAnswerOk);
  EXPECT_EQ(tabbed.uOn, 0);
  EXPECT_EQ(tabbed.vOn, 1);
}

TEST_F(ParameterDialogViewsTest, PipeEndsWithAModeButtonOrCancelsOnEscape) {
  CPipeSurfaceDlg pipe;
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->findChildren<QPushButton*>().size(), 3);
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  EXPECT_EQ(RunModalDialog(pipe), kAnswerCancel);
  EXPECT_EQ(pipe.mode, CPipeSurfaceDlg::kNoMode);
  WhenModalOpens([](QWidget* modal) {
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("Two sections")) button->click();
    }
  });
  EXPECT_EQ(RunModalDialog(pipe), kAnswerOk);
  EXPECT_EQ(pipe.mode, 2);
}

TEST_F(ParameterDialogViewsTest, ADoubleClickOnADivideEntryAccepts) {
  CDivideSurfaceDlg divide;
  WhenModalOpens([](QWidget* modal) {
    auto* list = modal->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    const auto items = list->findItems(QStringLiteral("4"), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    modal->findChildren<QRadioButton*>()[2]->click();
    emit list->itemDoubleClicked(items[0]);
  });
  EXPECT_EQ(RunModalDialog(divide), kAnswerOk);
  EXPECT_EQ(divide.number, 4);
  EXPECT_EQ(divide.way, 2);
}

TEST_F(ParameterDialogViewsTest, ASwatchFillsItsButtonAndIsOutlinedWhiteWhilePressed) {
  CColorSwatchButton swatch;
  swatch.resize(40, 20);
  swatch.setColor(0x0000FF);
  const QImage up = swatch.grab().toImage();
  EXPECT_EQ(up.pixelColor(20, 10), QColor(255, 0, 0));
  EXPECT_EQ(up.pixelColor(0, 0), QColor(0, 0, 0));
  EXPECT_EQ(up.pixelColor(1, 1), QColor(255, 0, 0));
  swatch.setDown(true);
  const QImage down = swatch.grab().toImage();
  for (const int i : {0, 1, 2}) EXPECT_EQ(down.pixelColor(i, 10), QColor(255, 255, 255));
  EXPECT_EQ(down.pixelColor(3, 10), QColor(255, 0, 0));
  EXPECT_EQ(down.pixelColor(39, 19), QColor(255, 255, 255));
}

TEST_F(ParameterDialogViewsTest, ColorsResetTheSwatchesAndKeepAPickedColour) {
  CColorConfigDlg colours;
  Headless().colorAnswers = {0x00FF00};
  WhenModalOpens([](QWidget* modal) {
    auto* grid = modal->findChild<CColorSwatchButton*>(QStringLiteral("swatch2"));
    ASSERT_NE(grid, nullptr);
    grid->click();
    EXPECT_EQ(grid->color(), 0x00FF00u);
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("OK")) button->click();
    }
  });
  EXPECT_EQ(RunModalDialog(colours), kAnswerOk);
  EXPECT_EQ(colours.colors[CColorConfigDlg::kGrid], 0x00FF00u);
}

TEST_F(ParameterDialogViewsTest, CaptionsAndLabelsComeFromTheStringTable) {
  UseTestLanguage();
  QStringList captions;
  QStringList labels;
  const auto note = [&captions, &labels](QWidget* modal) {
    captions << modal->windowTitle();
    for (QPushButton* button : modal->findChildren<QPushButton*>()) labels << button->text();
    for (QLabel* label : modal->findChildren<QLabel*>()) labels << label->text();
    qobject_cast<QDialog*>(modal)->reject();
  };
  CTransformDlg transform;
  transform.mode = CTransformDlg::kModeCopy;
  CSurfaceStepDlg step;
  CPipeSurfaceDlg pipe;
  CDivideSurfaceDlg divide;
  CColorConfigDlg colours;
  for (DialogModel* model : std::initializer_list<DialogModel*>{&transform, &step, &pipe, &divide, &colours}) {
    WhenModalOpens(note);
    RunModalDialog(*model);
  }
  EXPECT_EQ(captions, (QStringList{"T:Transform", "T:Surface Step", "T:Pipe Surface", "T:Divide Surface",
                                   "T:Color Configuration"}));
  for (const char* label : {"T:Move", "T:Size", "T:Rotate", "T:Copy No.", "T:In / Out", "T:Circular section",
                            "T:Dividing no.:", "T:Grid Color", "T:Reset"}) {
    EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
  }
}

}  // namespace
