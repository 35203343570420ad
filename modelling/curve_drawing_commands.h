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
// The transform variant for Extend (7005), Revolve (7006) or Transform (7010): k copies, each
// the one before moved by the dialog's matrix (view terms), the command's id as its cursor and
// its status text; adjust: the next press picks the curve to edit. Fewer than one copy, or an
// other command, makes nothing.
void StartTransformCurveTool(int command, int copies, const Matrix4& dialogMatrix, int closed, bool adjust);
// Transform's form of it: command 7010, open; edit set: the next press picks the curve to edit.
void StartCurveTransformTool(int copies, const Matrix4& dialogMatrix, int edit);
