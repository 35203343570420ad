#include "app/qt/surface_parameter_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <utility>

#include "app/qt/data_dialog_view.h"
#include "modelling/surface_dialogs.h"
#include "platform/qt/qt_ui_services.h"

namespace {

// Focus the user moved (mouse, Tab, Backtab, a shortcut); not the focus Qt hands the first
// widget when the dialog opens.
class UserFocusFilter : public QObject {
 public:
  UserFocusFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::FocusIn) return false;
    switch (static_cast<QFocusEvent*>(event)->reason()) {
      case Qt::MouseFocusReason:
      case Qt::TabFocusReason:
      case Qt::BacktabFocusReason:
      case Qt::ShortcutFocusReason:
        action_();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  std::function<void()> action_;
};

QCheckBox* BoundCheck(QDialog& dialog, int label, int* value) {
  auto* check = new QCheckBox(Localized(label), &dialog);
  check->setChecked(*value != 0);
  QObject::connect(check, &QCheckBox::toggled, &dialog, [value](bool on) { *value = on ? 1 : 0; });
  return check;
}

int RunSurfaceStepView(CSurfaceStepDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 31000);
  auto* grid = new QGridLayout;
  const struct {
    int label;
    int edit;
    int* on;
  } directions[] = {{31001, CSurfaceStepDlg::kUStepEdit, &model.uOn}, {31002, CSurfaceStepDlg::kVStepEdit, &model.vOn}};
  int row = 0;
  for (const auto& direction : directions) {
    QCheckBox* check = BoundCheck(dialog, direction.label, direction.on);
    QLineEdit* edit = BoundEdit(model, direction.edit, &dialog);
    const int id = direction.edit;
    edit->installEventFilter(new UserFocusFilter(edit, [&model, check, id, on = direction.on] {
      model.OnStepFieldFocused(id);
      check->setChecked(*on != 0);
    }));
    grid->addWidget(check, row, 0);
    grid->addWidget(edit, row, 1);
    ++row;
  }
  content->addLayout(grid);
  const int labels[] = {31003, 31004, 31005};
  const int values[] = {0, 1, 2};
  content->addWidget(Radios(dialog, labels, values, &model.way));
  return ExecDataDialog(dialog);
}

int RunPipeSurfaceView(CPipeSurfaceDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(31100));
  auto* layout = new QVBoxLayout(&dialog);
  auto* sizeRow = new QHBoxLayout;
  QLineEdit* size = BoundEdit(model, CPipeSurfaceDlg::kSizeEdit, &dialog);
  auto* kind = new QComboBox(&dialog);
  kind->addItem(Localized(30505));
  kind->addItem(Localized(30506));
  kind->setCurrentIndex(model.sizeKind);
  QObject::connect(kind, &QComboBox::activated, &dialog, [&model](int index) { model.sizeKind = index; });
  sizeRow->addWidget(size);
  sizeRow->addWidget(kind);
  layout->addLayout(sizeRow);
  const int labels[] = {31104, 31105};
  const int values[] = {0, 1};
  layout->addWidget(Radios(dialog, labels, values, &model.vertical));
  auto* buttons = new QHBoxLayout;
  for (int mode = 1; mode <= 3; ++mode) {
    auto* button = new QPushButton(Localized(31100 + mode), &dialog);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &model, size, mode] {
      if (model.PressMode(mode)) {
        dialog.accept();
        return;
      }
      size->setFocus();
      size->selectAll();
    });
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  return ExecDataDialog(dialog);
}

}  // namespace

void RegisterSurfaceParameterViews(QtUiServices& ui) {
  ui.RegisterDialogView(CSurfaceStepDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunSurfaceStepView(static_cast<CSurfaceStepDlg&>(model), parent);
  });
  ui.RegisterDialogView(CPipeSurfaceDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunPipeSurfaceView(static_cast<CPipeSurfaceDlg&>(model), parent);
  });
}
