#include <algorithm>

#include "modelling/curve_tool.h"
#include "scene/pointer_snapping.h"
#include "scene/view_axis.h"

namespace {

Vector3 Negated(Vector3 p, int axis) {
  Coordinate(p, axis) = -Coordinate(p, axis);
  return p;
}

}  // namespace

void CMirrorCurveTool::SetUpSymmetry() { mirrorAxis_ = GetViewAxis(mirrorType_); }

void CMirrorCurveTool::LocateCopy(int i) {
  const int n = std::max(freeCount_, 1);
  copy_ = i / n;
  located_ = copy_ == 0 ? i % n : n - 1 - i % n;
}

// Types 0 and 1 mirror across the plane of their axis; type 2 is a half turn about the depth
// axis, which negates the two others.
Vector3 CMirrorCurveTool::Mirrored(Vector3 p) const {
  if (mirrorType_ != 2) return Negated(p, mirrorAxis_);
  return Negated(Negated(p, (mirrorAxis_ + 1) % 3), (mirrorAxis_ + 2) % 3);
}

void CMirrorCurveTool::ApplySymmetry() {
  if (copy_ != 0) free_[located_] = Mirrored(free_[located_]);
}

// The mirrored half runs backwards, so the halves meet between points n - 1 and n.
std::vector<Vector3> CMirrorCurveTool::ControlPointsOf(const std::vector<Vector3>& free) const {
  std::vector<Vector3> points(free);
  for (auto point = free.rbegin(); point != free.rend(); ++point) points.push_back(Mirrored(*point));
  return points;
}

void CCycleCurveTool::SetUpSymmetry() {
  verticalAxis_ = GetViewAxis(1);
  horizontalAxis_ = GetViewAxis(0);
}

void CCycleCurveTool::LocateCopy(int i) {
  const int n = std::max(freeCount_, 1);
  copy_ = i / n;
  located_ = copy_ % 2 == 0 ? i % n : n - 1 - i % n;
}

void CCycleCurveTool::ApplySymmetry() {
  Vector3& point = free_[located_];
  if (copy_ > 1) point = Negated(point, horizontalAxis_);
  if (copy_ == 1 || copy_ == 2) point = Negated(point, verticalAxis_);
}

// Block 1 is block 0 backwards across the vertical axis; blocks 2 and 3 are blocks 0 and 1
// backwards as one run, across the horizontal axis.
std::vector<Vector3> CCycleCurveTool::ControlPointsOf(const std::vector<Vector3>& free) const {
  std::vector<Vector3> half(free);
  for (auto point = free.rbegin(); point != free.rend(); ++point) half.push_back(Negated(*point, verticalAxis_));
  std::vector<Vector3> points(half);
  for (auto point = half.rbegin(); point != half.rend(); ++point) points.push_back(Negated(*point, horizontalAxis_));
  return points;
}

CTransformCurveTool::CTransformCurveTool(int commandId, int copies, const Matrix4& dialogMatrix, int closedAtStart)
    : CCurveTool(closedAtStart), commandId_(commandId), copies_(copies), dialog_(dialogMatrix) {}

ViewAxes ActiveViewAxes() {
  ViewAxes axes;
  for (int r = 0; r < 3; ++r) axes.axis[r] = GetViewAxis(r, &axes.sign[r]);
  return axes;
}

// Each row and column of view terms goes to the world axis the view shows, with its sign; the
// translation row likewise.
Matrix4 FromViewTerms(const Matrix4& view, const ViewAxes& axes) {
  Matrix4 world = kIdentityMatrix;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      world.m[axes.axis[r] * 4 + axes.axis[c]] = static_cast<float>(axes.sign[r] * axes.sign[c]) * view.m[r * 4 + c];
    }
  }
  for (int c = 0; c < 3; ++c) world.m[12 + axes.axis[c]] = static_cast<float>(axes.sign[c]) * view.m[12 + c];
  return world;
}

Matrix4 ToViewTerms(const Matrix4& world, const ViewAxes& axes) {
  Matrix4 view = kIdentityMatrix;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      view.m[r * 4 + c] = static_cast<float>(axes.sign[r] * axes.sign[c]) * world.m[axes.axis[r] * 4 + axes.axis[c]];
    }
  }
  for (int c = 0; c < 3; ++c) view.m[12 + c] = static_cast<float>(axes.sign[c]) * world.m[12 + axes.axis[c]];
  return view;
}

void CTransformCurveTool::SetUpSymmetry() {
  step_ = FromViewTerms(dialog_, ActiveViewAxes());
  inverseStep_ = MatInverse(step_);
}

void CTransformCurveTool::LocateCopy(int i) {
  const int n = std::max(freeCount_, 1);
  copy_ = i / n;
  located_ = i % n;
}

void CTransformCurveTool::ApplySymmetry() {
  for (int c = 0; c < copy_; ++c) free_[located_] = TransformPoint(free_[located_], inverseStep_);
}

std::vector<Vector3> CTransformCurveTool::ControlPointsOf(const std::vector<Vector3>& free) const {
  std::vector<Vector3> points(free);
  points.reserve(free.size() * static_cast<std::size_t>(std::max(copies_, 1)));
  for (int block = 1; block < copies_; ++block) {
    const std::size_t start = (static_cast<std::size_t>(block) - 1) * free.size();
    for (std::size_t j = 0; j < free.size(); ++j) points.push_back(TransformPoint(points[start + j], step_));
  }
  return points;
}
