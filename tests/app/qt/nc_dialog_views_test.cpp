#include "app/qt/nc_dialog_views.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "dialog_view_test.h"
#include "manufacturing/nc_program.h"
#include "manufacturing/nc_show_path.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

namespace {

using D = CNcMachiningDlg;

// The Qt views, with every text of the table marked as a test language's.
class NcDialogViewsTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
    UseTestLanguage();
  }
};

QPushButton* Button(QWidget* dialog, const QString& text) {
  for (auto* button : dialog->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

// Acts on the modal window that passes the test, once it is the modal one: the window that
// opened it is modal too, until then.
void WhenModalIs(std::function<bool(QWidget*)> is, std::function<void(QWidget*)> act, int triesLeft = 1000) {
  QTimer::singleShot(0, [is, act, triesLeft] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible() && is(modal)) {
      act(modal);
    } else if (triesLeft > 0) {
      WhenModalIs(is, act, triesLeft - 1);
    } else {
      ADD_FAILURE() << "The window did not open";
    }
  });
}

void PressInUnitDialog(const QString& text) {
  WhenModalIs(
      [](QWidget* modal) {
        for (auto* button : modal->findChildren<QPushButton*>()) {
          if (button->text() == QStringLiteral("cm -> mm")) return true;
        }
        return false;
      },
      [text](QWidget* modal) { Button(modal, text)->click(); });
}

// Closes the range message that a refused value shows.
void CloseMessage() {
  WhenModalIs([](QWidget* modal) { return qobject_cast<QMessageBox*>(modal) != nullptr; },
              [](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->accept(); });
}

// The edit bound to control id.
QLineEdit* Edit(QWidget* dialog, int id) {
  for (auto* edit : dialog->findChildren<QLineEdit*>()) {
    if (edit->property("controlId").toInt() == id) return edit;
  }
  return nullptr;
}

TEST_F(NcDialogViewsTest, MachiningBindsItsModel) {
  D& model = NcMachiningDialog();
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("T:NC Machining"));
    QStringList labels;
    for (auto* label : modal->findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("T:Tool tip angle")));
    EXPECT_TRUE(labels.contains(QStringLiteral("T:Molding")));
    QLineEdit* angle = Edit(modal, D::kTipAngleEdit);
    ASSERT_NE(angle, nullptr);
    EXPECT_FALSE(angle->isEnabled());
    QComboBox* tool = nullptr;
    for (auto* combo : modal->findChildren<QComboBox*>()) {
      if (combo->itemText(0) == QStringLiteral("T:Ball Point")) tool = combo;
    }
    ASSERT_NE(tool, nullptr);
    tool->setCurrentIndex(2);
    EXPECT_TRUE(angle->isEnabled());

    // "<" and "inch -> mm".
    PressInUnitDialog(QStringLiteral("inch -> mm"));
    Button(modal, QStringLiteral("<"))->click();
    EXPECT_EQ(Edit(modal, D::kScaleEdit)->text(), QStringLiteral("25.4"));

    // A conical tool with angle 0 is refused, by Setup as by OK.
    angle->setText(QStringLiteral("0"));
    CloseMessage();
    Button(modal, QStringLiteral("T:Setup..."))->click();
    EXPECT_TRUE(modal->isVisible());
    EXPECT_EQ(modal->focusWidget(), angle);
    angle->setText(QStringLiteral("45"));
    Button(modal, QStringLiteral("T:Setup..."))->click();
  });
  EXPECT_EQ(RunModalDialog(model), D::kSetupAnswer);
  EXPECT_EQ(model.settings.tool, 2);
  EXPECT_EQ(model.settings.tipAngle, 45.0f);
  EXPECT_EQ(model.settings.scale, 25.4f);
}

TEST_F(NcDialogViewsTest, ShowPathTakesItsScaleFromTheUnits) {
  CNcShowPathDlg& model = NcShowPathDialog();
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("T:NC Show Path"));
    QStringList labels;
    for (auto* label : modal->findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels, (QStringList{"T:NC file name", "T:Object scale"}));
    EXPECT_NE(Button(modal, QStringLiteral("T:Browse")), nullptr);
    PressInUnitDialog(QStringLiteral("cm -> inch"));
    Button(modal, QStringLiteral("<"))->click();
    EXPECT_EQ(Edit(modal, CNcShowPathDlg::kScaleEdit)->text().toStdString(),
              FormatFloatText(static_cast<float>(1 / 2.54)));
    // Cancel of the units keeps the scale.
    PressInUnitDialog(QStringLiteral("T:Cancel"));
    Button(modal, QStringLiteral("<"))->click();
    Edit(modal, CNcShowPathDlg::kScaleEdit)->setText(QStringLiteral("0"));
    CloseMessage();
    Button(modal, QStringLiteral("T:OK"))->click();
    EXPECT_TRUE(modal->isVisible());
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(RunModalDialog(model), kAnswerCancel);
}

}  // namespace
