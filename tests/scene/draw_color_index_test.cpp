#include <gtest/gtest.h>

#include "program_state.h"
#include "scene/draw_color_index.h"
#include "scene/drawing_context.h"
#include "services/app_settings.h"
#include "services/layer_table.h"

namespace {

using DrawColorIndexTest = LumidrexTest;

TEST_F(DrawColorIndexTest, PickedColourOrLayerColour) {
  for (int i = 0; i < kLayerCount; ++i) LayerColors[static_cast<std::size_t>(i)] = 0x010000u * static_cast<unsigned>(i + 1);
  EXPECT_EQ(ColorPick, 0xFFFFFFu);
  ColorPick = 0x00FF00;
  struct Case {
    int which;
    int index;
    ColorRef color;
  };
  const Case cases[] = {
      {1, 7, 0x00FF00},  {0, 7, 0x080000}, {2, 0, 0x010000}, {0, 19, 0x140000},
      {0, 20, 0x140000}, {0, 1000, 0x140000}, {0, -1, 0x010000},  // outside 0-19: the nearest layer
  };
  SetDrawColor(0x123456);
  ColorRef previous = 0x123456;
  for (const Case& c : cases) {
    EXPECT_EQ(SetDrawColorIndex(c.which, c.index), previous) << c.which << ", " << c.index;
    previous = c.color;
  }
  EXPECT_EQ(SetDrawColor(0), previous);
}

}  // namespace
