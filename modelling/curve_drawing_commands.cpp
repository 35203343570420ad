#include "modelling/curve_drawing_commands.h"

#include "modelling/curve_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "services/string_table.h"

namespace {

// Status texts, making then editing, in the order of the variants: simple, vertical mirror,
// horizontal mirror, revolve 180, cycle, extend, revolve, transform.
constexpr int kFirstDrawingText = 10077;
constexpr int kTransformCurveCommand = 7010;

// The variants' places in that order, for the commands of the transform variant.
int TransformVariantOf(int command) {
  switch (command) {
    case 7005: return 5;
    case 7006: return 6;
    case kTransformCurveCommand: return 7;
    default: return -1;
  }
}

// A mode-0 tool made while no view is active would be installed nowhere: none is made then.
template <class Tool, class... Arguments>
void StartDrawing(int variant, bool adjust, Arguments... arguments) {
  if (GetActiveView() == nullptr) return;
  auto* tool = new Tool(arguments...);
  tool->pickCurveFirst = adjust;
  ShowToolPrompt(tool, GetLocalizedString(kFirstDrawingText + 2 * variant + (adjust ? 1 : 0)));
}

}  // namespace

void DoCurveSimple() { StartDrawing<CCurveTool>(0, false); }
void DoCurveVerticalMirror() { StartDrawing<CMirrorCurveTool>(1, false, 0); }
void DoCurveHorizontalMirror() { StartDrawing<CMirrorCurveTool>(2, false, 1); }
void DoCurveRevolve180() { StartDrawing<CMirrorCurveTool>(3, false, 2); }
void DoCurveCycle() { StartDrawing<CCycleCurveTool>(4, false); }
void DoAdjustSimple() { StartDrawing<CCurveTool>(0, true); }
void DoAdjustVerticalMirror() { StartDrawing<CMirrorCurveTool>(1, true, 0); }
void DoAdjustHorizontalMirror() { StartDrawing<CMirrorCurveTool>(2, true, 1); }
void DoAdjustRevolve180() { StartDrawing<CMirrorCurveTool>(3, true, 2); }
void DoAdjustCycle() { StartDrawing<CCycleCurveTool>(4, true); }

void StartTransformCurveTool(int command, int copies, const Matrix4& dialogMatrix, int closed, bool adjust) {
  // Each free point stands copies times in the curve: an edit divides by it.
  const int variant = TransformVariantOf(command);
  if (copies < 1 || variant < 0) return;
  StartDrawing<CTransformCurveTool>(variant, adjust, command, copies, dialogMatrix, closed);
}

void StartCurveTransformTool(int copies, const Matrix4& dialogMatrix, int edit) {
  StartTransformCurveTool(kTransformCurveCommand, copies, dialogMatrix, 0, edit != 0);
}
