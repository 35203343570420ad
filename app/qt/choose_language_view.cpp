#include "app/qt/choose_language_view.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "services/choose_language.h"
#include "services/string_table.h"

int RunChooseLanguageView(CChooseLanguageDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Choose Language"));
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("languages"));
  // The list keeps the model's order: a list index is an index into its file names.
  list->setSortingEnabled(false);
  for (const std::string& name : model.languageNames) list->addItem(QString::fromStdString(name));
  if (model.selection >= 0 && model.selection < list->count()) list->setCurrentRow(model.selection);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QString::fromStdString(GetLocalizedString(1)));
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromStdString(GetLocalizedString(2)));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return kAnswerCancel;
  model.selection = list->selectedItems().isEmpty() ? -1 : list->currentRow();
  return kAnswerOk;
}
