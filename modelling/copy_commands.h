#pragma once

#include "kernel/matrix4.h"
#include "modelling/curve_repeat_commands.h"

// Copies of every object selected when the command starts, on whatever layer: pass i copies
// each by matrices[i] (frames too). mode 1 flips every copy's orientation, mode 2 the copies of
// the even passes.
void CopyWithMatrices(int n, const Matrix4* matrices, int mode);
// n - 1 copies of each selected object, at M, M², ..., M^(n-1).
void CopyRepeat(int n, const Matrix4& M);

void DoCopyVerticalMirror();
void DoCopyHorizontalMirror();
void DoCopyRevolve180();
void DoCopyCycle();
void DoCopyExtend();
void DoCopyRevolve();
void DoCopyToHide();

// The Extend and Revolve copy values kept for the run, apart from the curve commands' own.
extern CurveRepeatValues CopyRepeatValues;
