#include "render/object_material.h"

#include <string>

#include "kernel/geom_object.h"
#include "render/material.h"
#include "render/render_state.h"

namespace {

const CGeomObject* overridingGroup = nullptr;

}  // namespace

const CMaterial* MaterialForObject(const CGeomObject* object, bool withOrientation) {
  if (ShadingMode == 2) return nullptr;
  const CGeomObject* source = overridingGroup != nullptr ? overridingGroup : object;
  const std::string* name = source->materialName;
  CMaterial* material = LoadMaterial(name != nullptr ? std::string_view(*name) : std::string_view(),
                                     ShadingMode == 1 ? 1 : 0);
  if (ShadingMode == 0) material->MixAmbientIntoDiffuse();
  material->mappingKind = source->mappingKind;
  // Row vectors: the mapping frame applies first, then the orientation.
  const Matrix4 frame = withOrientation && overridingGroup == nullptr
                            ? MatMultiply(object->mappingFrame, object->orientation)
                            : source->mappingFrame;
  material->mappingMatrix = MatInverse(frame);
  return material;
}

GroupMaterialOverride::GroupMaterialOverride(const CGeomObject* group) {
  if (overridingGroup != nullptr || group->materialName == nullptr) return;
  overridingGroup = group;
  installed_ = true;
}

GroupMaterialOverride::~GroupMaterialOverride() {
  if (installed_) overridingGroup = nullptr;
}
