#include "modelling/surface_dialogs.h"

#include "modelling/kept_dialog.h"
#include "modelling/pipe_surface.h"
#include "modelling/surface_divide.h"
#include "modelling/surface_edits.h"
#include "modelling/surface_offset.h"

KeptSurfaceDialogs SurfaceDialogs;

void CSurfaceStepDlg::OnStepFieldFocused(int id) {
  if (id == kUStepEdit) uOn = 1;
  if (id == kVStepEdit) vOn = 1;
}

void CSurfaceStepDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kUStepEdit, uSteps);
  DDV_MinMaxInt(dx, uSteps, 0, kMaxSteps);
  DDX_Text(dx, kVStepEdit, vSteps);
  DDV_MinMaxInt(dx, vSteps, 0, kMaxSteps);
}

void CPipeSurfaceDlg::OnInitDialog() {
  mode = kNoMode;
  CDataDialog::OnInitDialog();
}

bool CPipeSurfaceDlg::PressMode(int pressed) {
  if (!Validate()) return false;
  mode = pressed;
  return true;
}

void CPipeSurfaceDlg::DoDataExchange(DataExchange& dx) { DDX_Text(dx, kSizeEdit, size); }

void ResetSurfaceDialogs() { SurfaceDialogs = KeptSurfaceDialogs(); }

void RunSurfaceStepDialog() {
  const CSurfaceStepDlg& step = SurfaceDialogs.step;
  if (RunKeptDialog(SurfaceDialogs.step)) DoSurfaceStep(step.uOn, step.vOn, step.uSteps, step.vSteps, step.way);
}

void RunPipeSurfaceDialog() {
  const CPipeSurfaceDlg& pipe = SurfaceDialogs.pipe;
  if (RunKeptDialog(SurfaceDialogs.pipe) && pipe.mode != CPipeSurfaceDlg::kNoMode) {
    DoPipeSurface(pipe.mode, pipe.vertical, pipe.Radius());
  }
}

void RunDivideSurfaceDialog() {
  const CDivideSurfaceDlg& divide = SurfaceDialogs.divide;
  if (RunKeptDialog(SurfaceDialogs.divide)) DoDivideSurface(divide.number, divide.way);
}

void RunSurfaceOffsetDialog() {
  const COffsetDlg& offset = SurfaceDialogs.offset;
  if (RunKeptDialog(SurfaceDialogs.offset)) DoOffsetSurface(offset.distance, offset.side);
}
