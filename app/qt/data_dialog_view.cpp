#include "app/qt/data_dialog_view.h"

#include <QButtonGroup>
#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <vector>

#include "services/data_dialog.h"
#include "services/string_table.h"

namespace {

constexpr char kControlId[] = "controlId";

class FocusInFilter : public QObject {
 public:
  FocusInFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) action_();
    return false;
  }

 private:
  std::function<void()> action_;
};

}  // namespace

QString Localized(int key) { return QString::fromStdString(GetLocalizedString(key)); }

QLineEdit* BoundEdit(CDataDialog& model, int id, QWidget* parent) {
  auto* edit = new QLineEdit(QString::fromStdString(model.texts[id]), parent);
  edit->setProperty(kControlId, id);
  QObject::connect(edit, &QLineEdit::textChanged, edit,
                   [&model, id](const QString& text) { model.texts[id] = text.toStdString(); });
  return edit;
}

void ShowModelTexts(QDialog& dialog, CDataDialog& model) {
  for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
    const QVariant id = edit->property(kControlId);
    if (!id.isValid()) continue;
    // An unchanged text is left alone, so an edit being typed in keeps its cursor.
    const QString text = QString::fromStdString(model.texts[id.toInt()]);
    if (edit->text() != text) edit->setText(text);
  }
}

void FocusFailedField(QDialog& dialog, const CDataDialog& model) {
  for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
    if (edit->property(kControlId).toInt() != model.failedField) continue;
    edit->setFocus();
    edit->selectAll();
  }
}

void DoneIfValid(QDialog& dialog, CDataDialog& model, int result) {
  if (!model.Validate()) {
    FocusFailedField(dialog, model);
    return;
  }
  // OK through accept(): the window of a modeless model hands it to the model's own OK.
  if (result == QDialog::Accepted) {
    dialog.accept();
  } else {
    dialog.done(result);
  }
}

QHBoxLayout* OkCancelButtons(QDialog& dialog, CDataDialog& model) {
  auto* ok = new QPushButton(Localized(1), &dialog);
  auto* cancel = new QPushButton(Localized(2), &dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog, &model] { DoneIfValid(dialog, model, QDialog::Accepted); });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  return buttons;
}

void OnFocusIn(QWidget* widget, std::function<void()> action) {
  widget->installEventFilter(new FocusInFilter(widget, std::move(action)));
}

int ExecDataDialog(QDialog& dialog) { return dialog.exec() == QDialog::Accepted ? kAnswerOk : kAnswerCancel; }

// Presses the dialog's OK, which closes it only when the values check.
void PressDefaultButton(QDialog& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->isDefault()) button->click();
  }
}

// A dialog with its caption from the string table, its content and OK and Cancel below.
QVBoxLayout* Frame(QDialog& dialog, CDataDialog& model, int captionKey) {
  dialog.setWindowTitle(Localized(captionKey));
  auto* layout = new QVBoxLayout(&dialog);
  auto* content = new QVBoxLayout;
  layout->addLayout(content);
  layout->addLayout(OkCancelButtons(dialog, model));
  return content;
}

// An edit with the list that feeds it below: a click copies the entry into the edit, a
// double-click also accepts.
QLineEdit* AddFedEdit(QDialog& dialog, QVBoxLayout* content, CDataDialog& model, int editId, QListWidget* list) {
  QLineEdit* edit = BoundEdit(model, editId, &dialog);
  content->addWidget(edit);
  content->addWidget(list);
  QObject::connect(list, &QListWidget::itemClicked, edit, [edit](QListWidgetItem* item) { edit->setText(item->text()); });
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, [&dialog, edit](QListWidgetItem* item) {
    edit->setText(item->text());
    PressDefaultButton(dialog);
  });
  return edit;
}

// Radio buttons for the values, labelled by the keys; the checked one is the value.
QWidget* Radios(QDialog& dialog, std::span<const int> labels, std::span<const int> values, int* value) {
  auto* box = new QWidget(&dialog);
  auto* column = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  // Ids are positions: a negative id would ask the group for one of its own.
  for (std::size_t i = 0; i < labels.size(); ++i) {
    auto* radio = new QRadioButton(Localized(labels[i]), box);
    radio->setChecked(*value == values[i]);
    group->addButton(radio, static_cast<int>(i));
    column->addWidget(radio);
  }
  QObject::connect(group, &QButtonGroup::idToggled, box,
                   [value, kept = std::vector<int>(values.begin(), values.end())](int id, bool on) {
                     if (on) *value = kept[static_cast<std::size_t>(id)];
                   });
  return box;
}

