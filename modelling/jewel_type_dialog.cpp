#include "modelling/jewel_type_dialog.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "kernel/gem_object.h"
#include "kernel/matrix4.h"
#include "kernel/mesh_object.h"

CJewelTypeDlg JewelTypeDialog;

Matrix4 CutScale(const JewelCut& cut) {
  Matrix4 m = kIdentityMatrix;
  m.at(0, 0) = cut.scale.x;
  m.at(1, 1) = cut.scale.y;
  m.at(2, 2) = cut.scale.z;
  return m;
}

CutPicture DrawCutPicture(const JewelCut& cut) {
  auto gem = std::make_unique<CGemObject>();
  gem->SetLibraryIndex(cut.libraryIndex);
  gem->placement = CutScale(cut);
  CGeomObject* prototype = gem.get();
  Matrix4 placement;
  ResolveGemInstance(prototype, &placement);
  if (prototype == nullptr || prototype->GetKind() != kKindMesh) return {};
  const auto& mesh = static_cast<const CMeshObject&>(*prototype);
  std::vector<Vector3> points;
  points.reserve(mesh.points.size());
  for (const Vector3& p : mesh.points) points.push_back(TransformPoint(p, placement));
  if (points.empty()) return {};
  float minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
  for (const Vector3& p : points) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  const float room = static_cast<float>(CJewelTypeDlg::kPictureSize - 2 * CJewelTypeDlg::kPictureMargin);
  const float extent = std::max(maxX - minX, maxY - minY);
  if (!(extent > 0.0f) || !std::isfinite(extent)) return {};
  const float scale = room / extent;
  const float centre = 0.5f * static_cast<float>(CJewelTypeDlg::kPictureSize);
  const float midX = 0.5f * (minX + maxX);
  const float midY = 0.5f * (minY + maxY);
  const auto pixel = [&](const Vector3& p) {
    return std::pair{centre + (p.x - midX) * scale, centre - (p.y - midY) * scale};
  };
  CutPicture picture;
  std::size_t at = 0;
  for (const std::int32_t size : mesh.faceSizes) {
    for (std::int32_t i = 0; i < size; ++i) {
      const auto [x0, y0] = pixel(points[static_cast<std::size_t>(mesh.faceIndices[at + i])]);
      const auto [x1, y1] = pixel(points[static_cast<std::size_t>(mesh.faceIndices[at + (i + 1) % size])]);
      picture.push_back({x0, y0, x1, y1});
    }
    at += static_cast<std::size_t>(size);
  }
  return picture;
}

void CJewelTypeDlg::OnInitDialog() {
  if (picturesMade) return;
  for (int i = 0; i < kJewelCutCount; ++i) pictures[i] = DrawCutPicture(kJewelCuts[i]);
  picturesMade = true;
}

void ResetJewelTypeDialog() {
  JewelTypeDialog.chosen = 0;
  for (CutPicture& picture : JewelTypeDialog.pictures) picture.clear();
  JewelTypeDialog.picturesMade = false;
}
