#include <gtest/gtest.h>

#include <functional>

#include "curve_fixture.h"
#include "modelling/loft_tool.h"
#include "modelling/pipe_surface.h"
#include "modelling/rail_surface_tool.h"
#include "scene/design_file.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"

namespace {

class SurfaceToolsTeardownTest : public CurveTest {};

// A new document while a tool holds picked objects: the tool ends first, while they exist, and
// then the list goes (checked by the address sanitizer).
TEST_F(SurfaceToolsTeardownTest, ANewDocumentEndsEveryToolBeforeItsObjects) {
  const std::function<void()> starts[] = {
      [] { OnLoftSurface(); },
      [] { DoRailSurface(4, 0, 0, 0, kDualSection); },
      [] { DoPipeSurface(2, 0, 1.0f); },
  };
  for (const auto& start : starts) {
    AddCurve({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, kStateShown);
    AddCurve({{0, -2, 0}, {1, -2, 0}, {2, -2, 0}}, kStateShown);
    AddCurve({{5, 1, 0}, {5, 2, 1}, {5, 3, 0}}, kStateShown);
    ResetToPickTool();
    start();
    ClickAt(1, 0);
    ClickAt(1, -2);
    ClickAt(5, 2);
    CTool* tool = GetTool(0);
    ASSERT_NE(tool, nullptr);
    EXPECT_NE(tool->GetCursorId(), kPickCommand);
    NewScene(&document);
    EXPECT_EQ(TheScene.head, nullptr);
    EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  }
}

}  // namespace
