#include "manufacturing/unit_conversion_dialog.h"

#include <gtest/gtest.h>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"

namespace {

using UnitConversionTest = LumidrexTest;

TEST_F(UnitConversionTest, EachButtonSetsItsScaleAndCancelKeepsIt) {
  const struct {
    int code;
    double scale;
  } cases[] = {{1, 1}, {11, 10}, {12, 0.1}, {13, 25.4}, {14, 1 / 25.4}, {15, 2.54}, {16, 1 / 2.54}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Headless().AnswerDialog(CUnitConversionDlg::kName, [&c](DialogModel&) { return c.code; });
    float scale = 7.0f;
    EXPECT_TRUE(AskUnitConversion(&scale));
    EXPECT_EQ(scale, static_cast<float>(c.scale));
    // Programs come out in inches after "mm -> inch" and "cm -> inch" only.
    EXPECT_EQ(ScaleGivesInches(scale), c.code == 14 || c.code == 16);
  }
  // The dialog's text of a scale reads back as the same unit; a scale typed near it does not.
  for (const float typed : {0.0393701f, 0.393701f}) EXPECT_TRUE(ScaleGivesInches(typed)) << typed;
  for (const float typed : {0.0394f, 0.39f, 0.0f, 25.4f}) EXPECT_FALSE(ScaleGivesInches(typed)) << typed;
  Headless().AnswerDialog(CUnitConversionDlg::kName, [](DialogModel&) { return kAnswerCancel; });
  float scale = 7.0f;
  EXPECT_FALSE(AskUnitConversion(&scale));
  EXPECT_EQ(scale, 7.0f);
}

}  // namespace
