#include "kernel/axis_line_object.h"
#include "kernel/block_object.h"
#include "kernel/gem_object.h"
#include "kernel/object_wireframes.h"
#include "scene/drawing_context.h"
#include "scene/view_axis.h"
#include "scene/wireframe.h"

namespace {

// In quick wire frame a block shows only its outlines.
constexpr int kQuickWireframe = 10;

float& AxisCoordinate(Vector3* v, int axis) { return axis == 0 ? v->x : axis == 1 ? v->y : v->z; }

void DrawAxisLineWireframe(CAxisLineObject& line) {
  const int depth = GetViewAxis(2);
  if (!line.HasValidAxis() || depth == line.axisIndex) return;
  const int along = 3 - depth - line.axisIndex;
  Vector3 point{0, 0, 0};
  AxisCoordinate(&point, line.axisIndex) = line.FixedValue();
  BeginPolyline(kPolylineOpen);
  AxisCoordinate(&point, along) = -line.kHalfLength;
  AddPolylineVertex(point);
  AxisCoordinate(&point, along) = line.kHalfLength;
  AddPolylineVertex(point);
  EndPolyline();
}

// A gem or block draws its parts under its placement.
void DrawGemWireframe(CGemObject& gem, int mode) {
  const Matrix4 kept = GetModelMatrix();
  MultiplyModelMatrix(gem.placement);
  if (CGeomObject* prototype = GemPrototype(gem)) {
    GemNestingLevel level;
    prototype->Draw(mode);
  }
  SetModelMatrix(kept);
}

void DrawBlockWireframe(CBlockObject& block, int mode) {
  const Matrix4 kept = GetModelMatrix();
  MultiplyModelMatrix(block.placement);
  const int childMode = mode > kQuickWireframe ? mode : kQuickWireframe;
  for (CGeomObject* curve = block.outlineCurves.head(); curve != nullptr; curve = curve->next) {
    curve->Draw(childMode);
  }
  if (mode != kQuickWireframe) {
    for (CGeomObject* surface = block.surfaces.head(); surface != nullptr;
         surface = surface->next) {
      surface->Draw(childMode);
    }
  }
  SetModelMatrix(kept);
}

class SceneWireframes final : public ObjectWireframes {
 public:
  void Draw(CCurveObject& curve, int mode) override { DrawCurveWireframe(curve, mode); }
  void Draw(CSurfaceObject& surface, int mode) override { DrawSurfaceWireframe(surface, mode); }
  void Draw(CMeshObject& mesh, int mode) override { DrawMeshWireframe(mesh, mode); }
  void Draw(CAxisLineObject& line, int) override { DrawAxisLineWireframe(line); }
  void Draw(CGemObject& gem, int mode) override { DrawGemWireframe(gem, mode); }
  void Draw(CBlockObject& block, int mode) override { DrawBlockWireframe(block, mode); }
};

}  // namespace

void InstallSceneWireframes() {
  static SceneWireframes wireframes;
  InstallObjectWireframes(&wireframes);
}
