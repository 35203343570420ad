#pragma once

#include <cstdint>

#include "scene/tool.h"

inline constexpr int kPickCommand = 3600;
inline constexpr int kPickCVsCommand = 3601;

// The ordinary tool: selects objects, or their control points. One heap instance at a time,
// made as the default tool.
class CPickTool : public CTool {
 public:
  CPickTool() : CTool(0) {}

  int GetCursorId() const override { return pointMode != 0 ? kPickCVsCommand : kPickCommand; }
  // The document's own undo and redo.
  void Undo() override;
  void Redo() override;

  // 0 objects, 1 control points.
  std::int32_t pointMode = 0;
};
