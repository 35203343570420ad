#include "render/material_browser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bmp_fixture.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "render/current_material.h"
#include "render/material_editor.h"
#include "services/app_settings.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A material folder "material" in a program folder of its own.
class MaterialBrowserTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(program.path());
    MaterialDir = "material";
    for (const char* folder : {"material/metals/txtrmap", "material/TxtrMap", "material/TXTRMAP"}) {
      fs::create_directories(program.File(folder));
    }
    for (const char* file : {"material/metals/Silver.mtl", "material/b.mtl", "material/A.mtl", "material/notes.txt"}) {
      program.Write(file, "TALVERNOMATL0100");
    }
  }

  std::string Root() const { return program.File("material"); }

  // Runs the browser through ChooseMaterialFile; the answer sees the model as the view would.
  std::optional<std::string> Choose(std::function<int(CMaterialsDlg&)> answer) {
    Headless().AnswerDialog(CMaterialsDlg::kName,
                            [answer](DialogModel& model) { return answer(static_cast<CMaterialsDlg&>(model)); });
    return ChooseMaterialFile();
  }

  TempDir program;
};

std::vector<std::string> Paths(const FolderTreeItem& item, const std::string& prefix = {}) {
  std::vector<std::string> paths;
  for (const auto& child : item.children) {
    paths.push_back(prefix + child->text);
    for (const std::string& below : Paths(*child, prefix + child->text + "/")) paths.push_back(below);
  }
  return paths;
}

std::vector<std::string> Names(const CMaterialsDlg& dialog) {
  std::vector<std::string> names;
  for (const auto& material : dialog.materials) names.push_back(material.name);
  return names;
}

TEST_F(MaterialBrowserTest, TheTreeHidesTheTextureFolderAndTheListSortsWithoutCase) {
  Choose([](CMaterialsDlg& dialog) {
    // Only the texture folder at the top is hidden, in any case.
    // The root item bears the material folder's own name.
    EXPECT_EQ(Paths(dialog.tree.top()),
              (std::vector<std::string>{"material", "material/metals", "material/metals/txtrmap"}));
    EXPECT_EQ(dialog.tree.selected, dialog.tree.FirstTopItem());  // "Gold" is not here: the root
    EXPECT_EQ(Names(dialog), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(dialog.selectedMaterial, -1);
    return kAnswerCancel;
  });
}

TEST_F(MaterialBrowserTest, ThePicturesAreTakenShrunkOrThePlaceholder) {
  program.Write("material/A.bmp", MakeBmp24(100, 100, [](int x, int y) { return 0x010203u * static_cast<std::uint32_t>((x + 3 * y) % 80); }));
  // Red on the left half, blue on the right.
  program.Write("material/b.bmp", MakeBmp24(200, 200, [](int x, int) { return x < 100 ? 0x0000FFu : 0xFF0000u; }));
  const RasterCanvas placeholder = MaterialPlaceholderPicture();
  EXPECT_EQ(placeholder.PixelAt(0, 0), 0x808080u);
  EXPECT_EQ(placeholder.PixelAt(99, 50), 0x808080u);
  EXPECT_EQ(placeholder.PixelAt(37, 37), 0x808080u);
  EXPECT_EQ(placeholder.PixelAt(62, 37), 0x808080u);
  EXPECT_EQ(placeholder.PixelAt(50, 20), 0xD8D8D8u);
  Choose([&](CMaterialsDlg& dialog) {
    const RasterCanvas& taken = dialog.materials.at(0).picture;
    int differing = 0;
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 100; ++x) differing += taken.PixelAt(x, y) != 0x010203u * static_cast<std::uint32_t>((x + 3 * y) % 80);
    }
    EXPECT_EQ(differing, 0);
    const RasterCanvas& shrunk = dialog.materials.at(1).picture;
    EXPECT_EQ(shrunk.width(), 100);
    EXPECT_EQ(shrunk.height(), 100);
    for (const int y : {0, 50, 99}) {
      EXPECT_EQ(shrunk.PixelAt(0, y), 0x0000FFu);
      EXPECT_EQ(shrunk.PixelAt(48, y), 0x0000FFu);
      EXPECT_EQ(shrunk.PixelAt(51, y), 0xFF0000u);
      EXPECT_EQ(shrunk.PixelAt(99, y), 0xFF0000u);
    }
    dialog.SelectFolder(dialog.tree.FirstTopItem()->FirstChild());
    EXPECT_EQ(Names(dialog), std::vector<std::string>{"Silver"});
    EXPECT_EQ(dialog.materials.at(0).picture.rows(), placeholder.rows());
    return kAnswerCancel;
  });

  // Cut after the file header, within the picture header. (A picture cut in its rows loads, its
  // missing rows black, as the reader does for every use.)
  Bytes cutShort = MakeBmp24(4, 4, [](int, int) { return 0xFFu; });
  cutShort.resize(14);
  const std::pair<const char*, Bytes> damaged[] = {
      {"no BMP", Bytes{'T', 'A', 'L', 'V'}},
      {"cut short after the file header", cutShort},
      {"100000 x 100000 pixels", MakeBmp({40, 100000, 100000, 24, 0, {}, {}})},
  };
  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(what);
    program.Write("material/A.bmp", bytes);
    Choose([&](CMaterialsDlg& dialog) {
      EXPECT_EQ(dialog.materials.at(0).picture.rows(), placeholder.rows());
      return kAnswerCancel;
    });
  }
}

TEST_F(MaterialBrowserTest, TheCurrentMaterialIsPreselectedAndTheChoiceComesBackRelative) {
  CurrentMaterialName() = "metals\\Silver";
  const auto chosen = Choose([](CMaterialsDlg& dialog) {
    EXPECT_EQ(dialog.tree.selected->text, "metals");
    EXPECT_EQ(dialog.selectedMaterial, 0);
    return kAnswerOk;
  });
  EXPECT_EQ(chosen, "metals\\Silver");

  // A choice in the root folder, then OK with nothing selected, which is a Cancel.
  EXPECT_EQ(Choose([](CMaterialsDlg& dialog) {
              dialog.SelectFolder(dialog.tree.FirstTopItem());
              dialog.selectedMaterial = 1;
              return kAnswerOk;
            }),
            "b");
  EXPECT_EQ(Choose([](CMaterialsDlg& dialog) {
              dialog.selectedMaterial = -1;
              return kAnswerOk;
            }),
            std::nullopt);
}

TEST_F(MaterialBrowserTest, FileChoicesInsideTheFoldersBecomeRelativeNames) {
  TempDir outside;
  const std::string linked = outside.File("linked");
  fs::create_directory_symlink(program.path(), linked);
  struct Case {
    const char* what;
    bool texture;
    std::string chosen;
    std::string expected;
  };
  const Case cases[] = {
      {"a material in a sub-folder", false, Root() + "/metals/Silver.mtl", "metals\\Silver.mtl"},
      {"through a link to the program folder", false, linked + "/material/A.mtl", "A.mtl"},
      {"a cleaned path", false, Root() + "/metals/../b.mtl", "b.mtl"},
      {"a folder differing by case", false, program.File("Material/b.mtl"), program.File("Material/b.mtl")},
      {"a material outside", false, outside.File("own.mtl"), outside.File("own.mtl")},
      {"a texture", true, Root() + "/TxtrMap/wood/oak.bmp", "wood\\oak.bmp"},
      {"a texture beside the texture folder", true, Root() + "/oak.bmp", Root() + "/oak.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Headless().fileAnswers = {FileDialogAnswer{c.chosen, 1}};
    const auto name = c.texture ? PromptTextureFile(1, "BMP Files (*.bmp)|*.bmp|", "")
                                : PromptMaterialFile(1, "Material Files (*.mtl)|*.mtl|", "");
    EXPECT_EQ(name, c.expected);
  }
  EXPECT_EQ(Headless().fileRequests.at(0).initialFolder, Root());
  EXPECT_EQ(Headless().fileRequests.at(5).initialFolder, Root() + "/TxtrMap");  // the first texture prompt
  Headless().fileAnswers = {std::nullopt};
  EXPECT_EQ(PromptMaterialFile(1, "Material Files (*.mtl)|*.mtl|", ""), std::nullopt);
}

}  // namespace
