#include "app/qt/text_dialog_view.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/data_dialog_view.h"
#include "modelling/text_command.h"
#include "platform/qt/qt_common_dialogs.h"

namespace {

constexpr int kCaption = 32000;
constexpr int kCreateBlockLabel = 32001;
constexpr int kSetFontLabel = 32002;
constexpr int kOkLabel = 1;
constexpr int kCancelLabel = 2;

}  // namespace

int RunTextDialogView(CTextDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(kCaption));
  auto* layout = new QVBoxLayout(&dialog);
  auto* edit = new QLineEdit(QString::fromStdString(model.text), &dialog);
  edit->setObjectName(QStringLiteral("text"));
  edit->setMaxLength(CTextDlg::kMaxTextUnits);
  if (!TextFont.family.empty()) edit->setFont(QFontFromChoice(TextFont));
  layout->addWidget(edit);
  auto* row = new QHBoxLayout;
  auto* createBlock = new QCheckBox(Localized(kCreateBlockLabel), &dialog);
  createBlock->setChecked(model.createBlock != 0);
  row->addWidget(createBlock);
  auto* setFont = new QPushButton(Localized(kSetFontLabel), &dialog);
  setFont->setAutoDefault(false);
  row->addWidget(setFont);
  layout->addLayout(row);
  QObject::connect(setFont, &QPushButton::clicked, edit, [edit] {
    if (ChooseTextFont()) edit->setFont(QFontFromChoice(TextFont));
  });
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok = buttons->addButton(Localized(kOkLabel), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->addButton(Localized(kCancelLabel), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return kAnswerCancel;
  model.text = edit->text().toStdString();
  model.createBlock = createBlock->isChecked() ? 1 : 0;
  return kAnswerOk;
}
