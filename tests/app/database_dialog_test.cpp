#include "app/database_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/design_thumbnails.h"
#include "bmp_fixture.h"
#include "gem_library_file.h"
#include "kernel/axis_line_object.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "scene/scene.h"
#include "services/app_settings.h"
#include "services/folder_tree.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

class DatabaseDialogTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(program.path() + "/");
    DataBaseDir = "database";
  }

  // Makes the files (and their folders) under the database folder; ".bmp" files get a small
  // picture, other files a design of one axis line.
  void Make(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
      const fs::path path = fs::path(Root()) / file;
      fs::create_directories(path.parent_path());
      if (CompareNoCase(path.extension().string(), ".bmp") == 0) {
        WriteWholeFile(path.string(), MakeBmp24(4, 4, [](int, int) { return 0x0000FFu; }));
      } else if (path.has_extension()) {
        std::vector<std::unique_ptr<CGeomObject>> objects;
        objects.push_back(std::make_unique<CAxisLineObject>());
        WriteGemLibraryFile(path.string(), std::move(objects));
      } else {
        fs::create_directories(path);
      }
    }
  }

  std::string Root() const { return program.path() + "/database"; }

  // Opens the browser; the answer sees the model as the view would.
  void Open(std::function<int(CDatabaseDlg&)> answer) {
    Headless().AnswerDialog(CDatabaseDlg::kName, [answer](DialogModel& model) {
      return answer(static_cast<CDatabaseDlg&>(model));
    });
    RunDatabaseDialog();
  }

  struct Shown {
    std::string folder;  // the selected folder below the root; empty for none
    std::vector<std::string> titles;
    int selected;
  };
  Shown OpenAndLook() {
    Shown shown{};
    Open([&shown](CDatabaseDlg& dialog) {
      shown.folder = dialog.tree.selected ? FolderTree::PathOf(*dialog.tree.selected) : "";
      for (const auto& design : dialog.designs) shown.titles.push_back(design.title);
      shown.selected = dialog.selectedDesign;
      return kAnswerCancel;
    });
    return shown;
  }

  static int SceneObjects() {
    int count = 0;
    for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) ++count;
    return count;
  }

  TempDir program;
};

TEST_F(DatabaseDialogTest, OpensOnTheStartFolderOrTheDeepestPartOfIt) {
  struct Case {
    std::vector<std::string> files;
    std::string folder;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {{"Rings/Rings1/001.lxd", "Rings/Rings1/002.lxd", "Rings/Rings2/009.lxd", "Earrings/e.lxd"}, "Rings/Rings1", {"001", "002"}},
      {{"Rings/r.lxd", "Pendants/p.lxd"}, "Rings", {"r"}},
      {{"Rings/Rings1/b.lxd", "Rings/Rings1/A.lxd", "Rings/Rings1/c.lxd", "Rings/Rings1/note.txt"}, "Rings/Rings1", {"A", "b", "c"}},
      {{"Pendants/p.lxd"}, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    ResetProgramState();
    SetUp();
    fs::remove_all(Root());
    Make(c.files);
    const Shown shown = OpenAndLook();
    EXPECT_EQ(shown.folder, c.folder);
    EXPECT_EQ(shown.titles, c.titles);
    EXPECT_EQ(shown.selected, c.titles.empty() ? -1 : 0);
  }
}

TEST_F(DatabaseDialogTest, TreeListsSubFoldersInOneOrderAndEndsAtLinkedLoops) {
  Make({"b", "A", "c/d", "Rings/Rings1/001.lxd"});
  fs::create_directory_symlink(Root() + "/Rings", Root() + "/Rings/Rings1/up");
  fs::create_directory_symlink(Root() + "/c", Root() + "/linked");
  TempDir collection;
  fs::create_directories(collection.path() + "/sub");
  fs::create_directory_symlink(collection.path(), Root() + "/zcollection");
  std::vector<std::string> paths;
  Open([&paths](CDatabaseDlg& dialog) {
    std::function<void(const FolderTreeItem&)> walk = [&](const FolderTreeItem& item) {
      for (const auto& child : item.children) {
        paths.push_back(FolderTree::PathOf(*child));
        walk(*child);
      }
    };
    walk(dialog.tree.top());
    return kAnswerCancel;
  });
  // The link into c lists c's folder once, under the name met first; a linked collection is in.
  EXPECT_EQ(paths, (std::vector<std::string>{"A", "b", "c", "c/d", "Rings", "Rings/Rings1", "zcollection",
                                             "zcollection/sub"}));
}

TEST_F(DatabaseDialogTest, DesignsKeepTheirSpellingAndFindTheirPicturesInAnyCase) {
  Make({"Rings/Rings1/001.LXD", "Rings/Rings1/001.BMP", "Rings/Rings1/002.lxd"});
  const RasterCanvas placeholder = PlaceholderPicture();
  Open([&](CDatabaseDlg& dialog) {
    EXPECT_EQ(dialog.designs.size(), 2u);
    EXPECT_EQ(dialog.designs[0].fileName, "001.LXD");
    EXPECT_EQ(dialog.designs[0].picture.PixelAt(50, 50), 0x0000FFu);
    EXPECT_EQ(dialog.designs[1].picture.rows(), placeholder.rows());
    return kAnswerOk;
  });
  EXPECT_EQ(SceneObjects(), 1);
}

TEST_F(DatabaseDialogTest, PicturesBecomeOneHundredSquareAndDamagedOnesThePlaceholder) {
  TempDir pictures;
  // Red in the picture's top-left pixel, green in its bottom-right, blue elsewhere.
  const std::string small = pictures.Write("small.bmp", MakeBmp24(50, 80, [](int x, int y) {
    return x == 0 && y == 0 ? 0x0000FFu : x == 49 && y == 79 ? 0x00FF00u : 0xFF0000u;
  }));
  const RasterCanvas stretched = ThumbnailOf(small);
  ASSERT_EQ(stretched.width(), 100);
  ASSERT_EQ(stretched.height(), 100);
  EXPECT_EQ(stretched.PixelAt(0, 0), 0x0000FFu);
  EXPECT_EQ(stretched.PixelAt(1, 0), 0x0000FFu);
  EXPECT_EQ(stretched.PixelAt(2, 0), 0xFF0000u);
  EXPECT_EQ(stretched.PixelAt(99, 99), 0x00FF00u);
  EXPECT_EQ(stretched.PixelAt(99, 0), 0xFF0000u);

  const RasterCanvas placeholder = PlaceholderPicture();
  EXPECT_EQ(placeholder.PixelAt(0, 0), 0x808080u);
  EXPECT_EQ(placeholder.PixelAt(5, 5), 0xC8C8C8u);
  EXPECT_EQ(placeholder.PixelAt(50 + 34, 50), 0x808080u);  // on the outer circle
  EXPECT_EQ(placeholder.PixelAt(50, 50), 0xC8C8C8u);
  for (const auto& [what, bytes] : DamagedBmps()) {
    EXPECT_EQ(ThumbnailOf(pictures.Write("bad.bmp", bytes)).rows(), placeholder.rows()) << what;
  }
  EXPECT_EQ(ThumbnailOf(pictures.File("none.bmp")).rows(), placeholder.rows());
}

TEST_F(DatabaseDialogTest, AClickInsertsTheDesignAndTheNextOpeningReturnsToIt) {
  Make({"Rings/Rings1/001.lxd", "Earrings/e1.lxd", "Earrings/e2.lxd"});
  Open([](CDatabaseDlg& dialog) {
    dialog.SelectFolder(dialog.tree.FirstTopItem());  // Earrings
    dialog.selectedDesign = 1;
    return kAnswerOk;
  });
  EXPECT_EQ(SceneObjects(), 1);
  const Shown shown = OpenAndLook();
  EXPECT_EQ(shown.folder, "Earrings");
  EXPECT_EQ(shown.selected, 1);

  // OK with nothing selected inserts nothing.
  Open([](CDatabaseDlg& dialog) {
    dialog.selectedDesign = -1;
    return kAnswerOk;
  });
  EXPECT_EQ(SceneObjects(), 1);
}

TEST_F(DatabaseDialogTest, ANewRootStartsAfreshAndAMissingOneIsEmpty) {
  Make({"Earrings/e.lxd", "Rings/Rings1/001.lxd"});
  Open([](CDatabaseDlg& dialog) {
    dialog.SelectFolder(dialog.tree.FirstTopItem());
    return kAnswerOk;
  });
  TempDir other;
  fs::create_directories(other.path() + "/Earrings");
  fs::create_directories(other.path() + "/Rings/Rings1");
  DataBaseDir = other.path();
  EXPECT_EQ(OpenAndLook().folder, "Rings/Rings1");

  DataBaseDir = other.path() + "/missing";
  const Shown missing = OpenAndLook();
  EXPECT_EQ(missing.folder, "");
  EXPECT_TRUE(missing.titles.empty());
}

TEST_F(DatabaseDialogTest, DatabaseFolderResolvesAgainstTheProgramFolder) {
  const struct {
    const char* setting;
    std::string resolved;
  } cases[] = {{"", ""}, {"/abs", "/abs"}, {"\\x", "\\x"}, {"C:x", "C:x"}, {"database", program.path() + "/database"}};
  for (const auto& c : cases) {
    DataBaseDir = c.setting;
    EXPECT_EQ(ResolveDatabaseDir(), c.resolved) << c.setting;
  }
}

}  // namespace
