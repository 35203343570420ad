#include "app/qt/transform_dialog_view.h"

#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <utility>
#include <vector>

#include "app/qt/data_dialog_view.h"
#include "modelling/transform_dialog.h"
#include "platform/qt/qt_ui_services.h"

namespace {

// Qt buttons have no double-click signal: the event is caught on its way in. It still reaches
// the button, whose release then clicks once more.
class DoubleClickFilter : public QObject {
 public:
  DoubleClickFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) action_();
    return false;
  }

 private:
  std::function<void()> action_;
};

struct OperationRow {
  int operation;
  int label;
  const char* name;
  std::vector<int> edits;
};

int RunTransformView(CTransformDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  QVBoxLayout* content = Frame(dialog, model, 31900);

  auto* copyRow = new QHBoxLayout;
  auto* copyLabel = new QLabel(Localized(31905), &dialog);
  QLineEdit* copyEdit = BoundEdit(model, CTransformDlg::kCopyNumberEdit, &dialog);
  copyRow->addWidget(copyLabel);
  copyRow->addWidget(copyEdit);
  copyRow->addStretch();
  copyLabel->setVisible(model.ShowsCopyNumber());
  copyEdit->setVisible(model.ShowsCopyNumber());
  content->addLayout(copyRow);

  auto* grid = new QGridLayout;
  for (int column = 0; column < 3; ++column) {
    grid->addWidget(new QLabel(Localized(32607 + column), &dialog), 0, column + 1, Qt::AlignHCenter);
  }
  const OperationRow rows[] = {
      {kTransformMove, 31901, "move", {CTransformDlg::kMoveEdits[0], CTransformDlg::kMoveEdits[1], CTransformDlg::kMoveEdits[2]}},
      {kTransformUniformScale, 31902, "size", {CTransformDlg::kSizeEdit}},
      {kTransformAxisScale, 31903, "scale", {CTransformDlg::kScaleEdits[0], CTransformDlg::kScaleEdits[1], CTransformDlg::kScaleEdits[2]}},
      {kTransformRotate, 31904, "rotate", {CTransformDlg::kRotateEdits[0], CTransformDlg::kRotateEdits[1], CTransformDlg::kRotateEdits[2]}},
  };
  std::vector<std::pair<QPushButton*, int>> buttons;
  std::vector<std::pair<QLineEdit*, int>> edits;
  int line = 1;
  for (const OperationRow& row : rows) {
    auto* button = new QPushButton(Localized(row.label), &dialog);
    button->setObjectName(QString::fromUtf8(row.name));
    button->setCheckable(true);
    button->setAutoDefault(false);
    grid->addWidget(button, line, 0);
    buttons.emplace_back(button, row.operation);
    int column = 1;
    for (const int id : row.edits) {
      QLineEdit* edit = BoundEdit(model, id, &dialog);
      grid->addWidget(edit, line, column++);
      edits.emplace_back(edit, id);
    }
    ++line;
  }
  content->addLayout(grid);
  const auto follow = [&model, buttons, edits] {
    for (const auto& [button, operation] : buttons) button->setChecked((model.operations & operation) != 0);
    for (const auto& [edit, id] : edits) edit->setEnabled(model.IsEditEnabled(id));
  };
  for (const auto& [button, operation] : buttons) {
    const int op = operation;
    QObject::connect(button, &QPushButton::clicked, &dialog, [&model, op, follow] {
      model.ClickOperation(op);
      follow();
    });
    button->installEventFilter(new DoubleClickFilter(button, [&model, op, follow] {
      model.DoubleClickOperation(op);
      follow();
    }));
  }
  follow();

  const int labels[] = {31906, 31907};
  const int values[] = {kReferenceWorldOrigin, kReferenceObjectAxis};
  QWidget* origin = Radios(dialog, labels, values, &model.origin);
  origin->setVisible(model.ShowsOrigin());
  content->addWidget(origin);
  return ExecDataDialog(dialog);
}

}  // namespace

void RegisterTransformDialogView(QtUiServices& ui) {
  ui.RegisterDialogView(CTransformDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunTransformView(static_cast<CTransformDlg&>(model), parent);
  });
}
