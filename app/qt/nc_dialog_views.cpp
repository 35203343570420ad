#include "app/qt/nc_dialog_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/data_dialog_view.h"
#include "manufacturing/nc_posts.h"
#include "manufacturing/nc_program.h"
#include "manufacturing/nc_show_path.h"
#include "manufacturing/unit_conversion_dialog.h"
#include "platform/qt/qt_ui_services.h"

namespace {

constexpr int kBrowseText = 3;

// The label of the NC Machining dialog at position i of its string family.
QString Label(int i) { return Localized(CNcMachiningDlg::kFirstLabelString + i); }
enum LabelIndex {
  kFileName, kBrowse, kFormat, kCorner1, kCorner2, kFineCutting, kRoughingOut, kCuttingTool, kDiameter,
  kTipRadius, kTipAngle, kOffset, kRounding, kObjectScale, kToAndFro, kMolding, kPositive, kNegative,
  kRoughFine, kAltogether, kRoughing, kFineCut, kBallPoint, kFlatEnd, kConical, kSetup,
};

// A small button beside the scale field: its one character needs no more than a square.
QPushButton* UnitsButton(QWidget* parent) {
  auto* button = new QPushButton(QStringLiteral("<"), parent);
  button->setFixedWidth(button->sizeHint().height() * 3 / 2);
  return button;
}

int RunUnitConversionView(QWidget* parent) {
  using D = CUnitConversionDlg;
  QDialog dialog(parent);
  auto* layout = new QVBoxLayout(&dialog);
  auto* one = new QPushButton(QStringLiteral("1"), &dialog);
  one->setDefault(true);
  QObject::connect(one, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(D::kOne); });
  layout->addWidget(one);
  for (int i = 0; i < 6; ++i) {
    auto* button = new QPushButton(QString::fromLatin1(D::kButtonTexts[i]), &dialog);
    QObject::connect(button, &QPushButton::clicked, &dialog,
                     [&dialog, i] { dialog.done(D::kCentimetresToMillimetres + i); });
    layout->addWidget(button);
  }
  auto* cancel = new QPushButton(Localized(kAnswerCancel), &dialog);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kAnswerCancel); });
  layout->addWidget(cancel);
  const int result = dialog.exec();
  // Escape and the close box reject with 0.
  return result == QDialog::Rejected ? kAnswerCancel : result;
}

int RunShowPathView(CNcShowPathDlg& model, QWidget* parent) {
  using D = CNcShowPathDlg;
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, D::kCaptionString);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Localized(D::kFileLabelString), &dialog), 0, 0);
  QLineEdit* file = BoundEdit(model, D::kFileEdit, &dialog);
  file->setMinimumWidth(240);
  grid->addWidget(file, 0, 1);
  auto* browse = new QPushButton(Localized(kBrowseText), &dialog);
  grid->addWidget(browse, 0, 2);
  grid->addWidget(new QLabel(Localized(D::kScaleLabelString), &dialog), 1, 0);
  grid->addWidget(BoundEdit(model, D::kScaleEdit, &dialog), 1, 1);
  QPushButton* units = UnitsButton(&dialog);
  grid->addWidget(units, 1, 2, Qt::AlignLeft);
  content->addLayout(grid);

  model.onChanged = [&dialog, &model] { ShowModelTexts(dialog, model); };
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&model] { model.OnBrowse(); });
  QObject::connect(units, &QPushButton::clicked, &dialog, [&model] { model.OnUnits(); });
  const int result = ExecDataDialog(dialog);
  model.onChanged = nullptr;
  return result;
}

QComboBox* Choice(std::initializer_list<QString> items, int* value, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->addItems(QStringList(items));
  combo->setCurrentIndex(*value);
  QObject::connect(combo, &QComboBox::currentIndexChanged, parent, [value](int index) { *value = index; });
  return combo;
}

int RunNcMachiningView(CNcMachiningDlg& model, QWidget* parent) {
  using D = CNcMachiningDlg;
  NcSettings& s = model.settings;
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(D::kCaptionString));
  auto* grid = new QGridLayout;
  int row = 0;
  grid->addWidget(new QLabel(Label(kFileName), &dialog), row, 0);
  grid->addWidget(BoundEdit(model, D::kFileEdit, &dialog), row, 1, 1, 3);
  auto* browse = new QPushButton(Label(kBrowse), &dialog);
  grid->addWidget(browse, row++, 4);
  grid->addWidget(new QLabel(Label(kFormat), &dialog), row, 0);
  QComboBox* format = new QComboBox(&dialog);
  for (const char* name : kNcDialectNames) format->addItem(QString::fromLatin1(name));
  format->setCurrentIndex(s.dialect);
  QObject::connect(format, &QComboBox::currentIndexChanged, &dialog, [&s](int index) { s.dialect = index; });
  grid->addWidget(format, row++, 1, 1, 3);
  for (int column = 0; column < 3; ++column) {
    grid->addWidget(new QLabel(QString(QChar('X' + column)), &dialog), row, 1 + column, Qt::AlignHCenter);
  }
  ++row;
  const struct {
    int label;
    int firstEdit;
    int edits;
  } rows[] = {
      {kCorner1, D::kCorner1Edits, 3}, {kCorner2, D::kCorner2Edits, 3}, {kFineCutting, D::kXStepEdit, 3}};
  for (const auto& r : rows) {
    grid->addWidget(new QLabel(Label(r.label), &dialog), row, 0);
    for (int i = 0; i < r.edits; ++i) grid->addWidget(BoundEdit(model, r.firstEdit + i, &dialog), row, 1 + i);
    ++row;
  }
  // Roughing out has no X column.
  grid->addWidget(new QLabel(Label(kRoughingOut), &dialog), row, 0);
  grid->addWidget(BoundEdit(model, D::kPitchEdit, &dialog), row, 2);
  grid->addWidget(BoundEdit(model, D::kStepDownEdit, &dialog), row++, 3);

  grid->addWidget(new QLabel(Label(kCuttingTool), &dialog), row, 0);
  QComboBox* tool = Choice({Label(kBallPoint), Label(kFlatEnd), Label(kConical)}, &s.tool, &dialog);
  grid->addWidget(tool, row++, 1, 1, 2);
  const std::pair<int, int> toolFields[] = {{kDiameter, D::kDiameterEdit}, {kTipRadius, D::kTipRadiusEdit},
                                            {kTipAngle, D::kTipAngleEdit}, {kOffset, D::kOffsetEdit},
                                            {kRounding, D::kQuantumEdit}, {kObjectScale, D::kScaleEdit}};
  std::vector<QWidget*> tipWidgets;
  for (const auto& [label, edit] : toolFields) {
    auto* text = new QLabel(Label(label), &dialog);
    QLineEdit* field = BoundEdit(model, edit, &dialog);
    grid->addWidget(text, row, 0);
    grid->addWidget(field, row, 1);
    if (edit == D::kTipRadiusEdit || edit == D::kTipAngleEdit) {
      tipWidgets.push_back(text);
      tipWidgets.push_back(field);
    }
    if (edit == D::kScaleEdit) {
      QPushButton* units = UnitsButton(&dialog);
      QObject::connect(units, &QPushButton::clicked, &dialog, [&model] { model.OnUnits(); });
      grid->addWidget(units, row, 2, Qt::AlignLeft);
    }
    ++row;
  }
  const auto enableTip = [&model, tipWidgets] {
    for (QWidget* widget : tipWidgets) widget->setEnabled(model.TipFieldsEnabled());
  };
  enableTip();
  QObject::connect(tool, &QComboBox::currentIndexChanged, &dialog, enableTip);

  auto* toAndFro = new QCheckBox(Label(kToAndFro), &dialog);
  toAndFro->setChecked(s.toAndFro);
  QObject::connect(toAndFro, &QCheckBox::toggled, &dialog, [&s](bool on) { s.toAndFro = on; });
  grid->addWidget(toAndFro, row++, 0, 1, 3);
  const int moldingLabels[] = {D::kFirstLabelString + kPositive, D::kFirstLabelString + kNegative};
  const int moldingValues[] = {0, 1};
  const int passLabels[] = {D::kFirstLabelString + kAltogether, D::kFirstLabelString + kRoughing,
                            D::kFirstLabelString + kFineCut};
  const int passValues[] = {0, 1, 2};
  auto* groups = new QHBoxLayout;
  for (const auto& [label, radios] :
       {std::pair{kMolding, Radios(dialog, moldingLabels, moldingValues, &s.molding)},
        std::pair{kRoughFine, Radios(dialog, passLabels, passValues, &s.passes)}}) {
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(Label(label), &dialog));
    column->addWidget(radios);
    // Both groups start at the top, however many choices each has.
    column->addStretch();
    groups->addLayout(column);
  }

  auto* setup = new QPushButton(Label(kSetup), &dialog);
  QObject::connect(setup, &QPushButton::clicked, &dialog, [&dialog, &model] { DoneIfValid(dialog, model, D::kSetupAnswer); });
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&model] { model.OnBrowse(); });
  model.onChanged = [&dialog, &model] { ShowModelTexts(dialog, model); };

  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(grid);
  layout->addLayout(groups);
  QHBoxLayout* buttons = OkCancelButtons(dialog, model);
  buttons->insertWidget(0, setup);
  layout->addLayout(buttons);
  const int result = dialog.exec();
  model.onChanged = nullptr;
  if (result == QDialog::Accepted) return kAnswerOk;
  return result == D::kSetupAnswer ? result : kAnswerCancel;
}

}  // namespace

void RegisterNcDialogViews(QtUiServices& ui) {
  ui.RegisterDialogView(CNcMachiningDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunNcMachiningView(static_cast<CNcMachiningDlg&>(model), parent);
  });
  ui.RegisterDialogView(CNcShowPathDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunShowPathView(static_cast<CNcShowPathDlg&>(model), parent);
  });
  ui.RegisterDialogView(CUnitConversionDlg::kName, [](DialogModel&, QWidget* parent) { return RunUnitConversionView(parent); });
}
