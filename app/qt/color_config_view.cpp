#include "app/qt/color_config_view.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "app/qt/color_swatch_button.h"
#include "app/qt/data_dialog_view.h"
#include "modelling/color_config_dialog.h"
#include "platform/ui_services.h"

int RunColorConfigView(CColorConfigDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(30300));
  auto* grid = new QGridLayout;
  std::array<CColorSwatchButton*, 4> swatches{};
  for (int i = 0; i < 4; ++i) {
    auto* swatch = new CColorSwatchButton(&dialog);
    swatch->setObjectName(QStringLiteral("swatch%1").arg(i));
    swatch->setMinimumSize(48, 24);
    swatch->setColor(model.colors[static_cast<std::size_t>(i)]);
    swatch->onColorChosen = [&model, i](std::uint32_t color) { model.colors[static_cast<std::size_t>(i)] = color; };
    swatches[static_cast<std::size_t>(i)] = swatch;
    grid->addWidget(new QLabel(Localized(30301 + i), &dialog), i, 0);
    grid->addWidget(swatch, i, 1);
  }
  auto* reset = new QPushButton(Localized(4), &dialog);
  auto* ok = new QPushButton(Localized(1), &dialog);
  auto* cancel = new QPushButton(Localized(2), &dialog);
  reset->setAutoDefault(false);
  ok->setDefault(true);
  QObject::connect(reset, &QPushButton::clicked, &dialog, [&model, swatches] {
    model.Reset();
    for (std::size_t i = 0; i < swatches.size(); ++i) swatches[i]->setColor(model.colors[i]);
  });
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(reset);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  return ExecDataDialog(dialog);
}
