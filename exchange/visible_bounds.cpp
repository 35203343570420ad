#include "exchange/visible_bounds.h"

#include "kernel/bounds_box.h"
#include "kernel/geom_object.h"
#include "kernel/matrix4.h"
#include "scene/scene.h"

int GetVisibleBounds(Vector3* min, Vector3* max) {
  ResetBounds(min, max);
  for (CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) {
    if (!IsShownOrSelected(*object) || object->GetKind() == kKindCurve) continue;
    const int category = object->GetCategory();
    if (category != 1 && category != 2) continue;
    // GetBounds starts its own pair afresh, so each object widens the running box from outside.
    Vector3 lo;
    Vector3 hi;
    object->GetBounds(&lo, &hi, kIdentityMatrix);
    WidenBounds(min, max, lo, hi);
  }
  return min->x < max->x && min->y < max->y && min->z < max->z ? 1 : 0;
}
