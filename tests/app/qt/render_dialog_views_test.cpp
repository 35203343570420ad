#include "app/qt/render_dialog_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImageReader>
#include <QIntValidator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>

#include "app/qt/app_dialog_views.h"
#include "app/qt/color_swatch_button.h"
#include "dialog_view_test.h"
#include "kernel/mesh_object.h"
#include "platform/headless_platform.h"
#include "platform/picture_file.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_picture_codec.h"
#include "qt_test.h"
#include "render/material_browser.h"
#include "render/material_editor.h"
#include "render/render_to_file.h"
#include "scene/scene.h"
#include "scene/view_background.h"
#include "scene_fixture.h"
#include "scratch_file.h"
#include "services/app_settings.h"
#include "services/bmp_picture_codec.h"
#include "services/string_table.h"
#include "tmpdir_scope.h"

namespace {

namespace fs = std::filesystem;
using D = CRenderToFileDlg;

// The program's BMP codec, noting the pictures it loads.
class NotingBmpCodec : public BmpPictureCodec {
 public:
  bool Load(const std::string& path, Picture* picture) override {
    loaded.push_back(path);
    return BmpPictureCodec::Load(path, picture);
  }
  std::vector<std::string> loaded;
};

// The swatches of a dialog, in the order they were made.
std::vector<CColorSwatchButton*> Swatches(QWidget* dialog) {
  std::vector<CColorSwatchButton*> swatches;
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (auto* swatch = dynamic_cast<CColorSwatchButton*>(button)) swatches.push_back(swatch);
  }
  return swatches;
}

class FailingCodec : public PictureCodec {
 public:
  bool Load(const std::string&, Picture*) override { return false; }
  bool Save(const std::string&, const Picture&) override { return false; }
};

// An 8 x 6 Front view of an empty scene: the picture is the background colour.
class RenderDialogViewsTest : public QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    view.documentHistory = &document;
    document.views = {&view};
    SetActiveView(&view);
    view.SetSize(8, 6);
    view.viewType = kViewFront;
    view.SetAxes(0, 2, 1, 1, 1, -1);
    view.viewExtent = 3;
    RegisterPictureCodec("bmp", &bmp);
    InstallPlatformServices({&Headless(), &Headless(), &Headless(), &Headless(), &Headless()});
  }
  void TearDown() override {
    SetActiveView(nullptr);
    QtTest::TearDown();
  }

  void AnswerRender(const std::string& name) {
    Headless().AnswerDialog(D::kName, [name](DialogModel& model) {
      auto& dialog = static_cast<D&>(model);
      dialog.texts[D::kFileEdit] = name;
      dialog.texts[D::kWidthEdit] = "8";
      dialog.texts[D::kHeightEdit] = "6";
      dialog.antiAliasing = 0;
      dialog.backgroundColour = 0x2080E0;
      EXPECT_TRUE(dialog.Validate());
      return kAnswerOk;
    });
  }

  TestDocument document;
  CViewport view;
  NotingBmpCodec bmp;
  TempDir temporary;
  TmpDirScope tmp{temporary.path()};
  TempDir folder;
};

TEST_F(RenderDialogViewsTest, AJpgNameIsConvertedFromTheExchangeFolderAndOpened) {
  const std::string target = folder.File("ring.JPG");
  AnswerRender(target);
  OnRenderToFile();
  const Bytes bytes = ReadWholeFile(target);
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 3), (Bytes{0xFF, 0xD8, 0xFF}));
  QImageReader reader(QString::fromStdString(target));
  EXPECT_EQ(reader.format(), QByteArray("jpeg"));
  const QImage image = reader.read();
  ASSERT_EQ(image.size(), QSize(8, 6));
  long sum[3] = {0, 0, 0};
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const QRgb pixel = image.pixel(x, y);
      sum[0] += qRed(pixel);
      sum[1] += qGreen(pixel);
      sum[2] += qBlue(pixel);
    }
  }
  EXPECT_NEAR(sum[0] / 48.0, 0xE0, 6);
  EXPECT_NEAR(sum[1] / 48.0, 0x80, 6);
  EXPECT_NEAR(sum[2] / 48.0, 0x20, 6);
  const std::string exchange = GetExchangeFolder();
  EXPECT_EQ(exchange, temporary.File("lumidrex/"));
  EXPECT_EQ(bmp.loaded, std::vector<std::string>{exchange + "vorn.bmp"});
  EXPECT_TRUE(fs::is_empty(exchange));
  ASSERT_EQ(Headless().launches.size(), 1u);
  EXPECT_EQ(Headless().launches[0].arguments, std::vector<std::string>{target});
}

TEST_F(RenderDialogViewsTest, AFailedConversionOpensNothingAndKeepsTheOlderPicture) {
  FailingCodec failing;
  RegisterPictureCodec("jpg", &failing);
  const Bytes older = {0xFF, 0xD8, 0xFF, 'o', 'l', 'd'};
  const std::string target = folder.Write("ring.JPG", older);
  AnswerRender(target);
  OnRenderToFile();
  EXPECT_EQ(ReadWholeFile(target), older);
  EXPECT_TRUE(Headless().launches.empty());
  EXPECT_TRUE(fs::is_empty(GetExchangeFolder()));
}

TEST_F(RenderDialogViewsTest, TheQtCodecNeverLeavesAPartialFile) {
  QtPictureCodec codec;
  const std::string plain = folder.Write("plain", Bytes{1});
  EXPECT_FALSE(codec.Save(plain + "/ring.jpg", Picture::Blank(2, 2)));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"plain"});
  EXPECT_TRUE(codec.Save(folder.File("ring.png"), Picture::Blank(2, 2)));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"plain", "ring.png"}));
}

class DialogViewsTest : public RenderDialogViewsTest {
 protected:
  void SetUp() override {
    RenderDialogViewsTest::SetUp();
    RegisterAppDialogViews(platform().ui());
    InstallPlatformServices({&platform().ui(), &Headless(), &platform().settings(), nullptr, &platform().input()});
    UseTestLanguage();
  }
};

TEST_F(DialogViewsTest, RenderToFileShowsItsTextsRangesAndSizes) {
  D& model = RenderToFileDialog();
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("T:Render to File"));
    QStringList buttons;
    for (auto* button : modal->findChildren<QPushButton*>()) buttons << button->text();
    EXPECT_TRUE(buttons.contains(QStringLiteral("T:Image File")));
    EXPECT_EQ(modal->findChild<QCheckBox*>()->text(), QStringLiteral("T:Outline drawing"));
    QStringList ranges;
    for (auto* edit : modal->findChildren<QLineEdit*>()) {
      if (const auto* range = qobject_cast<const QIntValidator*>(edit->validator())) {
        ranges << QStringLiteral("%1..%2").arg(range->bottom()).arg(range->top());
      }
    }
    EXPECT_EQ(ranges, (QStringList{"1..10000", "1..10000", "1..100"}));
    auto* sizes = modal->findChild<QListWidget*>();
    QStringList entries;
    for (int i = 0; i < sizes->count(); ++i) entries << sizes->item(i)->text();
    EXPECT_EQ(entries, (QStringList{"100 x 100", "320 x 240", "640 x 480", "800 x 600", "1024 x 768", "1280 x 1024",
                                    "1600 x 1200"}));
    sizes->setCurrentRow(6);
    EXPECT_EQ(modal->findChildren<QLineEdit*>()[1]->text(), QStringLiteral("1600"));
    EXPECT_EQ(modal->findChild<QComboBox*>()->currentText(), QStringLiteral("3"));
    Headless().colorAnswers = {0x123456u};
    Swatches(modal).at(0)->click();
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(RunModalDialog(model), kAnswerCancel);
  EXPECT_EQ(model.backgroundColour, 0x123456u);
}

TEST_F(DialogViewsTest, TheBrowserShowsTheModelsIconsInItsOrder) {
  TempDir program;
  SetProgramDirOverride(program.path());
  MaterialDir = "material";
  fs::create_directories(program.File("material"));
  for (const char* name : {"material/b.mtl", "material/A.mtl", "material/C.mtl"}) program.Write(name, "x");
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("T:Lumidrex Materials"));
    auto* list = modal->findChild<QListWidget*>();
    EXPECT_EQ(list->iconSize(), QSize(100, 100));
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    EXPECT_EQ(names, (QStringList{"A", "b", "C"}));
    // The root item bears the material folder's own name.
    EXPECT_EQ(modal->findChild<QTreeWidget*>()->currentItem()->text(0), QStringLiteral("material"));
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(ChooseMaterialFile(), std::nullopt);
}

TEST_F(DialogViewsTest, TheEditorsSwatchesAndButtonsReachTheModel) {
  CEditMaterialDlg& model = EditMaterialDialog();
  WhenModalOpens([](QWidget* modal) {
    EXPECT_EQ(modal->findChild<QCheckBox*>()->text(), QStringLiteral("Generate material image"));
    const auto swatches = Swatches(modal);
    ASSERT_EQ(swatches.size(), 3u);
    EXPECT_EQ(swatches[1]->color(), 0x808080u);
    Headless().colorAnswers = {0x0000FFu};
    swatches[2]->click();
    for (auto* edit : modal->findChildren<QLineEdit*>()) {
      if (edit->text() == QStringLiteral("100")) edit->setText(QStringLiteral("101"));
    }
    for (auto* button : modal->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("Get Object Material")) button->click();
    }
  });
  EXPECT_EQ(RunModalDialog(model), CEditMaterialDlg::kGetObjectMaterialResult);
  EXPECT_EQ(model.specular, 0x0000FFu);
  EXPECT_EQ(model.shininess, 101);  // taken as typed: only OK checks the ranges
}

}  // namespace
