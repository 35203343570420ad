#include "scene/point_selection.h"

#include <algorithm>

#include "kernel/boolean_object.h"
#include "kernel/point_set_object.h"
#include "scene/undo_history.h"

namespace {

// Calls visit for every object with shown control points that object stands for.
template <class Visit>
void ForEachMarkable(CGeomObject* object, Visit&& visit) {
  if (object->GetKind() == kKindBoolean) {
    auto* group = static_cast<CBooleanObject*>(object);
    const bool bodyOnly = group->Operation() == kBooleanSubtraction && group->subtractBody == 0;
    for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
      if (member->ObjectState < 2) ForEachMarkable(member, visit);
      if (bodyOnly) break;
    }
    return;
  }
  if (object->GetCategory() != 1) return;
  auto* points = static_cast<CPointSetObject*>(object);
  if (points->controlPointsHidden == 0) visit(points);
}

}  // namespace

void ClearPointSelection(CGeomObject* object, int withUndo, int keepMarks, int) {
  if (withUndo == 0 && keepMarks != 0) return;
  ForEachMarkable(object, [withUndo](CPointSetObject* points) {
    if (withUndo != 0) RecordUndo(points, kUndoMarksChanged);
    std::fill(points->marks.begin(), points->marks.end(), 0);
  });
}
