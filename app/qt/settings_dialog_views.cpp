#include "app/qt/settings_dialog_views.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/data_dialog_view.h"
#include "app/settings_dialogs.h"

int RunGridSettingView(CGridSettingDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(31500));
  auto* spacingMode = new QRadioButton(Localized(31501), &dialog);
  auto* noGrid = new QRadioButton(Localized(31502), &dialog);
  auto* group = new QButtonGroup(&dialog);
  group->addButton(spacingMode, 0);
  group->addButton(noGrid, 1);
  (model.mode == 1 ? noGrid : spacingMode)->setChecked(true);
  QObject::connect(group, &QButtonGroup::idToggled, &dialog, [&model](int id, bool on) {
    if (on) model.mode = id;
  });
  QLineEdit* spacing = BoundEdit(model, CGridSettingDlg::kSpacingEdit, &dialog);
  OnFocusIn(spacing, [spacingMode] { spacingMode->setChecked(true); });

  auto* grid = new QGridLayout;
  grid->addWidget(spacingMode, 0, 0);
  grid->addWidget(spacing, 0, 1);
  grid->addWidget(noGrid, 1, 0);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(grid);
  layout->addLayout(OkCancelButtons(dialog, model));
  return ExecDataDialog(dialog);
}

int RunDirectoriesView(CDirectoriesDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(33700));
  auto* grid = new QGridLayout;
  const struct {
    int edit;
    int label;
  } rows[] = {{CDirectoriesDlg::kDatabaseEdit, 33701}, {CDirectoriesDlg::kMaterialEdit, 33702}};
  int row = 0;
  for (const auto& [edit, label] : rows) {
    auto* browse = new QPushButton(Localized(label), &dialog);
    QLineEdit* folder = BoundEdit(model, edit, &dialog);
    folder->setMinimumWidth(320);
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&dialog, &model, edit = edit] {
      model.OnBrowse(edit);
      ShowModelTexts(dialog, model);
    });
    grid->addWidget(browse, row, 0);
    grid->addWidget(folder, row, 1);
    ++row;
  }
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(grid);
  layout->addLayout(OkCancelButtons(dialog, model));
  return ExecDataDialog(dialog);
}

int RunZoomCalibrationView(CZoomCalibrationDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(33800));
  auto* fromView = new QPushButton(Localized(33802), &dialog);
  QObject::connect(fromView, &QPushButton::clicked, &dialog, [&dialog, &model] {
    model.OnFactorFromCurrentView();
    ShowModelTexts(dialog, model);
  });
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Localized(33801), &dialog), 0, 0);
  grid->addWidget(BoundEdit(model, CZoomCalibrationDlg::kFactorEdit, &dialog), 0, 1);
  grid->addWidget(fromView, 1, 1);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(grid);
  layout->addLayout(OkCancelButtons(dialog, model));
  return ExecDataDialog(dialog);
}
