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
