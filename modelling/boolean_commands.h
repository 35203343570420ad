#pragma once

#include "scene/tool.h"

class CGeomObject;

// Builds one Boolean group of the operation from clones of the selected surfaces, meshes,
// blocks, gems and groups; curves and axis lines never take part. first is the body of a
// subtraction (it need not be selected), or null: then the first eligible selected object is.
// The sources stay in the list as absorbed objects. Fewer than two members: nothing happens.
void BuildBooleanGroup(int operation, CGeomObject* first);
// Sets whether the selected subtractions draw their subtractors (1) or their body alone (0).
void SetSubtractorsShown(int shown);

// Picks the body of a subtraction; the selection names the subtractors. A click on nothing
// usable keeps the tool waiting.
class CSubtractPickTool : public CTool {
 public:
  CSubtractPickTool() : CTool(0) {}

  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;

 private:
  CGeomObject* body_ = nullptr;
};

void DoBooleanUnion();
void DoBooleanIntersect();
void DoBooleanSubtract();
void DoDisBoolean();
void DoShowSubtractors();
void DoHideSubtractors();
