#include "platform/input_monitor.h"

#include <algorithm>

namespace {
int paintingDepth = 0;
}  // namespace

bool UserAbortRequested(std::span<const HeldInput> held) {
  using Kind = HeldInput::Kind;
  const auto firstKey =
      std::find_if(held.begin(), held.end(), [](const HeldInput& in) { return in.kind == Kind::kKeyDown; });
  if (firstKey != held.end() && firstKey->virtualKey == kVirtualKeyEscape) return true;
  return std::any_of(held.begin(), held.end(), [](const HeldInput& in) {
    return in.kind == Kind::kLeftButtonDown || in.kind == Kind::kRightButtonDown || in.kind == Kind::kWheel;
  });
}

PaintingScope::PaintingScope() { ++paintingDepth; }
PaintingScope::~PaintingScope() { --paintingDepth; }
bool InsidePainting() { return paintingDepth > 0; }
