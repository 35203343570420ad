#include "app/command_rows.h"
#include "modelling/flip90_commands.h"
#include "modelling/transform_dialog.h"
#include "scene/transform_tools.h"

// Copy, transform, deform and mapping.
void AddCopyDeformRows(std::vector<CommandRow>& rows) {
  rows.push_back({kMovingCommand, HandlerKind::kResetFirst, &OnMoving});
  rows.push_back({kSizingCommand, HandlerKind::kResetFirst, &OnSizing});
  rows.push_back({kFlippingCommand, HandlerKind::kResetFirst, &OnFlipping});
  rows.push_back({kRollingCommand, HandlerKind::kResetFirst, &OnRolling});
  rows.push_back({kObjectAxisCommand, HandlerKind::kDirect, &ToggleTransformReference});
  rows.push_back({5101, HandlerKind::kResetFirst, &DoRotate90Up});
  rows.push_back({5102, HandlerKind::kResetFirst, &DoRotate90Down});
  rows.push_back({5103, HandlerKind::kResetFirst, &DoRotate90Left});
  rows.push_back({5104, HandlerKind::kResetFirst, &DoRotate90Right});
  rows.push_back({4100, HandlerKind::kResetFirst, &DoCopyRotate90Up});
  rows.push_back({4101, HandlerKind::kResetFirst, &DoCopyRotate90Right});
  rows.push_back({4102, HandlerKind::kResetFirst, &DoCopyRotate90Left});
  rows.push_back({4103, HandlerKind::kResetFirst, &DoCopyRotate90Down});
  rows.push_back({4010, HandlerKind::kDirect, &OnCopyTransform});
  rows.push_back({5105, HandlerKind::kDirect, &OnTransformObjects});
}
