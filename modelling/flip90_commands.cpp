#include "modelling/flip90_commands.h"

#include "kernel/geom_object.h"
#include "kernel/matrix4.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/transform_tool.h"
#include "scene/undo_history.h"
#include "scene/view_axis.h"

namespace {

Matrix4 QuarterTurn(int screenAxis, int sign) {
  int axisSign = 1;
  int depthSign = 1;
  const int axis = GetViewAxis(screenAxis, &axisSign);
  const int depth = GetViewAxis(2, &depthSign);
  const float a = static_cast<float>(sign * axisSign * depthSign);
  Matrix4 turn = kIdentityMatrix;
  turn.at(axis, axis) = 0;
  turn.at(depth, depth) = 0;
  turn.at(axis, depth) = a;
  turn.at(depth, axis) = -a;
  return turn;
}

// The turn for one object: about its own frame while the reference is Object Axis.
Matrix4 TurnFor(const CGeomObject& object, const Matrix4& turn) {
  if (TransformReference == 0) return turn;
  return MatMultiply(MatMultiply(MatInverse(object.orientation), turn), object.orientation);
}

}  // namespace

void Rotate90Selection(int screenAxis, int sign) {
  const Matrix4 turn = QuarterTurn(screenAxis, sign);
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) {
    RecordUndo(object, kUndoMarksChanged);
    object->Transform(TurnFor(*object, turn), 1);
  }
  RedrawAllViews();
}

void CopyRotate90Selection(int screenAxis, int sign) {
  const Matrix4 turn = QuarterTurn(screenAxis, sign);
  // The walk ends where the list ended, so the copies appended on the way are not visited.
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) {
    RecordUndo(object, kUndoChanged);
    CGeomObject* copy = DuplicateObject(object);
    if (copy != nullptr) copy->Transform(TurnFor(*object, turn), 1);
    object->ObjectState = kStateShown;
  }
  RedrawAllViews();
}

void DoRotate90Up() { Rotate90Selection(1, -1); }
void DoRotate90Down() { Rotate90Selection(1, 1); }
void DoRotate90Left() { Rotate90Selection(0, 1); }
void DoRotate90Right() { Rotate90Selection(0, -1); }
void DoCopyRotate90Up() { CopyRotate90Selection(1, -1); }
void DoCopyRotate90Down() { CopyRotate90Selection(1, 1); }
void DoCopyRotate90Left() { CopyRotate90Selection(0, 1); }
void DoCopyRotate90Right() { CopyRotate90Selection(0, -1); }
