#include "app/command_rows.h"
#include "scene/transform_tools.h"

// Copy, transform, deform and mapping.
void AddCopyDeformRows(std::vector<CommandRow>& rows) {
  rows.push_back({kMovingCommand, HandlerKind::kResetFirst, &OnMoving});
  rows.push_back({kSizingCommand, HandlerKind::kResetFirst, &OnSizing});
  rows.push_back({kFlippingCommand, HandlerKind::kResetFirst, &OnFlipping});
  rows.push_back({kRollingCommand, HandlerKind::kResetFirst, &OnRolling});
  rows.push_back({kObjectAxisCommand, HandlerKind::kDirect, &ToggleTransformReference});
}
