#include "app/qt/render_dialog_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/browser_widgets.h"
#include "app/qt/color_swatch_button.h"
#include "app/qt/data_dialog_view.h"
#include "platform/qt/qt_ui_services.h"
#include "render/material_browser.h"
#include "render/material_editor.h"
#include "render/render_to_file.h"

namespace {

constexpr int kRenderCaption = 32400;
constexpr int kImageFileText = 32401;
constexpr int kResolutionText = 32402;
constexpr int kBackgroundText = 32403;
constexpr int kAntiAliasingText = 32404;
constexpr int kOutlineText = 32405;
constexpr int kMaterialsCaption = 31400;
constexpr int kBrowseText = 3;

QLineEdit* RangedEdit(CDataDialog& model, int id, int low, int high, QWidget* parent) {
  QLineEdit* edit = BoundEdit(model, id, parent);
  edit->setValidator(new QIntValidator(low, high, edit));
  return edit;
}

CColorSwatchButton* Swatch(std::uint32_t& color, QWidget* parent) {
  auto* swatch = new CColorSwatchButton(parent);
  swatch->setColor(color);
  swatch->onColorChosen = [&color](std::uint32_t chosen) { color = chosen; };
  return swatch;
}

int RunRenderToFileView(CRenderToFileDlg& model, QWidget* parent) {
  using D = CRenderToFileDlg;
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(kRenderCaption));
  QLineEdit* file = BoundEdit(model, D::kFileEdit, &dialog);
  file->setMaxLength(D::kMaxFileNameChars);
  file->setMinimumWidth(260);
  auto* imageFile = new QPushButton(Localized(kImageFileText), &dialog);
  QLineEdit* width = RangedEdit(model, D::kWidthEdit, 1, D::kMaxSide, &dialog);
  QLineEdit* height = RangedEdit(model, D::kHeightEdit, 1, D::kMaxSide, &dialog);
  auto* sizes = new QListWidget(&dialog);
  for (const char* size : D::kPictureSizes) sizes->addItem(QString::fromLatin1(size));
  sizes->setMaximumHeight(120);
  CColorSwatchButton* background = Swatch(model.backgroundColour, &dialog);
  auto* antiAliasing = new QComboBox(&dialog);
  antiAliasing->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
  antiAliasing->setCurrentIndex(model.antiAliasing);
  auto* outline = new QCheckBox(Localized(kOutlineText), &dialog);
  outline->setChecked(model.outline != 0);
  QLineEdit* outlineValue = RangedEdit(model, D::kOutlineValueEdit, 1, 100, &dialog);

  model.onChanged = [&dialog, &model] { ShowModelTexts(dialog, model); };
  QObject::connect(imageFile, &QPushButton::clicked, &dialog, [&model] { model.OnImageFile(); });
  QObject::connect(sizes, &QListWidget::currentRowChanged, &dialog, [&model](int row) { model.OnPictureSize(row); });
  QObject::connect(antiAliasing, &QComboBox::currentIndexChanged, &dialog,
                   [&model](int index) { model.antiAliasing = index; });
  QObject::connect(outline, &QCheckBox::toggled, &dialog, [&model](bool on) { model.outline = on ? 1 : 0; });

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file);
  fileRow->addWidget(imageFile);
  auto* resolution = new QGridLayout;
  resolution->addWidget(new QLabel(Localized(kResolutionText), &dialog), 0, 0);
  resolution->addWidget(width, 0, 1);
  resolution->addWidget(new QLabel(QStringLiteral("x"), &dialog), 0, 2);
  resolution->addWidget(height, 0, 3);
  resolution->addWidget(sizes, 1, 1, 1, 3);
  resolution->addWidget(new QLabel(Localized(kBackgroundText), &dialog), 2, 0);
  resolution->addWidget(background, 2, 1);
  resolution->addWidget(new QLabel(Localized(kAntiAliasingText), &dialog), 3, 0);
  resolution->addWidget(antiAliasing, 3, 1);
  resolution->addWidget(outline, 4, 0);
  resolution->addWidget(outlineValue, 4, 1);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(fileRow);
  layout->addLayout(resolution);
  layout->addLayout(OkCancelButtons(dialog, model));

  const int result = ExecDataDialog(dialog);
  model.onChanged = nullptr;
  return result;
}

int RunMaterialsView(CMaterialsDlg& model, QWidget* parent) {
  const BrowserBinding binding{&model.tree, &model.onListChanged,
                               [&model](FolderTreeItem* item) { model.SelectFolder(item); },
                               [&model] {
                                 std::vector<BrowserEntry> entries;
                                 for (const auto& material : model.materials) entries.push_back({&material.name, &material.picture});
                                 return entries;
                               },
                               &model.selectedMaterial};
  return RunBrowserView(binding, Localized(kMaterialsCaption), parent);
}

int RunEditMaterialView(CEditMaterialDlg& model, QWidget* parent) {
  using D = CEditMaterialDlg;
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Material"));
  QLineEdit* name = BoundEdit(model, D::kMaterialEdit, &dialog);
  name->setMinimumWidth(220);
  auto* browse = new QPushButton(Localized(kBrowseText), &dialog);

  auto* colours = new QGroupBox(QStringLiteral("Base Color"), &dialog);
  auto* colourGrid = new QGridLayout(colours);
  const std::pair<const char*, std::uint32_t*> swatches[] = {
      {"Ambient", &model.ambient}, {"Diffuse", &model.diffuse}, {"Specular", &model.specular}};
  std::vector<CColorSwatchButton*> swatchButtons;
  for (int row = 0; row < 3; ++row) {
    colourGrid->addWidget(new QLabel(QString::fromLatin1(swatches[row].first), colours), row, 0);
    swatchButtons.push_back(Swatch(*swatches[row].second, colours));
    colourGrid->addWidget(swatchButtons.back(), row, 1);
  }

  auto* mapping = new QGroupBox(QStringLiteral("Mapping"), &dialog);
  auto* mapGrid = new QGridLayout(mapping);
  const char* mapButtons[D::kMapCount] = {"Texture", "Bump", "Reflect", "Shiny"};
  for (int map = 0; map < D::kMapCount; ++map) {
    auto* button = new QPushButton(QString::fromLatin1(mapButtons[map]), mapping);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&model, map] { model.OnMapButton(map); });
    mapGrid->addWidget(button, map, 0);
    mapGrid->addWidget(BoundEdit(model, D::kTextureEdit + map, mapping), map, 1);
  }

  auto* appearance = new QGroupBox(QStringLiteral("Appearance"), &dialog);
  auto* appearanceGrid = new QGridLayout(appearance);
  appearanceGrid->addWidget(new QLabel(QStringLiteral("Shininess"), appearance), 0, 0);
  appearanceGrid->addWidget(RangedEdit(model, D::kShininessEdit, 0, 100, appearance), 0, 1);
  appearanceGrid->addWidget(new QLabel(QStringLiteral("Transparency"), appearance), 1, 0);
  appearanceGrid->addWidget(RangedEdit(model, D::kTransparencyEdit, 0, 100, appearance), 1, 1);

  auto* getObject = new QPushButton(QStringLiteral("Get Object Material"), &dialog);
  auto* generate = new QCheckBox(QStringLiteral("Generate material image"), &dialog);
  generate->setChecked(model.generateImage);

  model.onChanged = [&dialog, &model, swatchButtons] {
    ShowModelTexts(dialog, model);
    swatchButtons[0]->setColor(model.ambient);
    swatchButtons[1]->setColor(model.diffuse);
    swatchButtons[2]->setColor(model.specular);
  };
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&model] { model.OnBrowse(); });
  QObject::connect(generate, &QCheckBox::toggled, &dialog, [&model](bool on) { model.generateImage = on; });
  QObject::connect(getObject, &QPushButton::clicked, &dialog, [&dialog, &model] {
    model.OnGetObjectMaterial();
    dialog.done(D::kGetObjectMaterialResult);
  });

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(new QLabel(QStringLiteral("Material"), &dialog));
  nameRow->addWidget(name, 1);
  nameRow->addWidget(browse);
  auto* groups = new QHBoxLayout;
  groups->addWidget(colours);
  groups->addWidget(mapping);
  groups->addWidget(appearance);
  auto* extras = new QHBoxLayout;
  extras->addWidget(getObject);
  extras->addWidget(generate);
  extras->addStretch();
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(nameRow);
  layout->addLayout(groups);
  layout->addLayout(extras);
  layout->addLayout(OkCancelButtons(dialog, model));

  const int result = dialog.exec();
  model.onChanged = nullptr;
  if (result == QDialog::Accepted) return kAnswerOk;
  return result == D::kGetObjectMaterialResult ? result : kAnswerCancel;
}

}  // namespace

void RegisterRenderDialogViews(QtUiServices& ui) {
  ui.RegisterDialogView(CRenderToFileDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunRenderToFileView(static_cast<CRenderToFileDlg&>(model), parent);
  });
  ui.RegisterDialogView(CMaterialsDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunMaterialsView(static_cast<CMaterialsDlg&>(model), parent);
  });
  ui.RegisterDialogView(CEditMaterialDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunEditMaterialView(static_cast<CEditMaterialDlg&>(model), parent);
  });
}
