#include "scene/point_selection.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "kernel/boolean_object.h"
#include "kernel/point_set_object.h"
#include "scene/drawing_context.h"
#include "scene/undo_history.h"
#include "services/app_settings.h"
#include "services/layer_table.h"

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

// Flips the marks of the points inside (an undo record first), or with toggle 0 redraws their
// markers.
template <class Inside>
void MarkPoints(CGeomObject* object, const Matrix4& transform, int layer, int toggle, Inside&& inside) {
  ForEachMarkable(object, [&](CPointSetObject* points) {
    if (toggle != 0) RecordUndo(points, kUndoMarksChanged);
    const std::size_t count = std::min(points->points.size(), points->marks.size());
    for (std::size_t i = 0; i < count; ++i) {
      const Vector3 s = TransformPoint(points->points[i], transform);
      if (!inside(s)) continue;
      std::int32_t& mark = points->marks[i];
      if (toggle != 0) {
        mark = mark == 0 ? 1 : 0;
        continue;
      }
      SetDrawColor(mark == 1 ? ColorPick : LayerColors[static_cast<std::size_t>(std::clamp(layer, 0, kLayerCount - 1))]);
      BeginPolyline(kPolylineMarkers);
      AddPolylineVertex(points->points[i]);
    }
  });
}

}  // namespace

int PointInPolygon(float x, float y, std::span<const ScreenPoint> points, float xmin, float ymin,
                   float xmax, float ymax) {
  if (points.empty() || x < xmin || y < ymin || x > xmax || y > ymax) return 0;
  int crossings = 0;
  const ScreenPoint* p = &points.back();
  for (const ScreenPoint& c : points) {
    if ((c.y <= y && y < p->y) || (p->y <= y && y < c.y)) {
      if ((x < p->x && x < c.x) || x < (c.x * (p->y - y) + p->x * (y - c.y)) / (p->y - c.y)) ++crossings;
    }
    p = &c;
  }
  return crossings & 1;
}

void PickPointsInWindow(CGeomObject* object, int x0, int y0, int x1, int y1, const Matrix4& transform,
                        int layer, int toggle) {
  MarkPoints(object, transform, layer, toggle, [=](const Vector3& s) {
    return x0 <= s.x && s.x <= x1 && y0 <= s.y && s.y <= y1;
  });
}

void PickPointsInLasso(CGeomObject* object, std::span<const ScreenPoint> points, float xmin, float ymin,
                       float xmax, float ymax, const Matrix4& transform, int layer, int toggle) {
  if (toggle == 0) return;
  MarkPoints(object, transform, layer, toggle, [&](const Vector3& s) {
    // Whole pixels, as the lasso's own points are; a point off any pixel is outside.
    if (!std::isfinite(s.x) || !std::isfinite(s.y) || std::fabs(s.x) > 1e9f || std::fabs(s.y) > 1e9f) return false;
    const float px = static_cast<float>(static_cast<long>(s.x + 0.5f));
    const float py = static_cast<float>(static_cast<long>(s.y + 0.5f));
    return PointInPolygon(px, py, points, xmin, ymin, xmax, ymax) != 0;
  });
}

void ClearPointSelection(CGeomObject* object, int withUndo, int keepMarks, int) {
  if (withUndo == 0 && keepMarks != 0) return;
  ForEachMarkable(object, [withUndo](CPointSetObject* points) {
    if (withUndo != 0) RecordUndo(points, kUndoMarksChanged);
    std::fill(points->marks.begin(), points->marks.end(), 0);
  });
}
