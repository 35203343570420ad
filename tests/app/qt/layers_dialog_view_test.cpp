#include "app/qt/layers_dialog_view.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>

#include "app/qt/app_dialog_views.h"
#include "app/qt/color_swatch_button.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "qt_test.h"
#include "services/layer_table.h"
#include "services/layers_dialog.h"

namespace {

using LayersDialogViewTest = QtTest;

void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
  }
}

TEST_F(LayersDialogViewTest, TheRowsEditTheWorkingCopyAndOkHandsItOver) {
  LoadLayerSettings();
  // Colours come from a scripted picker; everything else from the widgets.
  RegisterAppDialogViews(platform().ui());
  InstallPlatformServices({&platform().ui(), &Headless(), &platform().settings(), nullptr, &platform().input()});
  Headless().colorAnswers.push_back(0x0000FF);
  CLayersDlg dialog;
  dialog.selectedLayer = 2;
  WhenModalOpens([](QWidget* modal) {
    const auto edits = modal->findChildren<QLineEdit*>();
    const auto boxes = modal->findChildren<QCheckBox*>();
    std::vector<CColorSwatchButton*> swatches;
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (auto* swatch = dynamic_cast<CColorSwatchButton*>(button)) swatches.push_back(swatch);
    }
    ASSERT_EQ(edits.size(), 20);
    ASSERT_EQ(swatches.size(), 20u);
    EXPECT_EQ(edits[4]->text(), QStringLiteral("Layer 5"));
    edits[4]->selectAll();
    Type(edits[4], QStringLiteral("Metal"));
    boxes[2 * 4]->click();      // layer 5 not pickable
    swatches[4]->click();       // layer 5 red
    qobject_cast<QDialog*>(modal)->accept();
  });
  EXPECT_EQ(RunModalDialog(dialog), kAnswerOk);
  EXPECT_EQ(LayerTable[4].name, "Metal");
  EXPECT_EQ(LayerTable[4].pickable, 0);
  EXPECT_EQ(LayerTable[4].color, 0x0000FFu);
  EXPECT_EQ(dialog.selectedLayer, 2);
  EXPECT_EQ(dialog.moveOption, 1);
}

TEST_F(LayersDialogViewTest, ColumnsHaveHeadingsAndTipsAndALoadFailureShowsOverTheDialog) {
  LoadLayerSettings();
  RegisterAppDialogViews(platform().ui());
  InstallPlatformServices({&platform().ui(), &Headless(), &platform().settings(), nullptr, &platform().input()});
  TempDir folder;
  Headless().fileAnswers.push_back(FileDialogAnswer{folder.Write("bad.lyr", std::string_view("no layers")), 1});
  CLayersDlg dialog;
  QWidget* messageParent = nullptr;
  WhenModalOpens([&messageParent](QWidget* modal) {
    const QStringList headings = {"Current", "Name", "Pick", "Show", "Colour"};
    auto* grid = modal->findChild<QGridLayout*>();
    ASSERT_NE(grid, nullptr);
    for (int column = 0; column < headings.size(); ++column) {
      auto* heading = qobject_cast<QLabel*>(grid->itemAtPosition(0, column)->widget());
      ASSERT_NE(heading, nullptr) << column;
      EXPECT_EQ(heading->text(), headings[column]);
      for (int row = 1; row <= 20; ++row) EXPECT_EQ(grid->itemAtPosition(row, column)->widget()->toolTip(), headings[column]);
    }
    WhenModalOpens([&messageParent](QWidget* box) {
      messageParent = box->parentWidget();
      qobject_cast<QMessageBox*>(box)->accept();
    });
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("Load Layer File")) button->click();
    }
    EXPECT_EQ(messageParent, modal);
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(RunModalDialog(dialog), kAnswerCancel);
  EXPECT_NE(messageParent, nullptr);
}

}  // namespace
