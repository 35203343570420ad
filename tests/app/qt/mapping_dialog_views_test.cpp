#include "app/qt/mapping_dialog_views.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "dialog_view_test.h"
#include "modelling/mapping_dialogs.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

namespace {

class MappingDialogViewsTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
    UseTestLanguage();
  }
};

QPushButton* ButtonOf(QWidget* modal, const QString& text) {
  for (QPushButton* button : modal->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

int CheckedRadios(QWidget* modal) {
  int checked = 0;
  for (QRadioButton* radio : modal->findChildren<QRadioButton*>()) checked += radio->isChecked() ? 1 : 0;
  return checked;
}

TEST_F(MappingDialogViewsTest, ProjectMappingBindsItsModel) {
  CProjectMapDlg model;
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("T:Project Mapping"));
    // Top and Superimpose.
    EXPECT_EQ(CheckedRadios(modal), 2);
    auto edits = modal->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 3);
    // Text set from code does not switch the direction.
    edits[0]->setText(QStringLiteral("2"));
    EXPECT_EQ(CheckedRadios(modal), 2);
    ButtonOf(modal, QStringLiteral("T:OK"))->click();
  });
  EXPECT_EQ(RunModalDialog(model), kAnswerOk);
  EXPECT_EQ(model.direction, 0);
  EXPECT_EQ(model.vector[0], 2.0f);

  WhenModalOpens([](QWidget* modal) {
    auto edits = modal->findChildren<QLineEdit*>();
    edits[1]->clear();
    QTest::keyClicks(edits[1], QStringLiteral("abc"));
    // Typing switches to the arbitrary direction: no direction radio checked.
    EXPECT_EQ(CheckedRadios(modal), 1);
    // A refused field shows the base's message and keeps the dialog open.
    QString message;
    WhenModalOpens([&message](QWidget* box) {
      message = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->accept();
    });
    ButtonOf(modal, QStringLiteral("T:Arbitrary"))->click();
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(modal->isVisible());
    edits[1]->setText(QStringLiteral("3"));
    ButtonOf(modal, QStringLiteral("T:Arbitrary"))->click();
  });
  EXPECT_EQ(RunModalDialog(model), CProjectMapDlg::kArbitraryButton);
  EXPECT_EQ(model.direction, 4);
  EXPECT_EQ(model.vector[1], 3.0f);
}

TEST_F(MappingDialogViewsTest, UvMapBindsItsModel) {
  CUvMapDlg model;
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("T:UVMap"));
    auto* list = modal->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("T:Map onto ALL unpicked curves and surfaces"));
    list->setCurrentRow(1);
    emit list->itemDoubleClicked(list->item(1));
  });
  EXPECT_EQ(RunModalDialog(model), kAnswerOk);
  EXPECT_EQ(model.targetChoice, 1);
  EXPECT_EQ(model.automatic, 1);

  WhenModalOpens([](QWidget* modal) {
    auto edits = modal->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 4);
    edits[3]->setText(QStringLiteral("12"));
    EXPECT_TRUE(modal->findChildren<QCheckBox*>()[0]->isChecked());
    QTest::keyClicks(edits[2], QStringLiteral("1"));
    EXPECT_FALSE(modal->findChildren<QCheckBox*>()[0]->isChecked());
    ButtonOf(modal, QStringLiteral("T:Mapping direction and extent"))->click();
  });
  EXPECT_EQ(RunModalDialog(model), CUvMapDlg::kExtentButton);
  EXPECT_EQ(model.automatic, 0);
  EXPECT_EQ(model.y0, 1.0f);
  EXPECT_EQ(model.y1, 12.0f);
}

}  // namespace
