#include "modelling/copy_commands.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/geom_object.h"
#include "kernel/mesh_object.h"
#include "kernel/point_set_object.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"
#include "modelling/surface_edits.h"
#include "platform/physical_memory.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/view_axis.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

CurveRepeatValues CopyRepeatValues;

namespace {

constexpr int kCopyExtendCommand = 4005;
constexpr int kCopyRevolveCommand = 4006;
constexpr int kCopiedToHiddenString = 10044;
// A hidden object's state is its shown or selected state raised by this.
constexpr int kHiddenOffset = 2;

// The sources are fixed before the first copy: the copies come out selected, and a later pass
// must not copy them again.
std::vector<CGeomObject*> SelectedObjects() {
  std::vector<CGeomObject*> objects;
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) objects.push_back(object);
  return objects;
}

// What one copy of the object holds, near enough to tell whether copies can fit: its points and
// faces, a block's profiles and generated children, a group's members.
std::uint64_t CopyBytes(const CGeomObject& object) {
  std::uint64_t bytes = sizeof(CMeshObject);
  if (object.GetCategory() == 1) {
    const auto& points = static_cast<const CPointSetObject&>(object);
    bytes += points.points.size() * (sizeof(Vector3) + sizeof(std::int32_t));
  }
  const auto chain = [&](const ObjectChain& children) {
    for (const CGeomObject* child = children.head(); child != nullptr; child = child->next) bytes += CopyBytes(*child);
  };
  switch (object.GetKind()) {
    case kKindMesh: {
      const auto& mesh = static_cast<const CMeshObject&>(object);
      bytes += (mesh.faceIndices.size() + mesh.faceSizes.size()) * sizeof(std::int32_t);
      break;
    }
    case kKindBlock: {
      const auto& block = static_cast<const CBlockObject&>(object);
      bytes += block.profilePoints.size() * sizeof(Vector3);
      chain(block.surfaces);
      chain(block.outlineCurves);
      break;
    }
    case kKindBoolean:
      chain(static_cast<const CBooleanObject&>(object).members);
      break;
    default:
      break;
  }
  return bytes;
}

// Copies that would need more than the machine's memory are refused before any is made, with
// the message the program gives when memory runs out; the design stays as it was.
bool CopiesFit(const std::vector<CGeomObject*>& sources, int copies) {
  std::uint64_t each = 0;
  for (const CGeomObject* source : sources) each += CopyBytes(*source);
  const std::uint64_t memory = PhysicalMemoryBytes();
  if (copies <= 0 || memory == 0 || each <= memory / static_cast<std::uint64_t>(copies)) return true;
  ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage));
  return false;
}

Matrix4 Diagonal(float x, float y, float z) {
  Matrix4 m = kIdentityMatrix;
  m.at(0, 0) = x;
  m.at(1, 1) = y;
  m.at(2, 2) = z;
  return m;
}

void MirrorCopy(int screenAxis) {
  Matrix4 mirror = kIdentityMatrix;
  const int axis = GetViewAxis(screenAxis);
  mirror.at(axis, axis) = -1.0f;
  CopyWithMatrices(1, &mirror, 1);
}

}  // namespace

void CopyWithMatrices(int n, const Matrix4* matrices, int mode) {
  const std::vector<CGeomObject*> sources = SelectedObjects();
  if (!CopiesFit(sources, n)) return;
  for (int i = 0; i < n; ++i) {
    const bool flip = mode == 1 || (mode == 2 && i % 2 == 0);
    for (const CGeomObject* source : sources) {
      CGeomObject* copy = DuplicateObject(source);
      if (copy == nullptr) continue;
      copy->Transform(matrices[i], 1);
      if (flip) FlipObjectNormal(copy);
    }
  }
  RedrawAllViews();
}

void CopyRepeat(int n, const Matrix4& M) {
  const std::vector<CGeomObject*> sources = SelectedObjects();
  if (!CopiesFit(sources, n - 1)) return;
  Matrix4 T = kIdentityMatrix;
  for (int i = 1; i < n; ++i) {
    T = MatMultiply(T, M);
    for (const CGeomObject* source : sources) {
      if (CGeomObject* copy = DuplicateObject(source)) copy->Transform(T, 1);
    }
  }
  RedrawAllViews();
}

void DoCopyVerticalMirror() { MirrorCopy(0); }
void DoCopyHorizontalMirror() { MirrorCopy(1); }

void DoCopyRevolve180() {
  Matrix4 turn = kIdentityMatrix;
  turn.at(GetViewAxis(0), GetViewAxis(0)) = -1.0f;
  turn.at(GetViewAxis(1), GetViewAxis(1)) = -1.0f;
  CopyRepeat(2, turn);
}

void DoCopyCycle() {
  Matrix4 matrices[3];
  switch (GetViewAxis(2)) {
    case 0:
      matrices[0] = Diagonal(1, -1, 1);
      matrices[1] = Diagonal(1, -1, -1);
      matrices[2] = Diagonal(1, 1, -1);
      break;
    case 1:
      matrices[0] = Diagonal(-1, 1, 1);
      matrices[1] = Diagonal(-1, 1, -1);
      matrices[2] = Diagonal(1, 1, -1);
      break;
    default:
      matrices[0] = Diagonal(-1, 1, 1);
      matrices[1] = Diagonal(-1, -1, 1);
      matrices[2] = Diagonal(1, -1, 1);
      break;
  }
  CopyWithMatrices(3, matrices, 2);
}

// The dialogs give their vector and axis in view terms, so both map them onto the view's world
// axes ("map to view" on); Revolve turns about the view's depth axis, as Revolve 180 does.
void DoCopyExtend() {
  CurveRepeatValues& kept = CopyRepeatValues;
  Matrix4 M;
  if (RunExtendToolDialog(&kept.extendCount, &kept.extendVector, &M, kCopyExtendCommand, 1) == 0) return;
  ResetToPickTool();
  CopyRepeat(kept.extendCount, M);
}

void DoCopyRevolve() {
  CurveRepeatValues& kept = CopyRepeatValues;
  Matrix4 M;
  if (RunRevolveToolDialog(&kept.revolveCount, &kept.revolveAngle, &kept.fullRevolution, 2, &kept.clockwise, &M,
                           kCopyRevolveCommand, 1) == 0) {
    return;
  }
  ResetToPickTool();
  CopyRepeat(kept.revolveCount, M);
}

void DoCopyToHide() {
  int copies = 0;
  for (const CGeomObject* source : SelectedObjects()) {
    CGeomObject* copy = DuplicateObject(source);
    if (copy == nullptr) continue;
    copy->ObjectState += kHiddenOffset;
    ++copies;
  }
  char text[512];
  std::snprintf(text, sizeof text, "%d %s", copies, GetLocalizedString(kCopiedToHiddenString).c_str());
  ShowMessageBox(text);
  RedrawAllViews();
}
