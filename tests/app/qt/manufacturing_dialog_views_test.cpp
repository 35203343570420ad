#include "app/qt/manufacturing_dialog_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "dialog_view_test.h"
#include "manufacturing/cut_slices.h"
#include "manufacturing/estimate_commands.h"
#include "manufacturing/one_side_stl_commands.h"
#include "modelling/extend_solid_dialog.h"
#include "modelling/ring_size_dialog.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "services/app_settings.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

namespace {

class ManufacturingDialogViewsTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
  }
};

QPushButton* Button(QWidget* modal, const QString& text) {
  for (QPushButton* button : modal->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

TEST_F(ManufacturingDialogViewsTest, TheRingListLaysItsSizesInColumnsAndNeedsASelection) {
  CRingSizeDlg model;
  WhenModalOpens([](QWidget* modal) {
    auto* list = modal->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 26);
    EXPECT_EQ(list->currentRow(), 0);
    const QRect first = list->visualItemRect(list->item(0));
    const QRect second = list->visualItemRect(list->item(1));
    const QRect last = list->visualItemRect(list->item(25));
    EXPECT_EQ(second.left(), first.left());
    EXPECT_GT(second.top(), first.top());
    EXPECT_GE(last.left() - first.left(), CRingSizeDlg::kColumnWidth);
    // Europe: the list refills with no selection, and OK then keeps the dialog open.
    modal->findChildren<QRadioButton*>()[2]->click();
    ASSERT_EQ(list->count(), 32);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("38"));
    Button(modal, QStringLiteral("OK"))->click();
    EXPECT_TRUE(modal->isVisible());
    list->setCurrentRow(4);
    Button(modal, QStringLiteral("OK"))->click();
  });
  EXPECT_EQ(RunModalDialog(model), kAnswerOk);
  EXPECT_EQ(model.table, 2);
  EXPECT_EQ(model.index, 4);
}

TEST_F(ManufacturingDialogViewsTest, TheWeightListIsEditableAndExtendToSolidHasSetup) {
  CVolumeMassDlg weight;
  WhenModalOpens([](QWidget* modal) {
    auto* combo = modal->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isEditable());
    ASSERT_EQ(combo->count(), 7);
    EXPECT_EQ(combo->itemText(6), QStringLiteral("21.400  [Platinum 21.4]"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("19.300  [Gold(24K) 19.3]"));
    combo->setEditText(QStringLiteral("17.5"));
    Button(modal, QStringLiteral("OK"))->click();
  });
  EXPECT_EQ(RunModalDialog(weight), kAnswerOk);
  EXPECT_EQ(weight.gravityText, "17.5");

  CExtendToSolidDlg extend;
  WhenModalOpens([](QWidget* modal) {
    const QList<QLineEdit*> edits = modal->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 3);
    edits[0]->setText(QStringLiteral("2"));
    Button(modal, QStringLiteral("Setup"))->click();
  });
  EXPECT_EQ(RunModalDialog(extend), CExtendToSolidDlg::kAnswerSetup);
  EXPECT_EQ(extend.direction[0], 2.0f);
}

TEST_F(ManufacturingDialogViewsTest, SlicingAdvancedControlsFollowTheirCheckAndAKindChecksTheStl) {
  CCutSlicesDlg model;
  WhenModalOpens([](QWidget* modal) {
    QCheckBox* advanced = nullptr;
    QCheckBox* alsoStl = nullptr;
    for (QCheckBox* check : modal->findChildren<QCheckBox*>()) {
      if (check->text() == QStringLiteral("Advanced Settings")) advanced = check;
      if (check->text() == QStringLiteral("Also output STL file")) alsoStl = check;
    }
    ASSERT_NE(advanced, nullptr);
    ASSERT_NE(alsoStl, nullptr);
    EXPECT_FALSE(alsoStl->isEnabled());
    advanced->click();
    EXPECT_TRUE(alsoStl->isEnabled());
    for (QRadioButton* radio : modal->findChildren<QRadioButton*>()) {
      if (radio->text() == QStringLiteral("Binary")) radio->click();
    }
    EXPECT_TRUE(alsoStl->isChecked());
    const QList<QComboBox*> combos = modal->findChildren<QComboBox*>();
    ASSERT_GE(combos.size(), 3);
    combos[0]->setCurrentIndex(4);
    EXPECT_EQ(combos[1]->currentText(), QStringLiteral("0.016"));
    EXPECT_EQ(modal->findChild<QGroupBox*>(), nullptr);
    qobject_cast<QDialog*>(modal)->reject();
  });
  RunModalDialog(model);
  // The Meiko group only with "meiko" in the settings.
  CfgMeiko = 1;
  WhenModalOpens([](QWidget* modal) {
    auto* meiko = modal->findChild<QGroupBox*>();
    ASSERT_NE(meiko, nullptr);
    EXPECT_EQ(meiko->title(), QStringLiteral("Meiko"));
    EXPECT_EQ(meiko->findChildren<QLineEdit*>().size(), 3);
    qobject_cast<QDialog*>(modal)->reject();
  });
  RunModalDialog(model);
  CfgMeiko = 0;
}

TEST_F(ManufacturingDialogViewsTest, CaptionsComeFromTheStringTable) {
  UseTestLanguage();
  QStringList captions;
  const auto note = [&captions](QWidget* modal) {
    captions << modal->windowTitle();
    qobject_cast<QDialog*>(modal)->reject();
  };
  CRingSizeDlg ring;
  CVolumeMassDlg weight;
  CExtendToSolidDlg extend;
  WhenModalOpens(note);
  RunModalDialog(ring);
  WhenModalOpens(note);
  RunModalDialog(weight);
  WhenModalOpens(note);
  RunModalDialog(extend);
  EXPECT_EQ(captions, (QStringList{"T:Ring Size", "T:Estimate Weight", "T:Extend Facet Object to Solid"}));
}

}  // namespace
