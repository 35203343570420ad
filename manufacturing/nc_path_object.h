#pragma once

#include <memory>
#include <string>

#include "kernel/geom_object.h"

// The tool path of a written NC program, shown over the model. It keeps only the file's name and
// reads the file again on every drawing, so it always shows what the file holds now; the points
// are kept only while the file's identity, size and modification time stay the same. It has no
// record of its own: design and viewer files leave it out.
class CNcPathObject : public CGeomObject {
 public:
  CNcPathObject();
  // Draw mode 10, the fast mode used while dragging, draws nothing.
  void Draw(int mode) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  // The bounds of the last drawing, whatever M; +1e30 / -1e30 before any and after a file that
  // gave no point.
  void GetBounds(Vector3* min, Vector3* max, Matrix4 M) const override;
  void Swap(CGeomObject& other) override;

  std::string fileName;
  // The object scale the program was written with; file coordinates are divided by it.
  float scale = 1.0f;
  Vector3 boundsMin;
  Vector3 boundsMax;

  static constexpr int kFastDrawMode = 10;

 private:
  // Takes the point into the bounds and the polyline.
  void AddPoint(const Vector3& point);
};
