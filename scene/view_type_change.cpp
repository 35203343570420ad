#include "scene/view_type_change.h"

#include <utility>

#include "scene/viewport.h"

namespace {

// Rows 0-2 of the rotation part of each fixed type: the screen images of model x, y and z.
constexpr float kTypeRows[7][3][3] = {
    {},
    {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},   // Front
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},    // Right
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},    // Top
    {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},   // Back
    {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},  // Left
    {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}},  // Bottom
};

// Writes the fixed type's axes into the rotation part; the rest of the matrix stays.
void WriteTypeAxes(Matrix4* m, int type) {
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) m->at(row, column) = kTypeRows[type][row][column];
  }
}

Matrix4 FrontAxes() {
  Matrix4 m;
  WriteTypeAxes(&m, kViewFront);
  return m;
}

// The plane a fixed type looks at: 0 x/z (Front, Back), 1 y/z (Right, Left), 2 x/y (Top,
// Bottom).
int TypeGroup(int type) { return (type - 1) % 3; }

// The translation keeps showing the same model position on screen when the view turns to the
// new type's plane.
void PermuteTranslation(Matrix4* m, int fromType, int toType) {
  if (fromType == kView3D) return;
  float& t0 = m->m[12];
  float& t1 = m->m[13];
  float& t2 = m->m[14];
  const int from = TypeGroup(fromType);
  const int to = TypeGroup(toType);
  if (from == to) return;
  if ((from == 0 && to == 1) || (from == 1 && to == 0)) {
    std::swap(t0, t2);
  } else if ((from == 0 && to == 2) || (from == 2 && to == 0)) {
    std::swap(t1, t2);
  } else if (from == 1) {  // to x/y
    const float old[3] = {t0, t1, t2};
    t0 = old[2], t1 = old[0], t2 = old[1];
  } else {  // x/y to y/z
    const float old[3] = {t0, t1, t2};
    t0 = old[1], t1 = old[2], t2 = old[0];
  }
}

}  // namespace

Matrix4 Saved3DMatrix = FrontAxes();

int ChangeViewType(CViewport* view, int type, int restore3D) {
  if (type < kView3D || type > kViewBottom || type == view->viewType) return 0;
  if (type == kView3D && restore3D != 0) view->viewMatrix = Saved3DMatrix;
  if (view->viewType == kView3D) Saved3DMatrix = view->viewMatrix;
  if (type != kView3D) {
    WriteTypeAxes(&view->viewMatrix, type);
    PermuteTranslation(&view->viewMatrix, view->viewType, type);
  }
  view->viewType = type;
  return 1;
}

void ResetCamera(CViewport* view, int type) {
  if (type >= kView3D && type <= kViewBottom) {
    view->viewMatrix = Matrix4();
    WriteTypeAxes(&view->viewMatrix, type == kView3D ? kViewFront : type);
  }
  view->zoomScale = 1.0f;
  view->Zoom(1.0f);
}

void ResetViewTypeState() { Saved3DMatrix = FrontAxes(); }
