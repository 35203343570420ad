#include "kernel/point_set_object.h"

#include <typeinfo>
#include <utility>

#include "kernel/bounds_box.h"
#include "kernel/object_stream.h"

namespace {
// x, y, z and the mark of one point.
constexpr std::int64_t kPointRecordBytes = 16;
}

CPointSetObject::CPointSetObject(int count, std::vector<Vector3> pointArray,
                                 std::vector<std::int32_t> markArray) {
  SetPoints(count, std::move(pointArray), std::move(markArray));
}

void CPointSetObject::SetPoints(int count, std::vector<Vector3> pointArray,
                                std::vector<std::int32_t> markArray) {
  MarkChanged();
  if (count <= 0) {
    points.clear();
    marks.clear();
    return;
  }
  points = std::move(pointArray);
  marks = std::move(markArray);
  points.resize(static_cast<std::size_t>(count));
  marks.resize(static_cast<std::size_t>(count), 0);
}

void CPointSetObject::ClonePoints(CPointSetObject* target) const {
  target->points = points;
  target->marks = marks;
}

void CPointSetObject::Transform(Matrix4 M, int whole) {
  CGeomObject::Transform(M, whole);
  if (whole != 0) {
    for (Vector3& p : points) TransformPointInPlace(&p, M);
  } else if (controlPointsHidden == 0) {
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (MarkAt(i) != 0) TransformPointInPlace(&points[i], M);
    }
  }
}

std::unique_ptr<CGeomObject> CPointSetObject::Clone() const {
  auto copy = std::make_unique<CPointSetObject>();
  CopyPointSetFields(copy.get());
  return copy;
}

void CPointSetObject::CopyPointSetFields(CPointSetObject* target) const {
  CGeomObject_CopyCommonFields(target, this);
  ClonePoints(target);
  target->controlPointsHidden = controlPointsHidden;
}

void CPointSetObject::GetBounds(Vector3* min, Vector3* max, Matrix4 M) const {
  ResetBounds(min, max);
  for (const Vector3& p : points) {
    const Vector3 q = TransformPoint(p, M);
    WidenBounds(min, max, q, q);
  }
}

void CPointSetObject::Read() { ReadPointSetRecord(); }

void CPointSetObject::Write() { WritePointSetRecord(); }

void CPointSetObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  SwapPointSetFields(static_cast<CPointSetObject&>(other));
}

void CPointSetObject::SwapPointSetFields(CPointSetObject& other) {
  SwapCommonFields(other);
  std::swap(points, other.points);
  std::swap(marks, other.marks);
  std::swap(controlPointsHidden, other.controlPointsHidden);
}

void CPointSetObject::WritePointSetRecord() {
  WriteCommonRecord();
  WriteObjectInt32(PointCount());
  for (std::size_t i = 0; i < points.size(); ++i) {
    WriteObjectFloat(points[i].x);
    WriteObjectFloat(points[i].y);
    WriteObjectFloat(points[i].z);
    WriteObjectInt32(MarkAt(i));
  }
}

void CPointSetObject::ReadPointSetRecord() {
  ReadCommonRecord();
  const std::int32_t count = ReadObjectInt32();
  points.clear();
  marks.clear();
  if (count > 0 && ObjectStreamHasRoomFor(count, kPointRecordBytes)) {
    points.resize(static_cast<std::size_t>(count));
    marks.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < points.size(); ++i) {
      points[i].x = ReadObjectFloat();
      points[i].y = ReadObjectFloat();
      points[i].z = ReadObjectFloat();
      marks[i] = ReadObjectInt32();
    }
  }
  if (ObjectStreamFailed()) {
    ObjectState = kStateBadRecord;
    points.clear();
    marks.clear();
  }
}
