#include "manufacturing/manufacturing_state.h"

#include "manufacturing/cut_slices.h"
#include "manufacturing/estimate_commands.h"
#include "manufacturing/export_stack.h"
#include "manufacturing/mesh_writers.h"
#include "manufacturing/one_side_stl_commands.h"
#include "manufacturing/nc_program.h"
#include "manufacturing/nc_show_path.h"
#include "manufacturing/output_file.h"
#include "manufacturing/slice_contours.h"
#include "manufacturing/slice_file_path.h"
#include "manufacturing/stl_writers.h"

void ResetManufacturingState() {
  ResetExportStacks();
  StlBinaryFacetCount = 0;
  ResetMeshWriters();
  OutputFile::FailWritesAfter(-1);
  FreeSliceContourPools();
  SetSliceFilePath("");
  ResetEstimateCommands();
  ResetOneSideStlCommands();
  ResetCutSlices();
  ResetNcShowPathDialog();
  ResetNcProgramState();
}
