#include "app/qt/surface_dialog_views.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <functional>

#include "app/qt/data_dialog_view.h"
#include "modelling/loft_tool.h"
#include "modelling/rail_surface_tool.h"
#include "platform/qt/qt_modeless_dialog.h"
#include "platform/qt/qt_ui_services.h"

namespace {

// A group of radio buttons labelled by consecutive strings; the checked one's index is the
// value, and each click runs clicked afterwards.
QGroupBox* RadioGroup(QDialog& dialog, int titleKey, int firstLabel, int count, int* value,
                      const std::function<void()>& clicked) {
  auto* box = new QGroupBox(Localized(titleKey), &dialog);
  auto* column = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  for (int i = 0; i < count; ++i) {
    auto* radio = new QRadioButton(Localized(firstLabel + i), box);
    radio->setChecked(*value == i);
    group->addButton(radio, i);
    column->addWidget(radio);
  }
  QObject::connect(group, &QButtonGroup::idClicked, box, [value, clicked](int id) {
    *value = id;
    clicked();
  });
  return box;
}

int RunRailSurfaceView(CRailSurfaceDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(32500));
  auto* extent = new QGroupBox(Localized(32503), &dialog);
  auto* pictures = new QButtonGroup(extent);
  auto* grid = new QGridLayout(extent);
  grid->addWidget(new QLabel(Localized(32504), extent), 0, 0);
  grid->addWidget(new QLabel(Localized(32505), extent), 0, 1);
  for (int p = 0; p < CRailSurfaceDlg::kPictures; ++p) {
    auto* button = new QToolButton(extent);
    button->setIcon(QIcon(QStringLiteral(":/art/rail_extent/%1.svg").arg(p)));
    button->setIconSize(QSize(32, 32));
    button->setCheckable(true);
    button->setChecked(model.picture == p);
    button->setObjectName(QStringLiteral("extent%1").arg(p));
    pictures->addButton(button, p);
    grid->addWidget(button, 1 + p % 6, p / 6);
  }
  pictures->setExclusive(true);
  QObject::connect(pictures, &QButtonGroup::idClicked, extent, [&model](int p) { model.picture = p; });
  // The coupling may move the picture: show where it went.
  const auto couple = [&model, pictures] {
    model.OnRailOrSectionClicked();
    const QSignalBlocker blocker(pictures);
    pictures->button(model.picture)->setChecked(true);
  };
  auto* groups = new QHBoxLayout;
  groups->addWidget(RadioGroup(dialog, 32501, 32506, 8, &model.railType, couple));
  groups->addWidget(RadioGroup(dialog, 32502, 32514, 5, &model.sectionType, couple));
  groups->addWidget(extent);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(Localized(1));
  buttons->button(QDialogButtonBox::Cancel)->setText(Localized(2));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(groups);
  layout->addWidget(buttons);
  return dialog.exec() == QDialog::Accepted ? kAnswerOk : kAnswerCancel;
}

QWidget* LoftView(CLoftToolDlg& model, QWidget* parent) {
  auto* dialog = new QtModelessDialog(model, parent);
  auto* row = new QHBoxLayout(dialog);
  std::array<QPushButton*, 3> buttons{};
  for (int i = 0; i < 3; ++i) {
    const int id = CLoftToolDlg::kReverseSection + i;
    buttons[i] = new QPushButton(Localized(33601 + i), dialog);
    buttons[i]->setAutoDefault(false);
    row->addWidget(buttons[i]);
    QObject::connect(buttons[i], &QPushButton::clicked, dialog, [&model, id] { model.PressButton(id); });
  }
  QPointer<QDialog> alive(dialog);
  // The window mirrors the model: its caption and which buttons it enables.
  const auto show = [alive, &model, buttons] {
    if (!alive) return;
    alive->setWindowTitle(QString::fromStdString(model.Caption()));
    for (int i = 0; i < 3; ++i) buttons[i]->setEnabled(model.ButtonEnabled(CLoftToolDlg::kReverseSection + i));
  };
  show();
  model.onChanged = show;
  return dialog;
}

}  // namespace

void RegisterSurfaceDialogViews(QtUiServices& ui) {
  ui.RegisterDialogView(CRailSurfaceDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunRailSurfaceView(static_cast<CRailSurfaceDlg&>(model), parent);
  });
  ui.RegisterModelessView(CLoftToolDlg::kName, [](DialogModel& model, QWidget* parent) {
    return LoftView(static_cast<CLoftToolDlg&>(model), parent);
  });
}
