#include "modelling/curve_repeat_commands.h"

#include "modelling/curve_drawing_commands.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"

CurveRepeatValues CurveRepeat;

namespace {

constexpr int kExtendCommand = 7005;
constexpr int kRevolveCommand = 7006;
constexpr int kAdjustExtendCommand = 7035;
constexpr int kAdjustRevolveCommand = 7036;

// The dialogs keep the vector and the axis in view terms (map-to-view 0): the tool maps its
// matrix onto the view's world axes itself, so mapping here as well would map twice.
void Extend(int asking, bool adjust) {
  Matrix4 step;
  if (RunExtendToolDialog(&CurveRepeat.extendCount, &CurveRepeat.extendVector, &step, asking, 0) == 0) return;
  StartTransformCurveTool(kExtendCommand, CurveRepeat.extendCount, step, 0, adjust);
}

void Revolve(int asking, bool adjust) {
  Matrix4 step;
  CurveRepeatValues& kept = CurveRepeat;
  if (RunRevolveToolDialog(&kept.revolveCount, &kept.revolveAngle, &kept.fullRevolution, 2, &kept.clockwise, &step,
                           asking, 0) == 0) {
    return;
  }
  StartTransformCurveTool(kRevolveCommand, kept.revolveCount, step, kept.fullRevolution, adjust);
}

}  // namespace

void DoCurveExtend() { Extend(kExtendCommand, false); }
void DoAdjustExtend() { Extend(kAdjustExtendCommand, true); }
void DoCurveRevolve() { Revolve(kRevolveCommand, false); }
void DoAdjustRevolve() { Revolve(kAdjustRevolveCommand, true); }
