#include "app/qt/jewel_dialog_views.h"

#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/data_dialog_view.h"
#include "modelling/jewel_type_dialog.h"
#include "modelling/round_diamond_size_dialog.h"
#include "platform/qt/qt_ui_services.h"

namespace {

QIcon CutIcon(const CutPicture& picture) {
  QPixmap pixmap(CJewelTypeDlg::kPictureSize, CJewelTypeDlg::kPictureSize);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(64, 64, 64), 1));
  for (const PictureLine& line : picture) painter.drawLine(QPointF(line.x0, line.y0), QPointF(line.x1, line.y1));
  return QIcon(pixmap);
}

}  // namespace

int RunJewelTypeView(CJewelTypeDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(CJewelTypeDlg::kCaptionString));
  auto* layout = new QVBoxLayout(&dialog);
  auto* list = new QListWidget(&dialog);
  list->setViewMode(QListView::IconMode);
  list->setIconSize(QSize(CJewelTypeDlg::kPictureSize, CJewelTypeDlg::kPictureSize));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setMovement(QListView::Static);
  list->setResizeMode(QListView::Adjust);
  list->setSortingEnabled(false);
  for (int i = 0; i < kJewelCutCount; ++i) {
    list->addItem(new QListWidgetItem(CutIcon(model.pictures[i]), Localized(kJewelCuts[i].textKey)));
  }
  if (model.chosen >= 0 && model.chosen < kJewelCutCount) list->setCurrentRow(model.chosen);
  list->setFocus();
  layout->addWidget(list);
  const auto acceptSelected = [&dialog, &model, list] {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) return;
    model.chosen = list->row(selected.front());
    dialog.accept();
  };
  // Either button's press on an entry chooses it at once.
  QObject::connect(list, &QListWidget::itemPressed, &dialog, [list, acceptSelected](QListWidgetItem* item) {
    list->setCurrentItem(item);
    acceptSelected();
  });
  auto* ok = new QPushButton(Localized(1), &dialog);
  auto* cancel = new QPushButton(Localized(2), &dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, acceptSelected);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  dialog.resize(360, 260);
  return ExecDataDialog(dialog);
}

int RunRoundDiamondSizeView(CRoundDiamondSizeDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(CRoundDiamondSizeDlg::kCaptionString));
  auto* layout = new QVBoxLayout(&dialog);
  auto* row = new QHBoxLayout;
  auto* number = new QDoubleSpinBox(&dialog);
  number->setRange(CRoundDiamondSizeDlg::kMinNumber, CRoundDiamondSizeDlg::kMaxNumber);
  number->setDecimals(2);
  number->setValue(model.number);
  QObject::connect(number, &QDoubleSpinBox::valueChanged, &dialog, [&model](double value) {
    model.texts[CRoundDiamondSizeDlg::kNumberEdit] = FormatFloatText(static_cast<float>(value));
  });
  auto* unit = new QComboBox(&dialog);
  for (const char* name : CRoundDiamondSizeDlg::kUnitNames) unit->addItem(QString::fromUtf8(name));
  unit->setCurrentIndex(model.unit);
  QObject::connect(unit, &QComboBox::currentIndexChanged, &dialog, [&model](int index) {
    if (index >= 0) model.unit = index;
  });
  row->addWidget(number);
  row->addWidget(unit);
  layout->addLayout(row);
  layout->addLayout(OkCancelButtons(dialog, model));
  return ExecDataDialog(dialog);
}

void RegisterJewelDialogViews(QtUiServices& ui) {
  ui.RegisterDialogView(CJewelTypeDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunJewelTypeView(static_cast<CJewelTypeDlg&>(model), parent);
  });
  ui.RegisterDialogView(CRoundDiamondSizeDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunRoundDiamondSizeView(static_cast<CRoundDiamondSizeDlg&>(model), parent);
  });
}
