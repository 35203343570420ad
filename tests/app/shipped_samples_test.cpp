#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/database_dialog.h"
#include "kernel/bmp_image.h"
#include "kernel/boolean_object.h"
#include "kernel/geom_object.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "scene/design_file.h"
#include "scene/scene.h"
#include "services/app_settings.h"

namespace {

// The sample designs and the splash picture the build generated into its program folder.
class ShippedSamplesTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  }
};

void CollectKinds(const CGeomObject* object, std::set<int>* kinds) {
  for (; object != nullptr; object = object->next) {
    kinds->insert(object->GetKind());
    if (object->GetKind() == kKindBoolean) {
      CollectKinds(static_cast<const CBooleanObject*>(object)->members.head(), kinds);
    }
  }
}

TEST_F(ShippedSamplesTest, EveryDesignReadsWithItsKindsAndHasAVariedThumbnail) {
  const struct {
    const char* file;
    std::set<int> kinds;
  } designs[] = {
      {"Rings/Rings1/001", {kKindSurface, kKindCurve}},
      {"Rings/Rings1/002", {kKindSurface, kKindMesh, kKindGem, kKindBoolean}},
      {"Rings/Rings1/003", {kKindMesh, kKindBoolean, kKindGem}},
      {"Rings/Rings2/001", {kKindBlock, kKindSurface}},
      {"Pendants/001", {kKindGem, kKindMesh, kKindSurface, kKindCurve}},
      {"Earrings/001", {kKindGem, kKindMesh, kKindBoolean}},
  };
  for (const auto& design : designs) {
    SCOPED_TRACE(design.file);
    const std::string stem = GetProgramDir() + "database/" + design.file;
    ResetScene();
    InsertDocumentFile(stem + ".lxd");
    std::set<int> kinds;
    CollectKinds(TheScene.head, &kinds);
    EXPECT_EQ(kinds, design.kinds);
    EXPECT_TRUE(Headless().messages.empty());

    ImageRecord thumbnail;
    ASSERT_EQ(LoadBmpFile(stem + ".bmp", &thumbnail), 1);
    EXPECT_EQ(thumbnail.width, 100);
    EXPECT_EQ(thumbnail.height, 100);
    const std::set<std::uint8_t> bytes(thumbnail.data.begin(), thumbnail.data.end());
    EXPECT_GT(bytes.size(), 8u);
  }
  ImageRecord splash;
  ASSERT_EQ(LoadBmpFile(GetProgramDir() + "splash.bmp", &splash), 1);
  EXPECT_EQ(splash.width, 218);
  EXPECT_EQ(splash.height, 320);
}

TEST_F(ShippedSamplesTest, TheBrowserFirstOpensOnTheFirstRing) {
  std::string folder, title;
  Headless().AnswerDialog(CDatabaseDlg::kName, [&](DialogModel& model) {
    auto& dialog = static_cast<CDatabaseDlg&>(model);
    if (dialog.tree.selected != nullptr) folder = FolderTree::PathOf(*dialog.tree.selected);
    if (dialog.selectedDesign >= 0) title = dialog.designs[static_cast<std::size_t>(dialog.selectedDesign)].title;
    return kAnswerCancel;
  });
  RunDatabaseDialog();
  EXPECT_EQ(folder, "Rings/Rings1");
  EXPECT_EQ(title, "001");
}

}  // namespace
