#include "app/qt/jewel_dialog_views.h"

#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "dialog_view_test.h"
#include "modelling/jewel_type_dialog.h"
#include "modelling/round_diamond_size_dialog.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

namespace {

class JewelDialogViewsTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  }
};

bool HasDarkPixel(const QIcon& icon) {
  const QImage image = icon.pixmap(CJewelTypeDlg::kPictureSize, CJewelTypeDlg::kPictureSize).toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 200) return true;
    }
  }
  return false;
}

TEST_F(JewelDialogViewsTest, TheChooserShowsEightPicturesInTableOrderAndAPressAccepts) {
  const struct {
    Qt::MouseButton button;
    int row;
    const char* text;
  } presses[] = {{Qt::LeftButton, 3, "Heart"}, {Qt::RightButton, 6, "Triangle"}};
  for (const auto& press : presses) {
    SCOPED_TRACE(press.text);
    QString pressed;
    WhenModalOpens([&press, &pressed](QWidget* modal) {
      auto* list = modal->findChild<QListWidget*>();
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(list->iconSize(), QSize(50, 50));
      EXPECT_EQ(list->viewMode(), QListView::IconMode);
      EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
      const QStringList order = {"Round", "Marquise", "Pear", "Heart", "Square", "Octagon", "Triangle", "Taper"};
      ASSERT_EQ(list->count(), 8);
      for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(list->item(i)->text(), order[i]);
        EXPECT_TRUE(HasDarkPixel(list->item(i)->icon())) << i;
      }
      QListWidgetItem* item = list->item(press.row);
      pressed = item->text();
      list->scrollToItem(item);
      QTest::mousePress(list->viewport(), press.button, Qt::NoModifier, list->visualItemRect(item).center());
    });
    EXPECT_EQ(RunModalDialog(JewelTypeDialog), kAnswerOk);
    EXPECT_EQ(pressed, QString::fromUtf8(press.text));
    EXPECT_EQ(JewelTypeDialog.chosen, press.row);
  }
}

TEST_F(JewelDialogViewsTest, OkWithoutASelectionKeepsTheChooserOpen) {
  WhenModalOpens([](QWidget* modal) {
    auto* list = modal->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentRow(), 0);
    list->clearSelection();
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (button->isDefault()) button->click();
    }
    EXPECT_TRUE(modal->isVisible());
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(RunModalDialog(JewelTypeDialog), kAnswerCancel);
}

TEST_F(JewelDialogViewsTest, TheSizeViewBindsTheNumberAndTheUnit) {
  WhenModalOpens([](QWidget* modal) {
    auto* number = modal->findChild<QDoubleSpinBox*>();
    auto* unit = modal->findChild<QComboBox*>();
    ASSERT_NE(number, nullptr);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(number->minimum(), 0.01);
    EXPECT_EQ(number->maximum(), 1000.0);
    EXPECT_EQ(number->decimals(), 2);
    EXPECT_EQ(number->value(), 1.0);
    ASSERT_EQ(unit->count(), 2);
    EXPECT_EQ(unit->itemText(0), QStringLiteral("mm"));
    EXPECT_EQ(unit->itemText(1), QStringLiteral("carat"));
    number->setValue(0.5);
    unit->setCurrentIndex(1);
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (button->isDefault()) button->click();
    }
  });
  EXPECT_FLOAT_EQ(AskRoundDiamondSize(), 5.16f);
  EXPECT_EQ(RoundDiamondSizeDialog.unit, CRoundDiamondSizeDlg::kCarats);
  EXPECT_EQ(RoundDiamondSizeDialog.number, 0.5f);
}

TEST_F(JewelDialogViewsTest, CaptionsComeFromTheStringTable) {
  UseTestLanguage();
  QStringList captions;
  const auto note = [&captions](QWidget* modal) {
    captions << modal->windowTitle();
    qobject_cast<QDialog*>(modal)->reject();
  };
  WhenModalOpens(note);
  RunModalDialog(JewelTypeDialog);
  WhenModalOpens(note);
  AskRoundDiamondSize();
  EXPECT_EQ(captions, (QStringList{"T:Jewel", "T:Round Diamond Size"}));
}

}  // namespace
