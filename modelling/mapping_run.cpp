#include "modelling/mapping_run.h"

#include <algorithm>
#include <cmath>

#include "kernel/boolean_object.h"
#include "kernel/composite_object.h"
#include "kernel/point_set_object.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "services/layer_table.h"

MappingRun::~MappingRun() {
  if (!finished_) {
    pool_.ForEach([](const CPointBatch& item) {
      if (item.run != nullptr) {
        // Section points are centroid-relative while the run lasts.
        for (int i = 0; i < item.runCount; ++i) {
          Vector3& p = item.run[i * item.runStride];
          p = VecAdd(p, item.world);
        }
      }
      item.anchor.Set(item.world);
    });
    for (const auto& record : frames_) record->object->orientation = record->saved;
  }
  for (CGeomObject* object : changed_) object->MarkChanged();
}

void MappingRun::RecordOnce(CGeomObject* undoOwner, CGeomObject* object) {
  if (std::find(recorded_.begin(), recorded_.end(), undoOwner) == recorded_.end()) {
    RecordUndo(undoOwner, options_.undoType);
    recorded_.push_back(undoOwner);
    changed_.push_back(undoOwner);
  }
  if (object != undoOwner &&
      std::find(changed_.begin(), changed_.end(), object) == changed_.end()) {
    changed_.push_back(object);
  }
}

CPointBatch* MappingRun::AddItem(MappingAnchor anchor, Matrix4* frame, CGeomObject* owner,
                                 bool widen) {
  CPointBatch* const item = pool_.Add();
  item->anchor = anchor;
  return AddItem(item, frame, owner, widen);
}

CPointBatch* MappingRun::AddItem(CPointBatch* item, Matrix4* frame, CGeomObject* owner,
                                 bool widen) {
  const MappingAnchor anchor = item->anchor;
  item->world = anchor.Get();
  item->local = item->world;
  if (options_.inFrame) {
    TransformIntoFrame(&item->local);
    // No segment or triangle could place it: it keeps its position.
    if (!IsFiniteVector(item->local)) {
      pool_.RemoveLast();
      return nullptr;
    }
    anchor.Set(item->local);
  }
  item->frame = frame;
  if (frame != nullptr) {
    item->rotation = *frame;
    item->rotation.m[12] = item->rotation.m[13] = item->rotation.m[14] = 0.0f;
  }
  item->owner = owner;
  item->bestDepth = Mapping.lowestHit ? 1e10f : -1e10f;
  if (widen) {
    if (options_.twoRanges) {
      ExtendRange2(&lo, &crossLo, &hi, &crossHi, item->local);
    } else {
      ExtendRange1(&lo, &hi, item->local);
    }
  }
  *tail_ = item;
  tail_ = &item->next;
  return item;
}

void MappingRun::CollectScene(const CGeomObject* target) {
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, 0)) {
    if (object == target || (options_.skipGroup != nullptr && object == options_.skipGroup)) {
      continue;
    }
    if (!IsShownOrSelected(*object) || !IsLayerVisible(object->layer)) continue;
    Collect(object, object->ObjectState, object);
  }
}

void MappingRun::Collect(CGeomObject* object, int state, CGeomObject* undoOwner) {
  const bool selected = state == kStateSelected;
  if (selected && (object->flags & kFlagNoDeform) != 0) {
    RecordOnce(undoOwner, object);
    auto record = std::make_unique<SavedFrameRecord>();
    record->object = object;
    record->saved = object->orientation;
    record->item = AddItem({nullptr, &object->orientation}, &object->orientation, object, true);
    frames_.push_back(std::move(record));
    return;
  }
  if (object->GetKind() == kKindBoolean) {
    auto* group = static_cast<CBooleanObject*>(object);
    const bool bodyOnly = group->Operation() == kBooleanSubtraction && group->subtractBody == 0;
    for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
      if (selected || (member->ObjectState >= 0 && member->ObjectState < 2)) {
        Collect(member, selected ? kStateSelected : member->ObjectState, undoOwner);
      }
      if (bodyOnly) break;
    }
    return;
  }
  if (selected && object->GetKind() == kKindSurface && options_.keepSections) {
    CollectSections(static_cast<CSurfaceObject*>(object), undoOwner);
    return;
  }
  if (object->GetCategory() == 1) {
    auto* points = static_cast<CPointSetObject*>(object);
    for (std::size_t i = 0; i < points->points.size(); ++i) {
      if (!selected && points->MarkAt(i) == 0) continue;
      RecordOnce(undoOwner, object);
      AddItem({&points->points[i], nullptr}, nullptr, object, true);
    }
    if (selected) {
      RecordOnce(undoOwner, object);
      // Projection moves the frame's origin like a point; UV mapping turns the frame with it.
      if (options_.inFrame) {
        AddItem({nullptr, &object->orientation}, nullptr, object, true);
      } else {
        AddItem({nullptr, &object->orientation}, &object->orientation, object, false);
      }
    }
    return;
  }
  if (selected && object->GetCategory() == 2) {
    auto* composite = static_cast<CCompositeObject*>(object);
    RecordOnce(undoOwner, object);
    AddItem({nullptr, &object->orientation}, &object->orientation, object, true);
    AddItem({nullptr, &composite->placement}, &composite->placement, object, true);
  }
}

namespace {
// The area of the sweep-cross bounding box of a line of grid points taken into the frame.
float SectionArea(const CSurfaceObject& surface, int first, int count, int stride) {
  float lo = 1e10f, hi = -1e10f, crossLo = 1e10f, crossHi = -1e10f;
  for (int i = 0; i < count; ++i) {
    Vector3 p = surface.points[first + i * stride];
    TransformIntoFrame(&p);
    ExtendRange2(&lo, &crossLo, &hi, &crossHi, p);
  }
  return std::fabs((hi - lo) * (crossHi - crossLo));
}
}  // namespace

void MappingRun::CollectSections(CSurfaceObject* surface, CGeomObject* undoOwner) {
  const int rows = surface->rows;
  const int cols = surface->columns;
  if (rows < 1 || cols < 1 || !surface->GridFitsPoints()) return;
  RecordOnce(undoOwner, surface);
  bool useColumns;
  if (surface->closedU != 0 && surface->closedV == 0) {
    useColumns = true;
  } else if (surface->closedV != 0 && surface->closedU == 0) {
    useColumns = false;
  } else {
    const float rowArea = SectionArea(*surface, (rows / 2) * cols, cols, 1);
    const float columnArea = SectionArea(*surface, cols / 2, rows, cols);
    useColumns = columnArea < rowArea;
  }
  const int sections = useColumns ? cols : rows;
  const int count = useColumns ? rows : cols;
  const int stride = useColumns ? cols : 1;
  for (int s = 0; s < sections; ++s) {
    Vector3* run = &surface->points[useColumns ? s : s * cols];
    Vector3 sum;
    for (int i = 0; i < count; ++i) sum = VecAdd(sum, run[i * stride]);
    const Vector3 centroid = VecScale(sum, 1.0f / static_cast<float>(count));
    CPointBatch* const item = pool_.Add();
    // The item's own rotation holds the centroid, so the anchor lies inside the item.
    SetMatrixRow(&item->rotation, 3, centroid);
    item->anchor = {nullptr, &item->rotation};
    item->run = run;
    item->runCount = count;
    item->runStride = stride;
    if (AddItem(item, nullptr, surface, true) == nullptr) continue;
    for (int i = 0; i < count; ++i) run[i * stride] = VecSub(run[i * stride], centroid);
  }
}

void MappingRun::MakeAxisTree() {
  axisTree = std::make_unique<AxisTreeNode>();
  axisTree->lo = lo;
  axisTree->hi = hi;
  axisTree->items = head_;
  head_ = nullptr;
  tail_ = &head_;
  BuildAxisTree(axisTree.get());
}

void MappingRun::MakeQuadTree() {
  quadTree = BuildQuadTree(head_, lo, crossLo, hi, crossHi);
  head_ = nullptr;
  tail_ = &head_;
}

void MappingRun::Finish() {
  for (const auto& record : frames_) {
    if (record->item == nullptr || !record->item->taken) continue;
    const Matrix4 change = MatMultiply(MatInverse(record->saved), record->object->orientation);
    record->object->orientation = record->saved;
    record->object->Transform(change, 1);
  }
  frames_.clear();
  finished_ = true;
  if (axisTree != nullptr) FreeAxisTree(std::move(axisTree));
  if (quadTree != nullptr) FreeQuadTree(std::move(quadTree));
}

void CollectProjectionItems(MappingRun* run, const CGeomObject* target) {
  run->SetCollection(true, false, 3);
  run->CollectScene(target);
}

void CollectProjectionItems2D(MappingRun* run, const CGeomObject* target) {
  run->SetCollection(true, true, 3);
  run->CollectScene(target);
}

void CollectUvItems(MappingRun* run, const CGeomObject* target) {
  run->SetCollection(false, false, 2);
  run->CollectScene(target);
}

void CollectUvItems2D(MappingRun* run, const CGeomObject* target) {
  run->SetCollection(false, true, 2);
  run->CollectScene(target);
}
