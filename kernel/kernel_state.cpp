#include "kernel/kernel_state.h"

#include "kernel/boolean_object.h"
#include "kernel/bspline_curve.h"
#include "kernel/gem_library.h"
#include "kernel/matrix4.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "kernel/pointer_list.h"
#include "kernel/program_random.h"

void ResetKernelState() {
  ResetObjectStream();
  SeedProgramRand(1);
  // The prototypes go before the pooled names they point into.
  GemLibrary.Free();
  ClearPointerList();
  RegisterObjectKinds();
  SweepReferenceMatrix = Matrix4();
  ResetSubdivisionMatrixCache();
  FirstChildBoundsOnly = 0;
}
