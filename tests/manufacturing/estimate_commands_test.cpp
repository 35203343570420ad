#include "manufacturing/estimate_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comma_locale.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "slice_scene.h"

namespace {

using EstimateTexts = LumidrexTest;

TEST_F(EstimateTexts, MessagesAndTheLeadingNumber) {
  EXPECT_EQ(FormatVolumeMessage(1.0f), "Volume = 1 cubic mm");
  EXPECT_EQ(FormatVolumeMessage(818.25f), "Volume = 818.25 cubic mm");
  struct Case {
    float volume;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {1e6f, "1", "Weight = 1 kilograms"},
      {999900.0f, "1", "Weight = 999.9 grams"},
      // The label says 18.4; the value used is 18.1800698.
      {1000.0f, SpecificGravityItem(SpecificGravityTable[1]), "Weight = 18.1801 grams"},
      {1000.0f, "17.5", "Weight = 17.5 grams"},
      {1000.0f, " -17.5abc", "Weight = -17.5 grams"},
      {1000.0f, "abc", "Weight = 0 grams"},
      {1000.0f, "inf", "Weight = 0 grams"},
      {1000.0f, "nan", "Weight = 0 grams"},
      {1000.0f, "1e999", "Weight = 0 grams"},
      {1000.0f, "", "Weight = 0 grams"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatWeightMessage(c.volume, c.text), c.message);
  }
  EXPECT_EQ(FormatCentreMessage({0.475f, -12.5f, 1234.567f}),
            "Center of Gravity\n\n    X =     0.47\n    Y =   -12.50\n    Z =  1234.57");
}

TEST_F(EstimateTexts, AlloyItemsShowTheValueUsedAndTheLabel) {
  const auto items = CVolumeMassDlg::Items();
  const char* expected[] = {"19.300  [Gold(24K) 19.3]", "18.180  [Gold(22K) 18.4]", "16.477  [Gold(18K) 16.9]",
                            "14.519  [Gold(14K) 15.4]", "12.800  [Gold(9K) 12.8]",  "10.500  [Silver 10.5]",
                            "21.400  [Platinum 21.4]"};
  for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i], expected[i]);
}

class EstimateCommandsTest : public DesignTest {};

TEST_F(EstimateCommandsTest, VolumeWeightAndCentreOfAUnitBox) {
  AddBox({0, 0, 0}, {1, 1, 1});
  OnVolume();
  // The weight dialog opens on the first alloy each time, whatever was typed at the last OK.
  Headless().AnswerDialog(CVolumeMassDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CDataDialog&>(model);
    EXPECT_EQ(dialog.texts[CVolumeMassDlg::kGravityEdit], "19.300  [Gold(24K) 19.3]");
    dialog.texts[CVolumeMassDlg::kGravityEdit] = "1000";
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  Headless().AnswerDialog(CVolumeMassDlg::kName, [](DialogModel& model) {
    EXPECT_EQ(static_cast<CDataDialog&>(model).texts[CVolumeMassDlg::kGravityEdit], "19.300  [Gold(24K) 19.3]");
    return kAnswerOk;
  });
  OnWeight();
  OnWeight();
  OnCenterOfGravity();
  const std::vector<HeadlessPlatform::Message>& messages = Headless().messages;
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].text, "Volume = 1 cubic mm");
  EXPECT_EQ(messages[1].text, "Weight = 1 grams");
  EXPECT_EQ(messages[2].text, "Weight = 0.0193 grams");
  EXPECT_EQ(messages[3].text, "Center of Gravity\n\n    X =     0.47\n    Y =     0.47\n    Z =     0.50");
  for (const auto& message : messages) EXPECT_EQ(message.caption, "Lumidrex");
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
}

TEST_F(EstimateCommandsTest, NothingVisibleShowsNoVolumeOrWeightButAZeroCentre) {
  Headless().AnswerDialog(CVolumeMassDlg::kName, [](DialogModel&) { return kAnswerOk; });
  OnVolume();
  OnWeight();
  EXPECT_TRUE(Headless().messages.empty());
  OnCenterOfGravity();
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Center of Gravity\n\n    X =     0.00\n    Y =     0.00\n    Z =     0.00");
}

TEST_F(EstimateCommandsTest, TextsAreTheSameUnderACommaLocale) {
  CommaLocale comma;
  ASSERT_TRUE(comma.active());
  EXPECT_EQ(LeadingNumber("17,5"), 17.0);
  EXPECT_EQ(LeadingNumber("17.5"), 17.5);
  EXPECT_EQ(FormatCentreMessage({0.5f, 1.25f, 2}),
            "Center of Gravity\n\n    X =     0.50\n    Y =     1.25\n    Z =     2.00");
  EXPECT_EQ(SpecificGravityItem(SpecificGravityTable[2]), "16.477  [Gold(18K) 16.9]");
}

}  // namespace
