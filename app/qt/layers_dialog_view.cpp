#include "app/qt/layers_dialog_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

#include "app/qt/color_swatch_button.h"
#include "app/qt/data_dialog_view.h"
#include "services/layer_file.h"
#include "services/layers_dialog.h"
#include "services/string_table.h"

namespace {

struct LayerRow {
  QRadioButton* current;
  QLineEdit* name;
  QCheckBox* pickable;
  QCheckBox* visible;
  CColorSwatchButton* color;
};

// The column headings, which are also each control's tooltip: Current, Name, Pick, Show, Colour.
constexpr int kFirstHeadingString = 31804;
constexpr int kColumns = 5;

}  // namespace

int RunLayersDialogView(CLayersDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(31800));
  auto* grid = new QGridLayout;
  std::array<QString, kColumns> headings;
  for (int column = 0; column < kColumns; ++column) {
    headings[static_cast<std::size_t>(column)] = Localized(kFirstHeadingString + column);
    grid->addWidget(new QLabel(headings[static_cast<std::size_t>(column)], &dialog), 0, column);
  }
  auto* currentLayer = new QButtonGroup(&dialog);
  std::array<LayerRow, kLayerCount> rows;
  for (int i = 0; i < kLayerCount; ++i) {
    LayerEntry& entry = model.working[static_cast<std::size_t>(i)];
    LayerRow& row = rows[static_cast<std::size_t>(i)];
    row = {new QRadioButton(&dialog), new QLineEdit(&dialog), new QCheckBox(&dialog), new QCheckBox(&dialog),
           new CColorSwatchButton(&dialog)};
    currentLayer->addButton(row.current, i);
    row.name->setMaxLength(kMaxLayerNameUnits);
    QObject::connect(row.name, &QLineEdit::textEdited, &dialog,
                     [&entry](const QString& text) { entry.name = text.toStdString(); });
    QObject::connect(row.pickable, &QCheckBox::toggled, &dialog, [&entry](bool on) { entry.pickable = on ? 1 : 0; });
    QObject::connect(row.visible, &QCheckBox::toggled, &dialog, [&entry](bool on) { entry.visible = on ? 1 : 0; });
    row.color->onColorChosen = [&entry](std::uint32_t color) { entry.color = color; };
    const std::array<QWidget*, kColumns> controls = {row.current, row.name, row.pickable, row.visible, row.color};
    for (int column = 0; column < kColumns; ++column) {
      QWidget* control = controls[static_cast<std::size_t>(column)];
      control->setToolTip(headings[static_cast<std::size_t>(column)]);
      grid->addWidget(control, i + 1, column);
    }
  }
  const auto fill = [&] {
    for (int i = 0; i < kLayerCount; ++i) {
      const LayerEntry& entry = model.working[static_cast<std::size_t>(i)];
      LayerRow& row = rows[static_cast<std::size_t>(i)];
      row.name->setText(QString::fromStdString(entry.name));
      row.pickable->setChecked(entry.pickable != 0);
      row.visible->setChecked(entry.visible != 0);
      row.color->setColor(entry.color);
    }
  };
  fill();
  model.onWorkingCopyChanged = fill;
  if (model.selectedLayer >= 0 && model.selectedLayer < kLayerCount) {
    rows[static_cast<std::size_t>(model.selectedLayer)].current->setChecked(true);
  }

  auto* move = new QCheckBox(Localized(31801), &dialog);
  move->setChecked(model.moveOption != 0);
  auto* load = new QPushButton(Localized(31802), &dialog);
  auto* save = new QPushButton(Localized(31803), &dialog);
  auto* ok = new QPushButton(Localized(1), &dialog);
  auto* cancel = new QPushButton(Localized(2), &dialog);
  ok->setDefault(true);
  QObject::connect(load, &QPushButton::clicked, &dialog, [&model] { model.OnLoadLayerFile(); });
  QObject::connect(save, &QPushButton::clicked, &dialog, [&model] { model.OnSaveLayerFile(); });
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(load);
  buttons->addWidget(save);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(grid);
  layout->addWidget(move);
  layout->addLayout(buttons);

  const int result = dialog.exec();
  model.onWorkingCopyChanged = nullptr;
  if (result != QDialog::Accepted) return kAnswerCancel;
  if (currentLayer->checkedId() >= 0) model.selectedLayer = currentLayer->checkedId();
  model.moveOption = move->isChecked() ? 1 : 0;
  return kAnswerOk;
}
