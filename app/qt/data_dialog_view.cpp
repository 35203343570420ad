#include "app/qt/data_dialog_view.h"

#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/core/data_dialog.h"
#include "app/core/string_table.h"

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

QHBoxLayout* OkCancelButtons(QDialog& dialog, CDataDialog& model) {
  auto* ok = new QPushButton(Localized(1), &dialog);
  auto* cancel = new QPushButton(Localized(2), &dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog, &model] {
    if (model.Validate()) {
      dialog.accept();
      return;
    }
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
      if (edit->property(kControlId).toInt() != model.failedField) continue;
      edit->setFocus();
      edit->selectAll();
    }
  });
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
