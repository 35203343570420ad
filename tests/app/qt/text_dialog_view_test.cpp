#include "app/qt/text_dialog_view.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "dialog_view_test.h"
#include "modelling/text_command.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

namespace {

class TextDialogViewTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
  }
};

QPushButton* ButtonOf(QWidget* modal, const QString& text) {
  for (QPushButton* button : modal->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

TEST_F(TextDialogViewTest, TextsComeFromTheLanguageAndSetFontShowsTheChosenFont) {
  UseTestLanguage();
  Headless().fontAnswers.push_back(FontChoice{"DejaVu Sans", 30, true, false});
  CTextDlg model;
  model.text = "old";
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("T:Text"));
    auto* check = modal->findChild<QCheckBox*>();
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), QStringLiteral("T:Create Block Text"));
    EXPECT_TRUE(check->isChecked());
    ASSERT_NE(ButtonOf(modal, QStringLiteral("T:OK")), nullptr);
    ASSERT_NE(ButtonOf(modal, QStringLiteral("T:Cancel")), nullptr);
    auto* edit = modal->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("old"));
    EXPECT_EQ(edit->maxLength(), 256);
    QPushButton* setFont = ButtonOf(modal, QStringLiteral("T:Set font"));
    ASSERT_NE(setFont, nullptr);
    setFont->click();
    EXPECT_EQ(edit->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(edit->font().pixelSize(), 30);
    EXPECT_TRUE(edit->font().bold());
    edit->setText(QStringLiteral("Ring"));
    check->setChecked(false);
    ButtonOf(modal, QStringLiteral("T:OK"))->click();
  });
  EXPECT_EQ(RunModalDialog(model), kAnswerOk);
  EXPECT_EQ(model.text, "Ring");
  EXPECT_EQ(model.createBlock, 0);
  EXPECT_EQ(TextFont.family, "DejaVu Sans");

  WhenModalOpens([](QWidget* modal) {
    // The chosen font is shown from the start.
    EXPECT_EQ(modal->findChild<QLineEdit*>()->font().pixelSize(), 30);
    modal->findChild<QLineEdit*>()->setText(QStringLiteral("changed"));
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(RunModalDialog(model), kAnswerCancel);
  EXPECT_EQ(model.text, "Ring");
}

}  // namespace
