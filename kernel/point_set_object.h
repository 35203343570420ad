#pragma once

#include <cstdint>
#include <vector>

#include "kernel/geom_object.h"

// An object made of control points (curve, surface grid row by row, mesh vertices), each with a
// pick mark; picked points are what a partial transform moves.
class CPointSetObject : public CGeomObject {
 public:
  CPointSetObject() = default;
  // Takes the given arrays; a missing or short one is completed with zeros.
  CPointSetObject(int count, std::vector<Vector3> pointArray = {},
                  std::vector<std::int32_t> markArray = {});

  int GetCategory() const override { return 1; }
  void Transform(Matrix4 M, int whole) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  void Read() override;
  void Write() override;
  // The bounds of the control points carried through M, not of the curve or surface they define.
  // Every call starts afresh from min = +1e30 and max = -1e30, so no points leave min above max.
  void GetBounds(Vector3* min, Vector3* max, Matrix4 M) const override;
  void Swap(CGeomObject& other) override;

  // Replaces the points and marks: count 0 leaves both empty; a missing or short array is
  // completed with zeros.
  void SetPoints(int count, std::vector<Vector3> pointArray = {},
                 std::vector<std::int32_t> markArray = {});
  void ClonePoints(CPointSetObject* target) const;
  int PointCount() const { return static_cast<int>(points.size()); }
  // The pick mark of point i; points filled in directly, without SetPoints, count as unmarked.
  std::int32_t MarkAt(std::size_t i) const { return i < marks.size() ? marks[i] : 0; }

  std::vector<Vector3> points;
  std::vector<std::int32_t> marks;
  std::int32_t controlPointsHidden = 0;

 protected:
  void ReadPointSetRecord();
  void WritePointSetRecord();
  void SwapPointSetFields(CPointSetObject& other);
  // Gives a clone the common fields, fresh point and mark arrays and the hidden flag.
  void CopyPointSetFields(CPointSetObject* target) const;
};
