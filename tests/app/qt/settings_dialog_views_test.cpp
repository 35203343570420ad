#include "app/qt/settings_dialog_views.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/qt/app_dialog_views.h"
#include "app/settings_dialogs.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "qt_test.h"
#include "services/app_settings.h"

namespace {

using SettingsDialogViewsTest = QtTest;

QPushButton* Button(QWidget* modal, const QString& text) {
  for (QPushButton* button : modal->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

TEST_F(SettingsDialogViewsTest, GridSpacingEditChecksItsModeAndARefusedSpacingKeepsTheDialogOpen) {
  RegisterAppDialogViews(platform().ui());
  InstallPlatformServices({&platform().ui(), &Headless(), &platform().settings(), nullptr, &platform().input()});
  QString message;
  bool stayedOpen = false;
  bool focusBack = false;
  WhenModalOpens([&](QWidget* modal) {
    auto* spacing = modal->findChild<QLineEdit*>();
    QRadioButton* radios[2] = {};
    for (QRadioButton* radio : modal->findChildren<QRadioButton*>()) radios[radio->text() == "No grid" ? 1 : 0] = radio;
    ASSERT_NE(spacing, nullptr);
    ASSERT_NE(radios[1], nullptr);
    EXPECT_EQ(spacing->text(), QStringLiteral("10"));
    radios[1]->click();
    QFocusEvent focus(QEvent::FocusIn);
    QCoreApplication::sendEvent(spacing, &focus);
    EXPECT_TRUE(radios[0]->isChecked());
    spacing->setText(QStringLiteral("0.005"));
    WhenModalOpens([&message](QWidget* box) {
      message = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->accept();
    });
    Button(modal, "OK")->click();
    stayedOpen = modal->isVisible();
    focusBack = spacing->selectedText() == QStringLiteral("0.005");  // the failing edit, all selected
    spacing->setText(QStringLiteral("0.5"));
    Button(modal, "OK")->click();
  });
  OnGridSettings();
  EXPECT_EQ(message, QStringLiteral("Enter a number between 0.01 and 100."));
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(focusBack);
  EXPECT_EQ(GridSpacing, 0.5f);
}

}  // namespace
