#pragma once

#include "kernel/matrix4.h"

// The Curve menu's drawing commands: each starts the drawing tool in its variant and says so in
// the status bar; the Adjust forms first pick the curve to edit.
void DoCurveSimple();
void DoCurveVerticalMirror();
void DoCurveHorizontalMirror();
void DoCurveRevolve180();
void DoCurveCycle();
void DoAdjustSimple();
void DoAdjustVerticalMirror();
void DoAdjustHorizontalMirror();
void DoAdjustRevolve180();
void DoAdjustCycle();
// The transform variant with k copies and the dialog's matrix (view terms), command id 7010;
// edit set: the next press picks the curve to edit.
void StartCurveTransformTool(int copies, const Matrix4& dialogMatrix, int edit);
