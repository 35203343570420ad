#include "app/qt/curve_dialog_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <functional>
#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "dialog_view_test.h"
#include "modelling/block_dialog.h"
#include "modelling/curve_dialogs.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/scene.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

namespace {

class CurveDialogViewsTest : public DialogViewTest {
 protected:
  void SetUp() override {
    DialogViewTest::SetUp();
  }
};

void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
  }
}

// Double-clicks the list's entry of the text.
void DoubleClickEntry(QWidget* modal, const QString& text) {
  auto* list = modal->findChild<QListWidget*>();
  ASSERT_NE(list, nullptr);
  const auto items = list->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1);
  emit list->itemDoubleClicked(items[0]);
}

TEST_F(CurveDialogViewsTest, ADoubleClickOnAListEntryAccepts) {
  CMakeLineDlg line;
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("Line"));
    DoubleClickEntry(modal, QStringLiteral("22.5"));
  });
  EXPECT_EQ(RunModalDialog(line), kAnswerOk);
  EXPECT_EQ(line.angle, 22.5f);

  CMakeCircleDlg circle;
  WhenModalOpens([](QWidget* modal) { DoubleClickEntry(modal, QStringLiteral("12")); });
  EXPECT_EQ(RunModalDialog(circle), kAnswerOk);
  EXPECT_EQ(circle.count, 12);

  CPolygonDlg polygon;
  WhenModalOpens([](QWidget* modal) { DoubleClickEntry(modal, QStringLiteral("8")); });
  EXPECT_EQ(RunModalDialog(polygon), kAnswerOk);
  EXPECT_EQ(polygon.sides, 8);

  CDivideCurvesDlg divide;
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->findChild<QLineEdit*>()->maxLength(), 2);
    DoubleClickEntry(modal, QStringLiteral("7"));
  });
  EXPECT_EQ(RunModalDialog(divide), kAnswerOk);
  EXPECT_EQ(divide.number, 7);
}

TEST_F(CurveDialogViewsTest, FirstCvPicturesAreCheckableAndExclusive) {
  CMakeCircleDlg circle;
  circle.first = 1;
  WhenModalOpens([](QWidget* modal) {
    auto* vertex = modal->findChild<QToolButton*>(QStringLiteral("vertex"));
    auto* flat = modal->findChild<QToolButton*>(QStringLiteral("flat"));
    ASSERT_NE(vertex, nullptr);
    ASSERT_NE(flat, nullptr);
    EXPECT_FALSE(vertex->icon().isNull());
    EXPECT_TRUE(flat->isChecked());
    vertex->click();
    EXPECT_TRUE(vertex->isChecked());
    EXPECT_FALSE(flat->isChecked());
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(RunModalDialog(circle), kAnswerCancel);
  EXPECT_EQ(circle.first, 0);
}

TEST_F(CurveDialogViewsTest, RevolveShowsWrittenValuesWithoutCouplingAndCouplesTypedOnes) {
  auto* model = new CRevolveToolDlg(4, 90.0f, 1, 0, 7006);
  QWidget* window = platform().ui().ModelessWindow(*model);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Revolve"));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool));
  const auto lists = window->findChildren<QComboBox*>();
  ASSERT_EQ(lists.size(), 2);
  QComboBox* number = lists[0];
  QComboBox* degree = lists[1];
  EXPECT_EQ(number->currentText(), QStringLiteral("4"));
  // As a drag writes them: shown as they are.
  model->texts[CRevolveToolDlg::kNumberList] = "7";
  model->texts[CRevolveToolDlg::kDegreeList] = "10";
  model->onValuesShown();
  EXPECT_EQ(number->currentText(), QStringLiteral("7"));
  EXPECT_EQ(degree->currentText(), QStringLiteral("10"));
  EXPECT_EQ(model->texts[CRevolveToolDlg::kDegreeList], "10");
  // Typed by the user: the degree follows the number.
  number->lineEdit()->selectAll();
  Type(number->lineEdit(), QStringLiteral("5"));
  EXPECT_EQ(model->texts[CRevolveToolDlg::kNumberList], "5");
  EXPECT_EQ(degree->currentText(), QStringLiteral("72"));
  TheScene.overlayTool.reset();
}

TEST_F(CurveDialogViewsTest, ExtendArrowsStepFromTwoAndThePolarBoxRelabels) {
  auto* model = new CExtendToolDlg(2, {3, 4, 0}, 0, 7005);
  QWidget* window = platform().ui().ModelessWindow(*model);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Extend"));
  QToolButton* down = nullptr;
  for (QToolButton* arrow : window->findChildren<QToolButton*>()) {
    if (arrow->arrowType() == Qt::DownArrow) down = arrow;
  }
  ASSERT_NE(down, nullptr);
  down->click();
  EXPECT_EQ(model->texts[CExtendToolDlg::kNumberEdit], "2");
  auto* polar = window->findChild<QCheckBox*>();
  ASSERT_NE(polar, nullptr);
  polar->click();
  EXPECT_EQ(model->polar, 1);
  EXPECT_EQ(model->texts[CExtendToolDlg::kValueEdits[0]], "5");
  QStringList labels;
  for (QLabel* label : window->findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains(QStringLiteral("/")));
  EXPECT_FALSE(labels.contains(QStringLiteral("--")));
  TheScene.overlayTool.reset();
}

TEST_F(CurveDialogViewsTest, CaptionsComeFromTheStringTable) {
  UseTestLanguage();
  QStringList captions;
  const auto note = [&captions](QWidget* modal) {
    captions << modal->windowTitle();
    qobject_cast<QDialog*>(modal)->reject();
  };
  CMakeLineDlg line;
  CMakeCircleDlg circle;
  CPolygonDlg polygon;
  CHelixDlg helix;
  CDivideCurvesDlg divide;
  COffsetDlg offset;
  for (DialogModel* model : std::initializer_list<DialogModel*>{&line, &circle, &polygon, &helix, &divide, &offset}) {
    WhenModalOpens(note);
    RunModalDialog(*model);
  }
  auto* extend = new CExtendToolDlg(2, {1, 0, 0}, 0, 7005);
  captions << platform().ui().ModelessWindow(*extend)->windowTitle();
  auto* revolve = new CRevolveToolDlg(4, 90, 1, 0, 7006);
  captions << platform().ui().ModelessWindow(*revolve)->windowTitle();
  EXPECT_EQ(captions, (QStringList{"T:Line", "T:Circle", "T:Polygon", "T:Helix", "T:Divide Curves", "T:Offset",
                                   "T:Extend", "T:Revolve"}));
  TheScene.overlayTool.reset();
}

TEST_F(CurveDialogViewsTest, TheBlockDialogTakesItsSizesAndBothEndTypes) {
  CBlockFromCurvesDlg block;
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("Create Block from curves"));
    const auto edits = modal->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 2);
    EXPECT_EQ(edits[0]->text(), QStringLiteral("1"));
    edits[0]->setText(QStringLiteral("0.25"));
    edits[1]->setText(QStringLiteral("2"));
    const auto radios = modal->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 6);
    EXPECT_TRUE(radios[0]->isChecked());
    radios[1]->click();  // front: Fillet
    radios[5]->click();  // back: Chamfer
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (button->isDefault()) button->click();
    }
  });
  EXPECT_EQ(RunModalDialog(block), kAnswerOk);
  EXPECT_EQ(block.values.radius, 0.25f);
  EXPECT_EQ(block.values.thickness, 2.0f);
  EXPECT_EQ(block.values.frontEndType, 1);
  EXPECT_EQ(block.values.backEndType, 2);
}

}  // namespace
