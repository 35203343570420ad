#pragma once

#include <Qt>

#include <span>
#include <vector>

// One of the main frame's nine dockable toolbars.
struct ToolBarLayout {
  int resource;       // the toolbar's id; its object name is "ToolBar" + resource
  int titleString;    // the title shown while it floats
  int toggleCommand;  // Tool Bars > show or hide
  Qt::ToolBarArea area;
  std::vector<int> buttons;  // 0 is a separator
};

// The toolbars in the order the frame creates them (View, General, File, Copy, Transform, Deform,
// Curve, Surface, Boolean).
std::span<const ToolBarLayout> MainFrameToolBars();
// The resources in docking order: on each side the first named is the first in its row.
std::span<const int> ToolBarDockingOrder();

inline constexpr int kViewToolBarResource = 131;
inline constexpr int kResetToolBarsCommand = 3500;
