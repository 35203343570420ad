#include "app/qt/background_image_dialog_view.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/data_dialog_view.h"
#include "scene/background_image_dialog.h"
#include "scene/view_background.h"

namespace {

constexpr int kBlankText = 30102;
constexpr int kFirstFitText = 30103;
constexpr int kImageCentreText = 30109;
constexpr int kImageScaleText = 30110;
constexpr int kBrowseText = 3;
constexpr int kResetText = 4;

}  // namespace

int RunBackgroundImageView(CBackgroundImageDlg& model, QWidget* parent) {
  using D = CBackgroundImageDlg;
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(30101));

  auto* choice = new QButtonGroup(&dialog);
  auto* blank = new QRadioButton(Localized(kBlankText), &dialog);
  auto* picture = new QRadioButton(&dialog);
  choice->addButton(blank, 0);
  choice->addButton(picture, 1);
  QLineEdit* file = BoundEdit(model, D::kFileEdit, &dialog);
  file->setMaxLength(D::kMaxFileNameChars);
  file->setMinimumWidth(280);
  auto* browse = new QPushButton(Localized(kBrowseText), &dialog);

  auto* fits = new QButtonGroup(&dialog);
  auto* fitColumn = new QVBoxLayout;
  for (int mode = kFitActualSize; mode <= kFitLockedToView; ++mode) {
    auto* radio = new QRadioButton(Localized(kFirstFitText + mode), &dialog);
    fits->addButton(radio, mode);
    fitColumn->addWidget(radio);
  }
  auto* centreButton = new QPushButton(Localized(kImageCentreText), &dialog);
  QLineEdit* centreX = BoundEdit(model, D::kCentreXEdit, &dialog);
  QLineEdit* centreY = BoundEdit(model, D::kCentreYEdit, &dialog);
  QLineEdit* scale = BoundEdit(model, D::kScaleEdit, &dialog);
  auto* reset = new QPushButton(Localized(kResetText), &dialog);

  const auto showChoices = [&model, choice, fits] {
    if (QAbstractButton* chosen = choice->button(model.imageChoice)) chosen->setChecked(true);
    if (QAbstractButton* fit = fits->button(model.fitMode)) fit->setChecked(true);
  };
  showChoices();
  model.onChanged = [&dialog, &model, showChoices] {
    ShowModelTexts(dialog, model);
    showChoices();
  };
  QObject::connect(choice, &QButtonGroup::idToggled, &dialog, [&model](int id, bool on) {
    if (on) model.imageChoice = id;
  });
  QObject::connect(fits, &QButtonGroup::idToggled, &dialog, [&model, picture](int id, bool on) {
    if (!on) return;
    model.fitMode = id;
    picture->setChecked(true);
  });
  OnFocusIn(file, [picture] { picture->setChecked(true); });
  for (QLineEdit* edit : {centreX, centreY, scale}) {
    OnFocusIn(edit, [picture, fits] {
      picture->setChecked(true);
      fits->button(kFitLockedToView)->setChecked(true);
    });
  }
  // textEdited comes before the textChanged that keeps the text in the model.
  QObject::connect(scale, &QLineEdit::textEdited, &dialog, [&model](const QString& text) {
    model.texts[D::kScaleEdit] = text.toStdString();
    model.OnScaleEdited();
  });
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&model] { model.OnBrowse(); });
  QObject::connect(reset, &QPushButton::clicked, &dialog, [&model] { model.OnReset(); });
  QObject::connect(centreButton, &QPushButton::clicked, &dialog, [&dialog, &model] {
    model.OnImageCentre();
    dialog.done(D::kPickCentreResult);
  });

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(picture);
  fileRow->addWidget(file);
  fileRow->addWidget(browse);
  auto* centreRow = new QHBoxLayout;
  centreRow->addWidget(centreButton);
  centreRow->addWidget(new QLabel(QStringLiteral("("), &dialog));
  centreRow->addWidget(centreX);
  centreRow->addWidget(new QLabel(QStringLiteral(","), &dialog));
  centreRow->addWidget(centreY);
  centreRow->addWidget(new QLabel(QStringLiteral(")"), &dialog));
  auto* scaleRow = new QHBoxLayout;
  scaleRow->addWidget(new QLabel(Localized(kImageScaleText), &dialog));
  scaleRow->addWidget(scale);
  scaleRow->addWidget(reset);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(blank);
  layout->addLayout(fileRow);
  layout->addLayout(fitColumn);
  layout->addLayout(centreRow);
  layout->addLayout(scaleRow);
  layout->addLayout(OkCancelButtons(dialog, model));

  const int result = dialog.exec();
  model.onChanged = nullptr;
  if (result == QDialog::Accepted) return kAnswerOk;
  return result == D::kPickCentreResult ? D::kPickCentreResult : kAnswerCancel;
}
