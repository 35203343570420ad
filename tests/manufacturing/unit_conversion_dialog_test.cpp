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
  }
  Headless().AnswerDialog(CUnitConversionDlg::kName, [](DialogModel&) { return kAnswerCancel; });
  float scale = 7.0f;
  EXPECT_FALSE(AskUnitConversion(&scale));
  EXPECT_EQ(scale, 7.0f);
}

}  // namespace
