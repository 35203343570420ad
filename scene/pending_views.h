#pragma once

#include <array>
#include <cstdint>

// The command that asks the main window for a further view of the active document.
inline constexpr int kCommandWindowNew = 0xE130;

// View types waiting for the views that posted new-window requests will create; the last pushed
// is taken first.
inline constexpr int kPendingViewSlots = 10;
extern std::array<std::int32_t, kPendingViewSlots> PendingViewTypes;
// The slot of the top entry; -1 when the stack is empty.
extern std::int32_t PendingViewTop;

// Stacks the type and posts a new-window request. A push onto a full stack overwrites the top.
void PushPendingViewType(int viewType);
// The type a new view takes: the top entry, or Front when nothing waits.
int PopPendingViewType();

void ResetPendingViews();
