#include "app/qt/mapping_dialog_views.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/qt/data_dialog_view.h"
#include "modelling/mapping_dialogs.h"
#include "platform/qt/qt_ui_services.h"

namespace {

// A check box that follows an int member both ways.
QCheckBox* BoundCheck(QDialog& dialog, int label, int* value) {
  auto* box = new QCheckBox(Localized(label), &dialog);
  box->setChecked(*value != 0);
  QObject::connect(box, &QCheckBox::toggled, &dialog, [value](bool on) { *value = on ? 1 : 0; });
  return box;
}

// Radios whose checked button shows value; a value of none of them shows none checked, which an
// exclusive group cannot: its exclusivity is off while it is cleared.
QButtonGroup* RadioGroup(QDialog& dialog, QGridLayout* grid, int row, std::initializer_list<int> labels) {
  auto* group = new QButtonGroup(&dialog);
  int index = 0;
  for (const int label : labels) {
    auto* radio = new QRadioButton(Localized(label), &dialog);
    group->addButton(radio, index);
    grid->addWidget(radio, row, index++);
  }
  return group;
}

void ShowChoice(QButtonGroup* group, int value) {
  QAbstractButton* wanted = group->button(value);
  if (wanted != nullptr) {
    wanted->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

// A push button that ends the dialog with code once the fields check.
void AddEndingButton(QDialog& dialog, QGridLayout* grid, int row, int label, CDataDialog& model, int code,
                     std::function<bool()> press) {
  auto* button = new QPushButton(Localized(label), &dialog);
  button->setAutoDefault(false);
  grid->addWidget(button, row, 0, 1, 4);
  QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &model, code, press] {
    if (press()) {
      dialog.done(code);
    } else {
      FocusFailedField(dialog, model);
    }
  });
}

int Result(int code, int extra) {
  if (code == QDialog::Accepted) return kAnswerOk;
  return code == extra ? extra : kAnswerCancel;
}

int RunProjectMapView(CProjectMapDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 32600);
  auto* grid = new QGridLayout;
  content->addLayout(grid);
  grid->addWidget(new QLabel(Localized(32601), &dialog), 0, 0, 1, 4);
  QButtonGroup* directions = RadioGroup(dialog, grid, 1, {32602, 32603, 32604, 32605});
  ShowChoice(directions, model.direction);
  QObject::connect(directions, &QButtonGroup::idClicked, &dialog, [&model](int id) { model.direction = id; });
  grid->addWidget(new QLabel(Localized(32610), &dialog), 2, 0, 1, 4);
  QButtonGroup* placements = RadioGroup(dialog, grid, 3, {32611, 32612});
  ShowChoice(placements, model.placement);
  QObject::connect(placements, &QButtonGroup::idClicked, &dialog, [&model](int id) { model.placement = id; });
  grid->addWidget(BoundCheck(dialog, 32613, &model.keepSections), 4, 0, 1, 4);
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(new QLabel(Localized(32607 + i), &dialog), 5, i);
    QLineEdit* edit = BoundEdit(model, CProjectMapDlg::kVectorEdits[i], &dialog);
    grid->addWidget(edit, 6, i);
    // Only the user's typing counts; texts set from the model do not switch the direction.
    QObject::connect(edit, &QLineEdit::textEdited, &dialog, [&model, directions] {
      model.OnVectorEdited();
      ShowChoice(directions, model.direction);
    });
  }
  AddEndingButton(dialog, grid, 7, 32606, model, CProjectMapDlg::kArbitraryButton,
                  [&model] { return model.PressArbitrary(); });
  return Result(dialog.exec(), CProjectMapDlg::kArbitraryButton);
}

int RunUvMapView(CUvMapDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 32700);
  auto* grid = new QGridLayout;
  content->addLayout(grid);
  QCheckBox* automatic = BoundCheck(dialog, 32708, &model.automatic);
  QButtonGroup* directions = RadioGroup(dialog, grid, 0, {32702, 32703});
  ShowChoice(directions, model.direction);
  const auto userChange = [&model, automatic] {
    model.OnUserChange();
    automatic->setChecked(model.automatic != 0);
  };
  QObject::connect(directions, &QButtonGroup::idClicked, &dialog, [&model, userChange](int id) {
    model.direction = id;
    userChange();
  });
  for (int i = 0; i < 4; ++i) {
    grid->addWidget(new QLabel(Localized(32704 + i), &dialog), 1, i);
    QLineEdit* edit = BoundEdit(model, CUvMapDlg::kRectangleEdits[i], &dialog);
    grid->addWidget(edit, 2, i);
    QObject::connect(edit, &QLineEdit::textEdited, &dialog, userChange);
  }
  grid->addWidget(automatic, 3, 0, 1, 4);
  grid->addWidget(BoundCheck(dialog, 32709, &model.uniform), 4, 0, 1, 4);
  auto* targets = new QListWidget(&dialog);
  targets->setSortingEnabled(false);
  targets->addItem(Localized(10073));
  targets->addItem(Localized(10074));
  targets->setCurrentRow(model.targetChoice);
  QObject::connect(targets, &QListWidget::currentRowChanged, &dialog, [&model](int row) {
    if (row >= 0) model.targetChoice = row;
  });
  QObject::connect(targets, &QListWidget::itemDoubleClicked, &dialog, [&dialog] { PressDefaultButton(dialog); });
  grid->addWidget(targets, 5, 0, 1, 4);
  AddEndingButton(dialog, grid, 6, 32701, model, CUvMapDlg::kExtentButton,
                  [&model] { return model.PressMappingExtent(); });
  return Result(dialog.exec(), CUvMapDlg::kExtentButton);
}

}  // namespace

void RegisterMappingDialogViews(QtUiServices& ui) {
  ui.RegisterDialogView(CProjectMapDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunProjectMapView(static_cast<CProjectMapDlg&>(model), parent);
  });
  ui.RegisterDialogView(CUvMapDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunUvMapView(static_cast<CUvMapDlg&>(model), parent);
  });
}
