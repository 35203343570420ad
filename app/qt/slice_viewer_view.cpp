#include "app/qt/slice_viewer_view.h"

#include <QAbstractSlider>
#include <QHBoxLayout>
#include <QIcon>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "manufacturing/show_slice_tool.h"
#include "platform/qt/qt_modeless_dialog.h"
#include "platform/qt/qt_ui_services.h"

namespace {

// The bar's actions as the model's scroll codes.
int ScrollCode(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return CShowSliceToolDlg::kLineLeft;
    case QAbstractSlider::SliderSingleStepAdd:
      return CShowSliceToolDlg::kLineRight;
    case QAbstractSlider::SliderPageStepSub:
      return CShowSliceToolDlg::kPageLeft;
    case QAbstractSlider::SliderPageStepAdd:
      return CShowSliceToolDlg::kPageRight;
    case QAbstractSlider::SliderMove:
      return CShowSliceToolDlg::kThumbTrack;
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum:
      return CShowSliceToolDlg::kThumbPosition;
    default:
      return CShowSliceToolDlg::kEndScroll;
  }
}

QWidget* SliceViewerView(CShowSliceToolDlg& model, QWidget* parent) {
  auto* dialog = new QtModelessDialog(model, parent);
  auto* open = new QToolButton(dialog);
  open->setObjectName(QStringLiteral("open"));
  open->setIcon(QIcon(QStringLiteral(":/art/dialog/%1.svg").arg(CShowSliceToolDlg::kOpenBitmap)));
  open->setIconSize(QSize(24, 24));
  auto* drawAll = new QPushButton(QStringLiteral("Draw All"), dialog);
  drawAll->setObjectName(QStringLiteral("drawAll"));
  drawAll->setAutoDefault(false);
  auto* bar = new QScrollBar(Qt::Horizontal, dialog);
  bar->setObjectName(QStringLiteral("layers"));
  bar->setSingleStep(1);
  bar->setPageStep(10);
  bar->setMinimumWidth(240);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(open);
  buttons->addWidget(drawAll);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(buttons);
  layout->addWidget(bar);
  QObject::connect(open, &QToolButton::clicked, dialog,
                   [&model] { model.PressButton(CShowSliceToolDlg::kOpenButton); });
  QObject::connect(drawAll, &QPushButton::clicked, dialog,
                   [&model] { model.PressButton(CShowSliceToolDlg::kDrawAllButton); });
  QPointer<QScrollBar> aliveBar(bar);
  // The model decides the position: the bar's own move is put back to it.
  QObject::connect(bar, &QAbstractSlider::actionTriggered, dialog, [&model, aliveBar](int action) {
    const int thumb = aliveBar->sliderPosition();
    model.OnHScroll(ScrollCode(action), action == QAbstractSlider::SliderToMinimum   ? aliveBar->minimum()
                                        : action == QAbstractSlider::SliderToMaximum ? aliveBar->maximum()
                                                                                     : thumb);
    if (aliveBar) aliveBar->setSliderPosition(model.ScrollPosition());
  });
  QPointer<QDialog> alive(dialog);
  const auto show = [alive, aliveBar, &model] {
    if (!alive || !aliveBar) return;
    alive->setWindowTitle(QString::fromStdString(model.Title()));
    const QSignalBlocker blocker(aliveBar);
    aliveBar->setRange(model.ScrollMin(), model.ScrollMax());
    aliveBar->setValue(model.ScrollPosition());
  };
  show();
  model.onChanged = show;
  return dialog;
}

}  // namespace

void RegisterSliceViewerView(QtUiServices& ui) {
  ui.RegisterModelessView(CShowSliceToolDlg::kName, [](DialogModel& model, QWidget* parent) {
    return SliceViewerView(static_cast<CShowSliceToolDlg&>(model), parent);
  });
}
