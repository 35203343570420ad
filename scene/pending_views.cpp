#include "scene/pending_views.h"

#include <algorithm>

#include "scene/viewport.h"
#include "services/ui_utilities.h"

std::array<std::int32_t, kPendingViewSlots> PendingViewTypes{};
std::int32_t PendingViewTop = -1;

void PushPendingViewType(int viewType) {
  PendingViewTop = std::clamp(PendingViewTop, -1, kPendingViewSlots - 2) + 1;
  PendingViewTypes[static_cast<std::size_t>(PendingViewTop)] = viewType;
  SendCommand(kCommandWindowNew);
}

int PopPendingViewType() {
  if (PendingViewTop < 0) return kViewFront;
  return PendingViewTypes[static_cast<std::size_t>(PendingViewTop--)];
}

void ResetPendingViews() {
  PendingViewTypes.fill(0);
  PendingViewTop = -1;
}
