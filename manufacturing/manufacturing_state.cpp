#include "manufacturing/manufacturing_state.h"

#include "manufacturing/cut_slices.h"
#include "manufacturing/estimate_commands.h"
#include "manufacturing/nc_program.h"
#include "manufacturing/nc_show_path.h"
#include "manufacturing/one_side_stl_commands.h"
#include "manufacturing/slice_contours.h"
#include "manufacturing/slice_file_path.h"

void ResetManufacturingState() {
  FreeSliceContourPools();
  SetSliceFilePath("");
  ResetEstimateCommands();
  ResetOneSideStlCommands();
  ResetCutSlices();
  ResetNcShowPathDialog();
  ResetNcProgramState();
}
