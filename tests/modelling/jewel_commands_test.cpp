#include "modelling/jewel_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gem_library_file.h"
#include "kernel/boolean_object.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/name_pool.h"
#include "modelling/jewel_type_dialog.h"
#include "modelling/round_diamond_size_dialog.h"
#include "modelling/round_jewel_count.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"
#include "services/layer_table.h"
#include "temp_dir.h"

namespace {

Matrix4 Diagonal(float x, float y, float z) {
  Matrix4 m = kIdentityMatrix;
  m.at(0, 0) = x;
  m.at(1, 1) = y;
  m.at(2, 2) = z;
  return m;
}

// The picture fills the square inside its 3-pixel margin along its longer side.
void ExpectFittedPicture(const CutPicture& picture) {
  ASSERT_FALSE(picture.empty());
  float low = 50, high = 0, lowY = 50, highY = 0;
  for (const PictureLine& line : picture) {
    for (const auto& [x, y] : {std::pair{line.x0, line.y0}, std::pair{line.x1, line.y1}}) {
      low = std::min(low, x);
      high = std::max(high, x);
      lowY = std::min(lowY, y);
      highY = std::max(highY, y);
    }
  }
  EXPECT_GE(std::min(low, lowY), 3.0f - 1e-3f);
  EXPECT_LE(std::max(high, highY), 47.0f + 1e-3f);
  EXPECT_NEAR(std::max(high - low, highY - lowY), 44.0f, 1e-3f);
}

class JewelCommandsTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  }

  // Chooses the list entry in the chooser; -1 cancels it.
  static void ChooseCut(int index) {
    Headless().AnswerDialog(CJewelTypeDlg::kName, [index](DialogModel& model) {
      if (index < 0) return kAnswerCancel;
      static_cast<CJewelTypeDlg&>(model).chosen = index;
      return kAnswerOk;
    });
  }

  // Types the number with the unit and presses OK, which closes only on a valid number.
  static void AnswerSize(const std::string& number, int unit) {
    Headless().AnswerDialog(CRoundDiamondSizeDlg::kName, [number, unit](DialogModel& model) {
      auto& dialog = static_cast<CRoundDiamondSizeDlg&>(model);
      dialog.texts[CRoundDiamondSizeDlg::kNumberEdit] = number;
      dialog.unit = unit;
      return dialog.Validate() ? kAnswerOk : kAnswerCancel;
    });
  }

  CGemObject* AddGem(int index, const Matrix4& placement, const char* material, int state = kStateShown,
                     int layer = 0) {
    auto made = std::make_unique<CGemObject>();
    CGemObject* gem = AddObject(made, 1);
    gem->SetLibraryIndex(index);
    gem->placement = placement;
    gem->materialName = material != nullptr ? PoolName(material) : nullptr;
    gem->ObjectState = state;
    gem->layer = layer;
    return gem;
  }

  static CGeomObject* Last() {
    CGeomObject* last = TheScene.head;
    while (last != nullptr && last->next != nullptr) last = last->next;
    return last;
  }
  static int ObjectCount() {
    int count = 0;
    for (const CGeomObject* o = TheScene.head; o != nullptr; o = o->next) ++count;
    return count;
  }
};

TEST_F(JewelCommandsTest, EachCutAddsItsGemWithItsProportionsAndMaterial) {
  struct Case {
    int libraryIndex;
    Vector3 scale;
    const char* material;
  };
  const Case cases[kJewelCutCount] = {
      {0, {3.25f, 3.25f, 3.25f}, "Diamond"},  {1, {0.746f, 0.36f, 0.746f}, "Diamond"},
      {2, {0.5f, 0.375f, 0.5f}, "Diamond"},   {3, {0.538f, 0.564f, 0.538f}, "Diamond"},
      {8, {0.8f, 0.8f, 0.8f}, "Diamond"},     {4, {0.5f, 0.5f, 0.5f}, "DiamSqr"},
      {9, {0.5747126f, 0.5747126f, 0.5747126f}, "Diamond"}, {5, {1, 1, 1}, "DiamSqr"},
  };
  for (int i = 0; i < kJewelCutCount; ++i) {
    SCOPED_TRACE(i);
    const int before = ObjectCount();
    Headless().AnswerDialog(CJewelTypeDlg::kName, [i](DialogModel& model) {
      auto& chooser = static_cast<CJewelTypeDlg&>(model);
      // The list opens on the cut chosen last, with every picture drawn.
      EXPECT_EQ(chooser.chosen, i == 0 ? 0 : i - 1);
      for (const CutPicture& picture : chooser.pictures) ExpectFittedPicture(picture);
      chooser.chosen = i;
      return kAnswerOk;
    });
    if (i == kRoundCutIndex) AnswerSize("6.5", CRoundDiamondSizeDlg::kMillimetres);
    OnJewel();
    ASSERT_EQ(ObjectCount(), before + 1);
    CGeomObject* jewel = Last();
    EXPECT_EQ(jewel->ObjectState, kStateSelected);
    ASSERT_NE(jewel->materialName, nullptr);
    EXPECT_EQ(*jewel->materialName, cases[i].material);
    if (i == kTaperCutIndex) {
      // A jewel-flagged copy of the library shape, which the count does not see.
      ASSERT_EQ(jewel->GetKind(), kKindMesh);
      EXPECT_EQ(jewel->jewel, 1);
      EXPECT_EQ(static_cast<CMeshObject*>(jewel)->points, static_cast<CMeshObject*>(GemLibrary.Prototype(5))->points);
      continue;
    }
    ASSERT_EQ(jewel->GetKind(), kKindGem);
    const auto* gem = static_cast<CGemObject*>(jewel);
    EXPECT_EQ(gem->LibraryIndex(), cases[i].libraryIndex);
    EXPECT_EQ(gem->placement, Diagonal(cases[i].scale.x, cases[i].scale.y, cases[i].scale.z));
  }
  EXPECT_EQ(RoundJewelTally(0.01f, 1), "Jewel\t\tDiameter\t\tNumber\n\nDiamond\t\t    6.50\t\t  1\n");
}

// Every cut of the generated library, as the chooser scales it (the others, as the library holds
// them): as deep as 55 to 70 % of the stone's smaller width, as real stones are cut.
TEST_F(JewelCommandsTest, EveryCutOfTheLibraryHasTheDepthOfARealStone) {
  GemLibrary.Load();
  ASSERT_EQ(GemLibrary.Count(), 10) << "no gemlib in " << LUMIDREX_PROGRAM_FOLDER;
  for (int index = 0; index < GemLibrary.Count(); ++index) {
    SCOPED_TRACE(testing::Message() << "library index " << index);
    Matrix4 scale = kIdentityMatrix;
    for (const JewelCut& cut : kJewelCuts) {
      if (cut.libraryIndex == index) scale.m[0] = cut.scale.x, scale.m[5] = cut.scale.y, scale.m[10] = cut.scale.z;
    }
    Vector3 low, high;
    GemLibrary.Prototype(index)->GetBounds(&low, &high, scale);
    const float ratio = (high.z - low.z) / std::min(high.x - low.x, high.y - low.y);
    EXPECT_GE(ratio, 0.55f);
    EXPECT_LE(ratio, 0.70f);
  }
}

TEST_F(JewelCommandsTest, CancelInEitherDialogCreatesNothing) {
  CTool* before = GetTool(0);
  ChooseCut(-1);
  OnJewel();
  EXPECT_EQ(GetTool(0), before);
  ChooseCut(kRoundCutIndex);
  Headless().AnswerDialog(CRoundDiamondSizeDlg::kName, [](DialogModel&) { return kAnswerCancel; });
  OnJewel();
  EXPECT_EQ(ObjectCount(), 0);
}

TEST_F(JewelCommandsTest, RoundDiamondSizeConvertsCaratsAndRefusesBadNumbers) {
  using Dlg = CRoundDiamondSizeDlg;
  struct Case {
    const char* number;
    int unit;
    float diameter;  // 0: refused, the dialog stays open
  };
  const Case cases[] = {
      {"1", Dlg::kCarats, 6.5f},    {"0.5", Dlg::kCarats, 5.16f}, {"91.64", Dlg::kCarats, 29.31f},
      {"1000", Dlg::kCarats, 65.0f}, {"2.5", Dlg::kMillimetres, 2.5f}, {"0", Dlg::kMillimetres, 0},
      {"1001", Dlg::kMillimetres, 0}, {"nan", Dlg::kMillimetres, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    Headless().AnswerDialog(Dlg::kName, [&c](DialogModel& model) {
      auto& dialog = static_cast<Dlg&>(model);
      dialog.texts[Dlg::kNumberEdit] = c.number;
      dialog.unit = c.unit;
      const bool valid = dialog.Validate();
      EXPECT_EQ(valid, c.diameter > 0);
      if (!valid) {
        EXPECT_EQ(dialog.failedField, Dlg::kNumberEdit);
      }
      return valid ? kAnswerOk : kAnswerCancel;
    });
    EXPECT_FLOAT_EQ(AskRoundDiamondSize(), c.diameter);
  }
  // The next run opens with the last accepted number and unit, not the refused ones.
  Headless().AnswerDialog(Dlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<Dlg&>(model);
    EXPECT_EQ(dialog.texts[Dlg::kNumberEdit], "2.5");
    EXPECT_EQ(dialog.unit, Dlg::kMillimetres);
    return kAnswerCancel;
  });
  EXPECT_EQ(AskRoundDiamondSize(), 0.0f);
}

TEST_F(JewelCommandsTest, CountTalliesShownRoundJewelsByMaterialAndDiameter) {
  DoCountRoundJewel();
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "No round jewel found!");
  EXPECT_EQ(Headless().messages[0].caption, "Counting number of round jewels");

  AddGem(0, Diagonal(0.502f, 0.502f, 0.502f), "Diamond");
  AddGem(0, Diagonal(0.498f, 0.498f, 0.498f), "Diamond", kStateSelected);
  AddGem(6, kIdentityMatrix, "Diamond");
  AddGem(0, Diagonal(0.25f, 0.25f, 0.25f), nullptr);
  CGemObject* ruby = AddGem(0, Diagonal(0.5f, 0.5f, 0.5f), "Ruby");
  EXPECT_TRUE(RoundJewelTally(0.01f, 1).ends_with("Ruby\t\t    1.00\t\t  1\n"));
  ruby->Transform(Diagonal(2, 2, 2), 1);
  // Not counted: an oval, a hidden layer, a hidden gem, a placement that is not finite, a cut
  // other than round.
  AddGem(0, Diagonal(0.5f, 0.6f, 0.5f), "Diamond");
  LayerTable[3].visible = 0;
  AddGem(0, kIdentityMatrix, "Diamond", kStateShown, 3);
  AddGem(0, kIdentityMatrix, "Diamond", 2);
  const float inf = std::numeric_limits<float>::infinity();
  AddGem(0, Diagonal(inf, inf, inf), "Diamond");
  AddGem(0, Diagonal(std::nanf(""), 1, 1), "Diamond");
  AddGem(1, kIdentityMatrix, "Diamond");
  // A subtraction counts its body only.
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanSubtraction);
  for (const float scale : {0.75f, 0.5f}) {
    auto member = std::make_unique<CGemObject>();
    member->SetLibraryIndex(0);
    member->placement = Diagonal(scale, scale, scale);
    member->materialName = PoolName("Emerald");
    group->members.Append(std::move(member));
  }
  AddObject(group, 1);

  DoCountRoundJewel();
  ASSERT_EQ(Headless().messages.size(), 2u);
  EXPECT_EQ(Headless().messages[1].caption, "Counting number of round jewels");
  EXPECT_EQ(Headless().messages[1].text,
            "Jewel\t\tDiameter\t\tNumber\n\n"
            "\t\t    0.50\t\t  1\n"
            "Diamond\t\t    1.00\t\t  2\n"
            "Diamond\t\t    2.00\t\t  1\n"
            "Emerald\t\t    1.50\t\t  1\n"
            "Ruby\t\t    2.00\t\t  1\n");
}

TEST_F(JewelCommandsTest, ADamagedLibraryAddsNoTaperCountsNoUnresolvedGemAndDrawsBlankPictures) {
  struct Case {
    const char* what;
    int prototypes;  // -1: no file at all
  };
  for (const Case& c : {Case{"missing", -1}, Case{"empty", 0}, Case{"three prototypes", 3}}) {
    SCOPED_TRACE(c.what);
    const TempDir folder;
    if (c.prototypes >= 0) {
      std::vector<std::unique_ptr<CGeomObject>> prototypes;
      for (int i = 0; i < c.prototypes; ++i) {
        auto mesh = std::make_unique<CMeshObject>();
        mesh->SetPoints(3, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        mesh->SetFaces({3}, {0, 1, 2});
        mesh->orientation = kIdentityMatrix;
        mesh->mappingFrame = kIdentityMatrix;
        prototypes.push_back(std::move(mesh));
      }
      WriteGemLibraryFile(folder.File(kGemLibraryFileName), std::move(prototypes));
    }
    SetProgramDirOverride(folder.path());
    GemLibrary.Free();
    ResetScene();
    SetActiveView(&view);

    ResetJewelTypeDialog();
    JewelTypeDialog.OnInitDialog();
    for (int i = 0; i < kJewelCutCount; ++i) {
      EXPECT_EQ(JewelTypeDialog.pictures[i].empty(), kJewelCuts[i].libraryIndex >= std::max(c.prototypes, 0)) << i;
    }

    MakeJewel(kTaperJewelCode);
    EXPECT_EQ(ObjectCount(), 0);

    AddGem(0, Diagonal(0.5f, 0.5f, 0.5f), "Diamond");
    AddGem(6, Diagonal(0.5f, 0.5f, 0.5f), "Diamond");
    EXPECT_EQ(RoundJewelTally(0.01f, 1),
              c.prototypes > 0 ? "Jewel\t\tDiameter\t\tNumber\n\nDiamond\t\t    1.00\t\t  1\n" : "");
  }
}

}  // namespace
