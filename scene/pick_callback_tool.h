#pragma once

#include <cstdint>

#include "scene/tool.h"

class CGeomObject;

// Picks one object, or a member of a Boolean group, and hands it to a callback that a modelling
// command supplies. One static instance, installed as the secondary tool by StartCallbackTool.
class CPickCallbackTool : public CTool {
 public:
  using Callback = void (*)(CPickCallbackTool* tool);

  // The static instance, made while no viewport is active.
  CPickCallbackTool() : CTool(0) {}
  // A default tool of its own, made with new; a command makes one only while a viewport is
  // active, as it would be installed nowhere otherwise.
  CPickCallbackTool(Callback onPick, int wanted, int member, int keep)
      : CTool(0), wantedKind(wanted), memberKind(member), keepInstalled(keep), callback(onPick) {}

  // Picks an object of wantedKind, or with memberKind set any object, a group being picked into
  // for a member of memberKind.
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  // Runs once an object has been picked; takes the object from the tool.
  virtual void RunCallback();

  CGeomObject* picked = nullptr;
  // The kind picked directly; memberKind non-zero: the kind of group member picked instead.
  std::int32_t wantedKind = 0;
  std::int32_t memberKind = 0;
  // Set: the tool stays installed after a pick.
  std::int32_t keepInstalled = 0;
  Callback callback = nullptr;
};

// Installs the static pick-callback tool with these values; the caller sets the cursor.
void StartCallbackTool(CPickCallbackTool::Callback callback, int wantedKind, int memberKind);
