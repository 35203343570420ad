#include "modelling/curve_repeat_commands.h"

#include "app/core/string_table.h"
#include "modelling/curve_tool.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"

CurveRepeatValues CurveRepeat;

namespace {

constexpr int kExtendCommand = 7005;
constexpr int kRevolveCommand = 7006;
constexpr int kAdjustExtendCommand = 7035;
constexpr int kAdjustRevolveCommand = 7036;
// Status texts, making then editing: Extend's, then Revolve's.
constexpr int kExtendText = 10087;
constexpr int kRevolveText = 10089;

// The tool keeps the command's own id, Adjust or not, as its cursor.
void StartTool(int command, int copies, const Matrix4& step, int closed, bool adjust, int text) {
  if (GetActiveView() == nullptr) return;
  auto* tool = new CTransformCurveTool(command, copies, step, closed);
  tool->pickCurveFirst = adjust;
  ShowToolPrompt(tool, GetLocalizedString(text + (adjust ? 1 : 0)));
}

// The dialogs keep the vector and the axis in view terms (map-to-view 0): the tool maps its
// matrix onto the view's world axes itself, so mapping here as well would map twice.
void Extend(int asking, bool adjust) {
  Matrix4 step;
  if (RunExtendToolDialog(&CurveRepeat.extendCount, &CurveRepeat.extendVector, &step, asking, 0) == 0) return;
  StartTool(kExtendCommand, CurveRepeat.extendCount, step, 0, adjust, kExtendText);
}

void Revolve(int asking, bool adjust) {
  Matrix4 step;
  CurveRepeatValues& kept = CurveRepeat;
  if (RunRevolveToolDialog(&kept.revolveCount, &kept.revolveAngle, &kept.fullRevolution, 2, &kept.clockwise, &step,
                           asking, 0) == 0) {
    return;
  }
  StartTool(kRevolveCommand, kept.revolveCount, step, kept.fullRevolution, adjust, kRevolveText);
}

}  // namespace

void DoCurveExtend() { Extend(kExtendCommand, false); }
void DoAdjustExtend() { Extend(kAdjustExtendCommand, true); }
void DoCurveRevolve() { Revolve(kRevolveCommand, false); }
void DoAdjustRevolve() { Revolve(kAdjustRevolveCommand, true); }
