#include "app/qt/background_image_dialog_view.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "app/qt/app_dialog_views.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "qt_test.h"
#include "scene/background_image_dialog.h"
#include "scene/view_background.h"

namespace {

using BackgroundImageDialogViewTest = QtTest;

TEST_F(BackgroundImageDialogViewTest, FitRadiosAndCentreEditsChooseThePicture) {
  RegisterAppDialogViews(platform().ui());
  InstallPlatformServices({&platform().ui(), &Headless(), &platform().settings(), nullptr, &platform().input()});
  CBackgroundImageDlg& model = BackgroundImageDialog();
  WhenModalOpens([&model](QWidget* modal) {
    QRadioButton* blank = nullptr;
    QRadioButton* picture = nullptr;
    QRadioButton* fitWidth = nullptr;
    for (QRadioButton* radio : modal->findChildren<QRadioButton*>()) {
      if (radio->text() == "Blank background") blank = radio;
      if (radio->text().isEmpty()) picture = radio;
      if (radio->text() == "Fit to view's width") fitWidth = radio;
    }
    ASSERT_TRUE(blank && picture && fitWidth);
    EXPECT_TRUE(blank->isChecked());
    fitWidth->click();
    EXPECT_TRUE(picture->isChecked());
    EXPECT_EQ(model.fitMode, kFitWidth);
    EXPECT_EQ(model.imageChoice, 1);

    blank->click();
    QLineEdit* centreX = nullptr;
    for (QLineEdit* edit : modal->findChildren<QLineEdit*>()) {
      if (edit->property("controlId").toInt() == CBackgroundImageDlg::kCentreXEdit) centreX = edit;
    }
    ASSERT_NE(centreX, nullptr);
    // Typing a new scale over the old one scales the centre as it goes and keeps the typing.
    QLineEdit* scale = nullptr;
    for (QLineEdit* edit : modal->findChildren<QLineEdit*>()) {
      if (edit->property("controlId").toInt() == CBackgroundImageDlg::kScaleEdit) scale = edit;
    }
    ASSERT_NE(scale, nullptr);
    centreX->setText(QStringLiteral("2"));
    scale->selectAll();
    QTest::keyClicks(scale, QStringLiteral("50"));
    EXPECT_EQ(scale->text(), QStringLiteral("50"));
    EXPECT_EQ(centreX->text(), QStringLiteral("4"));  // 2 x 5 / 25, then x 50 / 5
    EXPECT_EQ(model.scale, 50.0f);
    QFocusEvent focus(QEvent::FocusIn);
    QCoreApplication::sendEvent(centreX, &focus);
    EXPECT_EQ(model.imageChoice, 1);
    EXPECT_EQ(model.fitMode, kFitLockedToView);
    qobject_cast<QDialog*>(modal)->reject();
  });
  RunBackgroundImageDialog();
  EXPECT_EQ(HasBackgroundImage(), 0);
}

}  // namespace
