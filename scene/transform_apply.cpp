#include "scene/transform_apply.h"

#include <vector>

#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"
#include "services/layer_table.h"

namespace {

bool OnWorkingLayer(const CGeomObject* object) {
  return IsLayerVisible(object->layer) != 0 && IsLayerPickable(object->layer) != 0;
}

// The matrix as it acts on the object: unchanged in world space, else conjugated by the
// object's frame so that it acts in that frame.
Matrix4 MatrixForObject(int reference, const Matrix4& M, const CGeomObject* object) {
  if (reference == kReferenceWorldOrigin) return M;
  return MatMultiply(MatMultiply(MatInverse(object->orientation), M), object->orientation);
}

}  // namespace

void ApplyTransformToObjects(int reference, const Matrix4& M, int copies) {
  if (copies <= 0) {
    for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
      const int state = object->ObjectState;
      if ((state != 0 && state != kStateSelected) || !OnWorkingLayer(object)) continue;
      // Every shown object gets its record, changed or not, so that undo sees the same steps.
      RecordUndo(object, kUndoMarksChanged);
      object->Transform(MatrixForObject(reference, M, object), state);
    }
    return;
  }
  // The duplicates come out selected; taking the originals first keeps a later pass from
  // copying the copies.
  std::vector<CGeomObject*> originals;
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) {
    if (OnWorkingLayer(object)) originals.push_back(object);
  }
  Matrix4 power = M;
  for (int pass = 1; pass < copies; ++pass) {
    for (const CGeomObject* original : originals) {
      CGeomObject* copy = DuplicateObject(original);
      if (copy != nullptr) copy->Transform(MatrixForObject(reference, power, original), 1);
    }
    power = MatMultiply(power, M);
  }
}

void ApplyTransformToSelection(int flags, int reference, const TransformRecord& record, int copies) {
  ApplyTransformToObjects(reference, BuildTransformMatrix(flags, record), copies);
  RedrawAllViews();
}
