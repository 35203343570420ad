#include "manufacturing/cut_slices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "manufacturing/slice_file_path.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "services/app_settings.h"
#include "slice_scene.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using D = CCutSlicesDlg;

class CutSlicesTest : public DesignTest {
 protected:
  TempDir folder;
};

TEST_F(CutSlicesTest, ThicknessListAndControlStates) {
  struct Case {
    const char* name;
    int handOff;
    std::function<void(D&)> act;
    const char* field;
    std::vector<std::string> entries;
  };
  const std::vector<Case> cases = {
      {"the first machine's first entry", 0, [](D&) {}, "0.0127", {"0.0127", "0.0254", "0.0381", "0.0508", "0.0762"}},
      {"OBJET", 0, [](D& d) { d.SetMachine(4); }, "0.016", {"0.016"}},
      {"OBJET in inches", 0,
       [](D& d) {
         d.SetMachine(4);
         d.SetUnit(1);
       },
       "0.016", {"0.000629921"}},
      {"inches then OBJET", 0,
       [](D& d) {
         d.SetUnit(1);
         d.SetMachine(4);
       },
       "0.000629921", {"0.000629921"}},
      {"a typed 0.03 survives a unit change", 0,
       [](D& d) {
         d.texts[D::kThicknessEdit] = "0.03";
         d.SetUnit(1);
       },
       "0.03", {"0.0005", "0.001", "0.0015", "0.002", "0.003"}},
      {"an empty field takes the first entry", 0,
       [](D& d) {
         d.texts[D::kThicknessEdit] = "";
         d.SetUnit(0);
       },
       "0.0127", {"0.0127", "0.0254", "0.0381", "0.0508", "0.0762"}},
      {"a machine change always takes it", 0,
       [](D& d) {
         d.texts[D::kThicknessEdit] = "0.03";
         d.SetMachine(2);
       },
       "0.0254", {"0.0254"}},
      {"hand-off 3", 3, [](D&) {}, "0.01", {"0.01", "0.015", "0.02", "0.025", "0.05"}},
      {"hand-off 4", 4, [](D&) {}, "0.016", {"0.016"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HandOffMode = c.handOff;
    D dialog;
    dialog.OnInitDialog();
    c.act(dialog);
    EXPECT_EQ(dialog.texts[D::kThicknessEdit], c.field);
    EXPECT_EQ(dialog.thicknessEntries, c.entries);
    EXPECT_EQ(dialog.machineEnabled, c.handOff == 0);
    EXPECT_EQ(dialog.fileVisible, c.handOff != 3);
    EXPECT_EQ(dialog.thicknessEnabled, c.handOff != 4);
    EXPECT_EQ(dialog.advancedEnabled, c.handOff == 0);
  }
  D dialog;
  dialog.ChooseStlKind(1);
  EXPECT_EQ(dialog.alsoStl, 1);
  EXPECT_EQ(dialog.stlKind, 1);
}

TEST_F(CutSlicesTest, TypedValuesOutsideTheirRangesKeepTheDialogOpen) {
  struct Case {
    int edit;
    const char* text;
  };
  CfgMeiko = 1;
  const Case cases[] = {{D::kThicknessEdit, "0.00009"},     {D::kThicknessEdit, "nan"},
                        {D::kThicknessEdit, "inf"},         {D::kResolutionEdit, "1e40"},
                        {D::kResolutionEdit, ""},           {D::kResolutionEdit, "abc"},
                        {D::kHatchingIntervalEdit, "0"},    {D::kHatchingLayersEdit, "0"},
                        {D::kHatchingLayersEdit, "10001"},  {D::kZRevisionEdit, "0.09"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    D dialog;
    dialog.OnInitDialog();
    dialog.texts[c.edit] = c.text;
    EXPECT_FALSE(dialog.Validate());
    EXPECT_EQ(dialog.failedField, c.edit);
  }
}

// Answers the dialog with a file name and the given settings.
void Answer(const std::string& name, int advanced, int alsoStl) {
  Headless().AnswerDialog(D::kName, [name, advanced, alsoStl](DialogModel& model) {
    auto& dialog = static_cast<D&>(model);
    dialog.texts[D::kFileEdit] = name;
    dialog.advanced = advanced;
    if (alsoStl != 0) dialog.ChooseStlKind(1);
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
}

TEST_F(CutSlicesTest, SlicesWithAnStlOnlyUnderAdvancedAndRecordsHandOffsOnSuccess) {
  AddBox({0, 0, 0}, {1, 1, 1});
  const std::string base = folder.File("ring.x");
  Answer(base, 0, 1);
  CutIntoSlices();
  // "ring.x" keeps its own extension.
  EXPECT_GT(fs::file_size(base), 0u);
  EXPECT_FALSE(fs::exists(folder.File("ring.stl")));
  EXPECT_TRUE(LastSliceFile.empty());

  const std::string named = folder.File("band");
  Answer(named, 1, 1);
  CutIntoSlices();
  EXPECT_GT(fs::file_size(named + ".slc"), 0u);
  EXPECT_GT(fs::file_size(named + ".stl"), 84u);
  EXPECT_EQ(fs::file_size(named + ".stl") % 50, 34u);

  // Hand-off 3 slices into the per-user folder whatever the name says.
  HandOffMode = 3;
  Answer(folder.File("elsewhere"), 0, 0);
  CutIntoSlices();
  EXPECT_FALSE(fs::exists(folder.File("elsewhere.slc")));
  EXPECT_EQ(LastSliceFile, GetExchangeFolder() + "lumidrex.slc");
  EXPECT_GT(fs::file_size(LastSliceFile), 0u);

  // A failed slicing (nothing visible) records nothing and writes no NC program.
  ResetProgramState();
  SetUp();
  HandOffMode = 4;
  CfgMeiko = 1;
  const auto meiko = [](DialogModel& model) {
    auto& dialog = static_cast<D&>(model);
    dialog.meikoNc = 1;
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  };
  Headless().AnswerDialog(D::kName, [this, meiko](DialogModel& model) {
    static_cast<D&>(model).texts[D::kFileEdit] = folder.File("none");
    return meiko(model);
  });
  CutIntoSlices();
  EXPECT_TRUE(LastSliceFile.empty());
  EXPECT_FALSE(fs::exists(folder.File("none.nc")));

  // After a successful slicing the program is written beside the slices, named by the base name.
  AddBox({0, 0, 0}, {1, 1, 1});
  Headless().AnswerDialog(D::kName, [this, meiko](DialogModel& model) {
    static_cast<D&>(model).texts[D::kFileEdit] = folder.File("cast.slc");
    return meiko(model);
  });
  CutIntoSlices();
  EXPECT_GT(fs::file_size(folder.File("cast.nc")), 0u);
}

}  // namespace
