#include "app/qt/repeat_dialog_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "app/qt/data_dialog_view.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"
#include "platform/qt/qt_modeless_dialog.h"
#include "platform/qt/qt_ui_services.h"

namespace {

constexpr char kControlId[] = "controlId";

QWidget* ExtendView(CExtendToolDlg& model, QWidget* parent) {
  auto* dialog = new QtModelessDialog(model, parent);
  dialog->setWindowTitle(Localized(32100));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Localized(32101), dialog), 0, 0);
  QLineEdit* number = BoundEdit(model, CExtendToolDlg::kNumberEdit, dialog);
  // The arrows step over 2 to 10000; typing also takes 1.
  auto* up = new QToolButton(dialog);
  auto* down = new QToolButton(dialog);
  up->setArrowType(Qt::UpArrow);
  down->setArrowType(Qt::DownArrow);
  for (QToolButton* arrow : {up, down}) {
    const int step = arrow == up ? 1 : -1;
    QObject::connect(arrow, &QToolButton::clicked, dialog, [dialog, &model, step] {
      model.ReadBackQuietly();
      model.number = std::clamp(model.number + step, 2, CExtendToolDlg::kMaxNumber);
      model.WriteTexts();
      ShowModelTexts(*dialog, model);
    });
  }
  auto* numberRow = new QHBoxLayout;
  numberRow->addWidget(number);
  numberRow->addWidget(up);
  numberRow->addWidget(down);
  grid->addLayout(numberRow, 0, 1);
  QLabel* labels[3];
  for (int j = 0; j < 3; ++j) {
    labels[j] = new QLabel(dialog);
    grid->addWidget(labels[j], j + 1, 0);
    grid->addWidget(BoundEdit(model, CExtendToolDlg::kValueEdits[j], dialog), j + 1, 1);
  }
  auto* polar = new QCheckBox(QStringLiteral("<"), dialog);
  grid->addWidget(polar, 4, 1);
  const auto showForm = [labels, polar, &model] {
    static const char* const kCartesian[] = {"--", "|", "+"};
    static const char* const kPolar[] = {"/", "<", ">"};
    for (int j = 0; j < 3; ++j) labels[j]->setText(QString::fromUtf8((model.polar != 0 ? kPolar : kCartesian)[j]));
    const QSignalBlocker blocker(polar);
    polar->setChecked(model.polar != 0);
  };
  showForm();
  QObject::connect(polar, &QCheckBox::toggled, dialog, [dialog, &model, showForm](bool on) {
    model.SetPolar(on ? 1 : 0);
    ShowModelTexts(*dialog, model);
    showForm();
  });
  QPointer<QDialog> alive(dialog);
  model.onValuesShown = [alive, &model, showForm] {
    if (!alive) return;
    ShowModelTexts(*alive, model);
    showForm();
  };
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  // OK checks the fields first, then presses the model's OK, which posts the command.
  layout->addLayout(OkCancelButtons(*dialog, model));
  return dialog;
}

// An editable list bound to the model's text of the id; onEdited runs on the user's own edits.
QComboBox* BoundList(CRevolveToolDlg& model, int id, std::initializer_list<int> entries, QWidget* parent,
                     void (CRevolveToolDlg::*onEdited)()) {
  auto* list = new QComboBox(parent);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  // Bound as an edit, so the model's texts show in it and a refused OK puts the focus there.
  list->lineEdit()->setProperty(kControlId, id);
  for (const int entry : entries) list->addItem(QString::number(entry));
  list->setEditText(QString::fromStdString(model.texts[id]));
  QObject::connect(list, &QComboBox::editTextChanged, list,
                   [&model, id](const QString& text) { model.texts[id] = text.toStdString(); });
  const auto edited = [list, &model, id, onEdited] {
    model.texts[id] = list->currentText().toStdString();
    (model.*onEdited)();
  };
  QObject::connect(list->lineEdit(), &QLineEdit::textEdited, list, edited);
  QObject::connect(list, &QComboBox::activated, list, edited);
  return list;
}

QWidget* RevolveView(CRevolveToolDlg& model, QWidget* parent) {
  auto* dialog = new QtModelessDialog(model, parent);
  dialog->setWindowTitle(Localized(32200));
  QComboBox* number = BoundList(model, CRevolveToolDlg::kNumberList, {2, 3, 4, 5, 6, 7, 8}, dialog,
                                &CRevolveToolDlg::OnNumberEdited);
  QComboBox* degree = BoundList(model, CRevolveToolDlg::kDegreeList, {15, 30, 45, 60, 90, 120, 180}, dialog,
                                &CRevolveToolDlg::OnDegreeEdited);
  auto* full = new QCheckBox(Localized(32203), dialog);
  auto* clockwise = new QCheckBox(Localized(32204), dialog);
  // Writes what the model holds without running the coupling again.
  const auto show = [number, degree, full, clockwise, &model] {
    const QSignalBlocker b1(number);
    const QSignalBlocker b2(degree);
    const QSignalBlocker b3(full);
    const QSignalBlocker b4(clockwise);
    number->setEditText(QString::fromStdString(model.texts[CRevolveToolDlg::kNumberList]));
    degree->setEditText(QString::fromStdString(model.texts[CRevolveToolDlg::kDegreeList]));
    full->setChecked(model.full != 0);
    clockwise->setChecked(model.clockwise != 0);
  };
  show();
  // The coupling wrote the other field: show it, the field being typed in keeps its text.
  for (QComboBox* list : {number, degree}) {
    QComboBox* other = list == number ? degree : number;
    const int otherId = list == number ? CRevolveToolDlg::kDegreeList : CRevolveToolDlg::kNumberList;
    const auto showOther = [other, otherId, &model] {
      const QSignalBlocker blocker(other);
      other->setEditText(QString::fromStdString(model.texts[otherId]));
    };
    QObject::connect(list->lineEdit(), &QLineEdit::textEdited, dialog, showOther);
    QObject::connect(list, &QComboBox::activated, dialog, showOther);
  }
  QObject::connect(full, &QCheckBox::toggled, dialog, [&model, show](bool on) {
    model.SetFullRevolution(on ? 1 : 0);
    show();
  });
  QObject::connect(clockwise, &QCheckBox::toggled, dialog, [&model](bool on) { model.clockwise = on ? 1 : 0; });
  QPointer<QDialog> alive(dialog);
  model.onValuesShown = [alive, show] {
    if (alive) show();
  };
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Localized(32201), dialog), 0, 0);
  grid->addWidget(number, 0, 1);
  grid->addWidget(new QLabel(Localized(32202), dialog), 1, 0);
  grid->addWidget(degree, 1, 1);
  grid->addWidget(full, 2, 0, 1, 2);
  grid->addWidget(clockwise, 3, 0, 1, 2);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  // OK checks the fields first, then presses the model's OK, which posts the command.
  layout->addLayout(OkCancelButtons(*dialog, model));
  return dialog;
}

}  // namespace

void RegisterRepeatDialogViews(QtUiServices& ui) {
  ui.RegisterModelessView(CExtendToolDlg::kName, [](DialogModel& model, QWidget* parent) {
    return ExtendView(static_cast<CExtendToolDlg&>(model), parent);
  });
  ui.RegisterModelessView(CRevolveToolDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RevolveView(static_cast<CRevolveToolDlg&>(model), parent);
  });
}
