#include "kernel/object_wireframes.h"

#include "kernel/axis_line_object.h"
#include "kernel/block_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"

namespace {

ObjectWireframes* installed = nullptr;

template <typename Object>
void DrawInstalled(Object& object, int mode) {
  if (installed != nullptr) installed->Draw(object, mode);
}

}  // namespace

void InstallObjectWireframes(ObjectWireframes* wireframes) { installed = wireframes; }

void CCurveObject::Draw(int mode) { DrawInstalled(*this, mode); }
void CSurfaceObject::Draw(int mode) { DrawInstalled(*this, mode); }
void CMeshObject::Draw(int mode) { DrawInstalled(*this, mode); }
void CAxisLineObject::Draw(int mode) { DrawInstalled(*this, mode); }
void CGemObject::Draw(int mode) { DrawInstalled(*this, mode); }
void CBlockObject::Draw(int mode) { DrawInstalled(*this, mode); }
