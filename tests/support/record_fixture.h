#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kernel/matrix4.h"
#include "kernel/object_kind_registry.h"
#include "scratch_file.h"

// Object records laid out by hand, for comparing with what the writers produce.

inline void AppendMatrix(Bytes* out, const Matrix4& m) {
  for (const float f : m.m) Append(out, f);
}

// The common record of an object written with these fields.
inline Bytes CommonRecord(std::int32_t kind, std::uint32_t stateAndLayer, const Matrix4& frame,
                          std::uint32_t flagsWord, const Matrix4& mapping,
                          const std::string& name) {
  Bytes b;
  Append(&b, kind);
  Append(&b, stateAndLayer);
  AppendMatrix(&b, frame);
  Append(&b, flagsWord);
  AppendMatrix(&b, mapping);
  Append(&b, static_cast<std::int32_t>(name.size()));
  b.insert(b.end(), name.begin(), name.end());
  return b;
}

// The common record of a fresh object: state, layer and flags 0, identity orientation, the start
// mapping frame, no material name.
inline Bytes FreshCommonRecord(std::int32_t kind) {
  return CommonRecord(kind, 0, kIdentityMatrix, 0, Matrix4(), "");
}

// The point-set record of a fresh object with these points and marks.
inline Bytes PointSetRecord(std::int32_t kind, const std::vector<Vector3>& points,
                            const std::vector<std::int32_t>& marks) {
  Bytes b = FreshCommonRecord(kind);
  Append(&b, static_cast<std::int32_t>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) {
    Append(&b, points[i].x);
    Append(&b, points[i].y);
    Append(&b, points[i].z);
    Append(&b, marks[i]);
  }
  return b;
}

// Reads one record through the kind registry; null unless it made an object of class T.
template <class T>
std::unique_ptr<T> ReadRecordAs(const Bytes& bytes) {
  ScratchFile scratch(bytes);
  std::unique_ptr<CGeomObject> object = ReadObject();
  auto* typed = dynamic_cast<T*>(object.get());
  if (typed == nullptr) return nullptr;
  object.release();
  return std::unique_ptr<T>(typed);
}

// An open curve of two points with the record's default attributes.
inline Bytes CurveRecord(const std::vector<Vector3>& points = {{1, 2, 3}, {4, 5, 6}}) {
  Bytes b = PointSetRecord(2, points, std::vector<std::int32_t>(points.size(), 0));
  for (const std::int32_t field : {0, 0, 0, 8}) Append(&b, field);  // ends, closed, steps
  Append(&b, std::int16_t{0});                                       // control points shown
  return b;
}

// An axis line on the given axis (written as given, valid or not) through origin.
inline Bytes AxisLineRecord(std::int32_t axis, float origin, int state = 0, int layer = 0) {
  Matrix4 frame = kIdentityMatrix;
  if (axis >= 0 && axis <= 2) frame[12 + axis] = origin;
  const auto stateAndLayer =
      (static_cast<std::uint32_t>(state) & 0xFFFF) | (static_cast<std::uint32_t>(layer) << 16);
  Bytes b = CommonRecord(90, stateAndLayer, frame, 0, Matrix4(), "");
  Append(&b, axis);
  return b;
}

// A design file: the magic, ':' and each record, then the end byte unless withEnd is false.
inline Bytes DesignFile(const std::vector<Bytes>& records, bool withEnd = true) {
  const std::string magic = "TALVERNOSIGN0100";
  Bytes b(magic.begin(), magic.end());
  for (const Bytes& record : records) {
    b.push_back(':');
    b.insert(b.end(), record.begin(), record.end());
  }
  if (withEnd) b.push_back('#');
  return b;
}
