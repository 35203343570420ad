#include "modelling/material_tool.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../render/material_fixtures.h"
#include "current_folder.h"
#include "curve_fixture.h"
#include "kernel/mesh_object.h"
#include "kernel/name_pool.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/program_folder.h"
#include "render/current_material.h"
#include "render/material_browser.h"
#include "render/material_editor.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "services/app_settings.h"
#include "services/ui_utilities.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using E = CEditMaterialDlg;

constexpr int kHeldCursor = 4242;

class HeldTool : public CTool {
 public:
  HeldTool() : CTool(0) {}
  int GetCursorId() const override { return kHeldCursor; }
};

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

std::unique_ptr<CMeshObject> Triangle() {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(3, {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}});
  mesh->SetFaces({3}, {0, 1, 2});
  return mesh;
}

// A program folder with the relative material folder "material"; the process works elsewhere.
class MaterialCommandsTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    SetProgramDirOverride(program.path());
    MaterialDir = "material";
    fs::create_directories(Material(""));
  }

  std::string Material(const std::string& name) const { return program.File("material/" + name); }

  template <class T>
  T* Add(std::unique_ptr<T> object, int state) {
    T* added = AddObject(object, 1);
    added->ObjectState = state;
    document.Clear();
    return added;
  }

  void AnswerEditor(std::function<int(E&)> answer) {
    Headless().AnswerDialog(E::kName, [answer](DialogModel& model) { return answer(static_cast<E&>(model)); });
  }

  TempDir program;
  TempDir working;
  CurrentFolder current{working.path()};
};

TEST_F(MaterialCommandsTest, OkSavesTheMaterialAndItsPictureInTheMaterialFolder) {
  CMeshObject* mesh = Add(Triangle(), kStateSelected);
  AnswerEditor([](E& dialog) {
    dialog.texts[E::kMaterialEdit] = "Copper";
    dialog.texts[E::kShininessEdit] = "80";
    dialog.texts[E::kTransparencyEdit] = "5";
    dialog.texts[E::kTextureEdit + 2] = std::string(300, 'r');
    dialog.ambient = 0x102030;
    dialog.diffuse = 0x405060;
    dialog.specular = 0x708090;
    EXPECT_TRUE(dialog.Validate());
    return kAnswerOk;
  });
  OnEditMaterial();
  Bytes expected = MaterialMagic();
  const Bytes values = Words({0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0x90, 0x80, 0x70, 80, 5, 0, 0, 255});
  expected.insert(expected.end(), values.begin(), values.end());
  AppendText(&expected, std::string(255, 'r'));
  Append(&expected, std::int32_t{0});
  EXPECT_EQ(ReadWholeFile(Material("Copper.mtl")), expected);
  EXPECT_EQ(ReadWholeFile(Material("Copper.bmp")).size(), 54u + 100 * 300);
  EXPECT_TRUE(working.Entries().empty());
  EXPECT_EQ(CurrentMaterialName(), "Copper");
  ASSERT_NE(mesh->materialName, nullptr);
  EXPECT_EQ(*mesh->materialName, "Copper");
  EXPECT_NE(dynamic_cast<CPickTool*>(GetTool(0)), nullptr);

  // Without the picture; the editor opens on the current material.
  AnswerEditor([](E& dialog) {
    EXPECT_EQ(dialog.texts[E::kMaterialEdit], "Copper");
    EXPECT_EQ(dialog.texts[E::kShininessEdit], "80");
    dialog.texts[E::kMaterialEdit] = "Tin";
    dialog.generateImage = false;
    EXPECT_TRUE(dialog.Validate());
    return kAnswerOk;
  });
  OnEditMaterial();
  EXPECT_TRUE(fs::exists(Material("Tin.mtl")));
  EXPECT_FALSE(fs::exists(Material("Tin.bmp")));
  EXPECT_TRUE(Headless().messages.empty());
}

TEST_F(MaterialCommandsTest, AMaterialThatCannotBeWrittenIsReportedAndKeepsTheOldFile) {
  CMeshObject* mesh = Add(Triangle(), kStateSelected);
  const Bytes older = PlainMaterialFile({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  program.Write("material/Copper.mtl", older);
  ::chmod(Material("Copper.mtl").c_str(), 0444);
  fs::create_directory(working.File("Copper.mtl"));
  AnswerEditor([](E& dialog) {
    dialog.texts[E::kMaterialEdit] = "Copper";
    dialog.texts[E::kShininessEdit] = "20";
    EXPECT_TRUE(dialog.Validate());
    return kAnswerOk;
  });
  OnEditMaterial();
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Cannot write to file!\n" + Material("Copper.mtl"));
  EXPECT_EQ(ReadWholeFile(Material("Copper.mtl")), older);
  EXPECT_EQ(Entries(Material("")), std::vector<std::string>{"Copper.mtl"});  // no picture, no temporary file
  // The name still goes where the user asked.
  EXPECT_EQ(CurrentMaterialName(), "Copper");
  EXPECT_EQ(*mesh->materialName, "Copper");
}

TEST_F(MaterialCommandsTest, AFileThatDoesNotReadLeavesTheFields) {
  Bytes cutShort = MaterialMagic();
  Bytes negative = PlainMaterialFile({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  negative.resize(negative.size() - 16);
  Append(&negative, std::int32_t{-1});
  Bytes wrongMagic = PlainMaterialFile({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  wrongMagic[0] = 'X';
  const std::pair<const char*, std::optional<Bytes>> cases[] = {
      {"a missing file", std::nullopt},
      {"a wrong magic", wrongMagic},
      {"a file cut short after the magic", cutShort},
      {"a negative name count", negative},
  };
  E& dialog = EditMaterialDialog();
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    fs::remove(Material("Odd.mtl"));
    if (bytes) program.Write("material/Odd.mtl", *bytes);
    dialog.diffuse = 0x123456;
    dialog.shininess = 42;
    dialog.maps[1] = "kept";
    dialog.LoadMaterial("Odd");
    EXPECT_EQ(dialog.materialName, "Odd");
    EXPECT_EQ(dialog.diffuse, 0x123456u);
    EXPECT_EQ(dialog.shininess, 42);
    EXPECT_EQ(dialog.maps[1], "kept");
  }
  fs::create_directories(Material("metals"));
  // A good file is read, its colours clamped for the swatches, its numbers shown as read.
  program.Write("material/metals/Good.mtl", PlainMaterialFile({300, -4, 7, 1, 2, 3, 4, 5, 6, 150, -5}));
  dialog.LoadMaterial("metals\\Good");
  EXPECT_EQ(dialog.ambient, 0x0700FFu);
  EXPECT_EQ(dialog.shininess, 150);
  EXPECT_EQ(dialog.texts[E::kTransparencyEdit], "-5");
  EXPECT_FALSE(dialog.Validate());
  EXPECT_EQ(dialog.failedField, E::kShininessEdit);
  EXPECT_TRUE(Headless().messages.size() == 1);  // the validation's own
}

TEST_F(MaterialCommandsTest, AChosenTextureIsStoredRelativeToTheTextureFolder) {
  E& dialog = EditMaterialDialog();
  dialog.OnInitDialog();
  Headless().fileAnswers = {FileDialogAnswer{Material("TxtrMap/wood/oak.bmp"), 1}};
  dialog.OnMapButton(0);
  EXPECT_EQ(dialog.maps[0], "wood\\oak");
  EXPECT_EQ(dialog.texts[E::kTextureEdit], "wood\\oak");
  EXPECT_TRUE(Headless().fileRequests.at(0).open);
}

TEST_F(MaterialCommandsTest, GetObjectMaterialPicksAnObjectThenTheEditorOpensOnItsMaterial) {
  CMeshObject* mesh = Add(Triangle(), kStateShown);
  mesh->materialName = PoolName("metals\\Silver");
  std::vector<int> posted;
  ProgramCommandQueue().SetDispatcher([&posted](int id) { posted.push_back(id); });
  AnswerEditor([](E& dialog) {
    dialog.texts[E::kMaterialEdit] = "Typed";
    dialog.OnGetObjectMaterial();
    return E::kGetObjectMaterialResult;
  });
  OnEditMaterial();
  EXPECT_TRUE(Entries(Material("")).empty());  // nothing saved
  ASSERT_NE(dynamic_cast<CMaterialPickTool*>(GetTool(0)), nullptr);
  EXPECT_EQ(CurrentMaterialName(), "Typed");

  ClickAt(8, 8);  // nothing there: the tool waits
  EXPECT_NE(dynamic_cast<CMaterialPickTool*>(GetTool(0)), nullptr);
  ClickAt(2, 0);
  EXPECT_NE(dynamic_cast<CPickTool*>(GetTool(0)), nullptr);
  EXPECT_EQ(CurrentMaterialName(), "metals\\Silver");
  EXPECT_EQ(Headless().dialogsRun.size(), 1u);  // not opened inside the handler
  ProgramCommandQueue().Drain();
  EXPECT_EQ(posted, std::vector<int>{2601});
  AnswerEditor([](E& dialog) {
    EXPECT_EQ(dialog.texts[E::kMaterialEdit], "metals\\Silver");
    return kAnswerCancel;
  });
  OnEditMaterial();
  EXPECT_EQ(Headless().dialogsRun.size(), 2u);
}

TEST_F(MaterialCommandsTest, TheChosenMaterialGoesToTheSelectionAndItsGroupsMembersInOneStep) {
  fs::create_directories(Material("metals"));
  program.Write("material/metals/Silver.mtl", PlainMaterialFile({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  CMeshObject* mesh = Add(Triangle(), kStateSelected);
  CBooleanObject* group = Add(AxisLineUnion(2), kStateSelected);
  CMeshObject* unselected = Add(Triangle(), kStateShown);
  const std::string* gold = PoolName("Gold");
  for (CGeomObject* object : {static_cast<CGeomObject*>(mesh), static_cast<CGeomObject*>(group),
                              group->members.head(), group->members.head()->next, static_cast<CGeomObject*>(unselected)}) {
    object->materialName = gold;
  }
  Headless().AnswerDialog(CMaterialsDlg::kName, [](DialogModel& model) {
    auto& browser = static_cast<CMaterialsDlg&>(model);
    browser.SelectFolder(browser.tree.FirstTopItem()->FirstChild());
    browser.selectedMaterial = 0;
    return kAnswerOk;
  });
  OnMaterial();
  EXPECT_EQ(CurrentMaterialName(), "metals\\Silver");
  const auto name = [](const CGeomObject* object) { return *object->materialName; };
  EXPECT_EQ(name(mesh), "metals\\Silver");
  EXPECT_EQ(name(group->members.head()), "metals\\Silver");
  EXPECT_EQ(name(group->members.head()->next), "metals\\Silver");
  EXPECT_EQ(name(group), "Gold");
  EXPECT_EQ(name(unselected), "Gold");
  EXPECT_EQ(document.Undo(), 1);
  EXPECT_EQ(name(mesh), "Gold");
  EXPECT_EQ(name(group->members.head()), "Gold");
  EXPECT_EQ(name(group->members.head()->next), "Gold");
}

TEST_F(MaterialCommandsTest, CancelInEitherDialogKeepsTheToolAndItsCursor) {
  const std::pair<const char*, void (*)()> commands[] = {{CMaterialsDlg::kName, &OnMaterial},
                                                         {E::kName, &OnEditMaterial}};
  for (const auto& [dialog, command] : commands) {
    SCOPED_TRACE(dialog);
    CTool* held = new HeldTool;
    SetToolCursor();
    Headless().AnswerDialog(dialog, [](DialogModel&) { return kAnswerCancel; });
    command();
    EXPECT_EQ(GetTool(0), held);
    EXPECT_EQ(GetCurrentToolCursorId(), kHeldCursor);
    EXPECT_EQ(CurrentMaterialName(), "Gold");
  }
  EXPECT_TRUE(Entries(Material("")).empty());
}

}  // namespace
