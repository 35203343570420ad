#include "app/command_rows.h"
#include "modelling/copy_commands.h"
#include "modelling/copy_tool.h"
#include "modelling/deform_tool.h"
#include "modelling/flip90_commands.h"
#include "modelling/mapping_dialogs.h"
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
  rows.push_back({4000, HandlerKind::kResetFirst, &DoCutAndPaste});
  rows.push_back({4001, HandlerKind::kResetFirst, &DoCopyVerticalMirror});
  rows.push_back({4002, HandlerKind::kResetFirst, &DoCopyHorizontalMirror});
  rows.push_back({4003, HandlerKind::kResetFirst, &DoCopyRevolve180});
  rows.push_back({4004, HandlerKind::kResetFirst, &DoCopyCycle});
  rows.push_back({4011, HandlerKind::kResetFirst, &DoCopyToHide});
  // Extend and Revolve run twice: the dialog opens, and its OK posts the command again.
  rows.push_back({4005, HandlerKind::kDirect, &DoCopyExtend});
  rows.push_back({4006, HandlerKind::kDirect, &DoCopyRevolve});
  rows.push_back({6000, HandlerKind::kDirect, &CreateBendTool});
  rows.push_back({6001, HandlerKind::kDirect, &OnDeformBendTwoSides});
  rows.push_back({6002, HandlerKind::kDirect, &OnDeformTaper});
  rows.push_back({6003, HandlerKind::kDirect, &OnDeformTaperTwoSides});
  rows.push_back({6004, HandlerKind::kDirect, &OnDeformScaledTaper});
  rows.push_back({6005, HandlerKind::kDirect, &OnDeformScaledTaperTwoSides});
  rows.push_back({6006, HandlerKind::kDirect, &OnDeformSkew});
  rows.push_back({6007, HandlerKind::kDirect, &OnDeformSkewTwoSides});
  rows.push_back({6008, HandlerKind::kDirect, &OnDeformTwist});
  rows.push_back({6009, HandlerKind::kDirect, &OnDeformSkewTwist});
  rows.push_back({6010, HandlerKind::kDirect, &OnDeformWhirl});
  // The mapping dialogs run twice after a drag in the view: the tool posts the command again.
  rows.push_back({6100, HandlerKind::kDirect, &OnUvMap});
  rows.push_back({6101, HandlerKind::kDirect, &OnProjectMap});
}
