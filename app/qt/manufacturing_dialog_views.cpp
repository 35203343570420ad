#include "app/qt/manufacturing_dialog_views.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/data_dialog_view.h"
#include "manufacturing/cut_slices.h"
#include "manufacturing/estimate_commands.h"
#include "manufacturing/one_side_stl_commands.h"
#include "modelling/extend_solid_dialog.h"
#include "modelling/ring_size_dialog.h"
#include "platform/qt/qt_ui_services.h"
#include "services/app_settings.h"
#include "services/file_names.h"

namespace {

void FillRingList(QListWidget* list, const CRingSizeDlg& model) {
  list->clear();
  for (const std::string& item : model.items) list->addItem(QString::fromStdString(item));
  if (model.CanAccept()) list->setCurrentRow(model.selected);
}

int RunRingSizeView(CRingSizeDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(CRingSizeDlg::kCaptionString));
  auto* layout = new QHBoxLayout(&dialog);
  auto* radios = new QVBoxLayout;
  auto* group = new QButtonGroup(&dialog);
  for (int t = 0; t < kRingSizeTableCount; ++t) {
    auto* radio = new QRadioButton(Localized(CRingSizeDlg::kTableStrings[static_cast<std::size_t>(t)]), &dialog);
    radio->setChecked(model.table == t);
    group->addButton(radio, t);
    radios->addWidget(radio);
  }
  radios->addStretch();
  layout->addLayout(radios);
  // A multi-column list: items flow top to bottom and wrap into columns.
  auto* list = new QListWidget(&dialog);
  list->setViewMode(QListView::ListMode);
  list->setFlow(QListView::TopToBottom);
  list->setWrapping(true);
  list->setResizeMode(QListView::Adjust);
  list->setUniformItemSizes(true);
  list->setGridSize(QSize(CRingSizeDlg::kColumnWidth, list->fontMetrics().height() + 4));
  list->setMinimumSize(5 * CRingSizeDlg::kColumnWidth, 8 * (list->fontMetrics().height() + 4));
  FillRingList(list, model);
  layout->addWidget(list);
  QObject::connect(group, &QButtonGroup::idToggled, &dialog, [&model, list](int id, bool on) {
    if (!on || id == model.table) return;
    model.ChooseTable(id);
    FillRingList(list, model);
  });
  QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [&model](int row) { model.selected = row; });
  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(Localized(1), &dialog);
  auto* cancel = new QPushButton(Localized(2), &dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog, &model] {
    if (model.CanAccept()) dialog.accept();
  });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  layout->addLayout(buttons);
  return ExecDataDialog(dialog);
}

int RunVolumeMassView(CVolumeMassDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, CVolumeMassDlg::kCaptionString);
  content->addWidget(new QLabel(Localized(CVolumeMassDlg::kLabelString), &dialog));
  auto* combo = new QComboBox(&dialog);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& item : CVolumeMassDlg::Items()) combo->addItem(QString::fromStdString(item));
  combo->setEditText(QString::fromStdString(model.texts[CVolumeMassDlg::kGravityEdit]));
  QObject::connect(combo, &QComboBox::editTextChanged, &dialog, [&model](const QString& text) {
    model.texts[CVolumeMassDlg::kGravityEdit] = text.toStdString();
  });
  content->addWidget(combo);
  return ExecDataDialog(dialog);
}

int RunExtendToSolidView(CExtendToSolidDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, CExtendToSolidDlg::kCaptionString);
  auto* form = new QFormLayout;
  const char* labels[3] = {"X", "Y", "Z"};
  for (int k = 0; k < 3; ++k) form->addRow(labels[k], BoundEdit(model, CExtendToSolidDlg::kEdits[k], &dialog));
  content->addLayout(form);
  auto* setup = new QPushButton(Localized(CExtendToSolidDlg::kSetupString), &dialog);
  QObject::connect(setup, &QPushButton::clicked, &dialog, [&dialog, &model] {
    if (model.Validate()) dialog.done(CExtendToSolidDlg::kAnswerSetup);
  });
  content->addWidget(setup);
  const int result = dialog.exec();
  if (result == CExtendToSolidDlg::kAnswerSetup) return result;
  return result == QDialog::Accepted ? kAnswerOk : kAnswerCancel;
}

int RunOneSideStlView(COneSideStlDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, model.CaptionString());
  auto* form = new QFormLayout;
  form->addRow(Localized(model.FirstLabelString()), BoundEdit(model, COneSideStlDlg::kFirstEdit, &dialog));
  form->addRow(Localized(COneSideStlDlg::kSecondLabelString), BoundEdit(model, COneSideStlDlg::kSecondEdit, &dialog));
  content->addLayout(form);
  return ExecDataDialog(dialog);
}

QCheckBox* BoundCheck(const QString& text, int* value, QWidget* parent) {
  auto* check = new QCheckBox(text, parent);
  check->setChecked(*value != 0);
  QObject::connect(check, &QCheckBox::toggled, parent, [value](bool on) { *value = on ? 1 : 0; });
  return check;
}

void FillCombo(QComboBox* combo, const std::vector<std::string>& entries, const std::string& text) {
  const QSignalBlocker block(combo);
  combo->clear();
  for (const std::string& entry : entries) combo->addItem(QString::fromStdString(entry));
  combo->setEditText(QString::fromStdString(text));
}

int RunCutSlicesView(CCutSlicesDlg& model, QWidget* parent) {
  using D = CCutSlicesDlg;
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, D::kCaptionString);
  auto* form = new QFormLayout;
  auto* fileRow = new QHBoxLayout;
  auto* browse = new QPushButton(Localized(33101), &dialog);
  QLineEdit* file = BoundEdit(model, D::kFileEdit, &dialog);
  fileRow->addWidget(browse);
  fileRow->addWidget(file);
  browse->setVisible(model.fileVisible);
  file->setVisible(model.fileVisible);
  QObject::connect(browse, &QPushButton::clicked, &dialog, [file] {
    static int filterIndex = 1;
    if (const auto path = FileDialogPrompt(0, &filterIndex, D::kSliceFilter, {}, {})) {
      file->setText(QString::fromStdString(*path));
    }
  });
  content->addLayout(fileRow);
  auto* machine = new QComboBox(&dialog);
  for (const RpMachine& rp : RpMachineThicknesses) machine->addItem(QString::fromUtf8(rp.name));
  machine->setCurrentIndex(model.machine);
  machine->setEnabled(model.machineEnabled);
  form->addRow(Localized(33103), machine);
  auto* thicknessRow = new QHBoxLayout;
  auto* thickness = new QComboBox(&dialog);
  thickness->setEditable(true);
  thickness->setInsertPolicy(QComboBox::NoInsert);
  FillCombo(thickness, model.thicknessEntries, model.texts[D::kThicknessEdit]);
  auto* unit = new QComboBox(&dialog);
  for (const char* name : D::kUnits) unit->addItem(QString::fromUtf8(name));
  unit->setCurrentIndex(model.unit);
  thickness->setEnabled(model.thicknessEnabled);
  unit->setEnabled(model.thicknessEnabled);
  thicknessRow->addWidget(thickness);
  thicknessRow->addWidget(unit);
  form->addRow(Localized(33102), thicknessRow);
  QObject::connect(thickness, &QComboBox::editTextChanged, &dialog,
                   [&model](const QString& text) { model.texts[D::kThicknessEdit] = text.toStdString(); });
  const auto refill = [&model, thickness] {
    FillCombo(thickness, model.thicknessEntries, model.texts[D::kThicknessEdit]);
  };
  QObject::connect(unit, &QComboBox::currentIndexChanged, &dialog, [&model, refill](int index) {
    model.SetUnit(index);
    refill();
  });
  QObject::connect(machine, &QComboBox::currentIndexChanged, &dialog, [&model, refill](int index) {
    model.SetMachine(index);
    refill();
  });
  content->addLayout(form);
  QCheckBox* advanced = BoundCheck(Localized(33104), &model.advanced, &dialog);
  advanced->setEnabled(model.advancedEnabled);
  content->addWidget(advanced);
  auto* advancedBox = new QWidget(&dialog);
  auto* advancedForm = new QFormLayout(advancedBox);
  auto* resolution = new QComboBox(advancedBox);
  resolution->setEditable(true);
  resolution->setInsertPolicy(QComboBox::NoInsert);
  for (const char* entry : D::kResolutions) resolution->addItem(QString::fromUtf8(entry));
  resolution->setEditText(QString::fromStdString(model.texts[D::kResolutionEdit]));
  QObject::connect(resolution, &QComboBox::editTextChanged, &dialog,
                   [&model](const QString& text) { model.texts[D::kResolutionEdit] = text.toStdString(); });
  advancedForm->addRow(Localized(33105), resolution);
  QCheckBox* alsoStl = BoundCheck(Localized(33106), &model.alsoStl, advancedBox);
  advancedForm->addRow(alsoStl);
  auto* kinds = new QButtonGroup(advancedBox);
  auto* kindRow = new QHBoxLayout;
  for (int k = 0; k < 2; ++k) {
    auto* radio = new QRadioButton(Localized(33107 + k), advancedBox);
    radio->setChecked(model.stlKind == k);
    kinds->addButton(radio, k);
    kindRow->addWidget(radio);
  }
  QObject::connect(kinds, &QButtonGroup::idClicked, &dialog, [&model, alsoStl](int id) {
    model.ChooseStlKind(id);
    alsoStl->setChecked(true);
  });
  advancedForm->addRow(kindRow);
  advancedForm->addRow(BoundCheck(Localized(33109), &model.autoXyOffset, advancedBox));
  advancedForm->addRow(BoundCheck(Localized(33110), &model.autoZOffset, advancedBox));
  advancedBox->setEnabled(model.advancedEnabled && model.advanced != 0);
  QObject::connect(advanced, &QCheckBox::toggled, advancedBox, &QWidget::setEnabled);
  content->addWidget(advancedBox);
  if (CfgMeiko == 1) {
    auto* meiko = new QGroupBox(QStringLiteral("Meiko"), &dialog);
    auto* meikoForm = new QFormLayout(meiko);
    meikoForm->addRow(BoundCheck(QStringLiteral("Generate Meiko NC File"), &model.meikoNc, meiko));
    meikoForm->addRow(QStringLiteral("Hatching Interval (mm)"), BoundEdit(model, D::kHatchingIntervalEdit, meiko));
    meikoForm->addRow(QStringLiteral("Hatching per No. of Layers"), BoundEdit(model, D::kHatchingLayersEdit, meiko));
    meikoForm->addRow(QStringLiteral("Z - Revision"), BoundEdit(model, D::kZRevisionEdit, meiko));
    content->addWidget(meiko);
  }
  return ExecDataDialog(dialog);
}

}  // namespace

void RegisterManufacturingDialogViews(QtUiServices& ui) {
  ui.RegisterDialogView(CRingSizeDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunRingSizeView(static_cast<CRingSizeDlg&>(model), parent);
  });
  ui.RegisterDialogView(CVolumeMassDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunVolumeMassView(static_cast<CVolumeMassDlg&>(model), parent);
  });
  ui.RegisterDialogView(CExtendToSolidDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunExtendToSolidView(static_cast<CExtendToSolidDlg&>(model), parent);
  });
  ui.RegisterDialogView(CCutSlicesDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunCutSlicesView(static_cast<CCutSlicesDlg&>(model), parent);
  });
  ui.RegisterDialogView(COneSideStlDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunOneSideStlView(static_cast<COneSideStlDlg&>(model), parent);
  });
}
