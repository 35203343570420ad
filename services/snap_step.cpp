#include "services/snap_step.h"

#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {
constexpr float kFineSnap = 0.1f;
constexpr float kCoarseSnap = 1.0f;
}  // namespace

float SnapFactor = kFineSnap;

void ToggleSnapStep() {
  SnapFactor = SnapFactor < 1.0f ? kCoarseSnap : kFineSnap;
  ShowStatusText(GetLocalizedString(SnapFactor < 1.0f ? 10022 : 10023));
}

int IsFineSnap() { return SnapFactor < 1.0f ? 1 : 0; }

void ResetSnapStep() { SnapFactor = kFineSnap; }
