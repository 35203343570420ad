#pragma once

#include "kernel/matrix4.h"

// A writer family's stack of placements: its base node, and a node for every gem being
// descended. The top's matrix is where the walk's points go.
struct ExportStack {
  MatrixStackNode base;
  MatrixStackNode* top = &base;
};

// The families that walk the scene each own one stack.
enum class ExportFamily { kDxfPolyline, kDxfCurves, kDxfFaces, kStlAscii, kStlBinary };
ExportStack& ExportStackOf(ExportFamily family);

// Every base back to its start value, with nothing pushed.
void ResetExportStacks();

// The start of an export: the base holds the identity and is the top.
void StartExport(ExportStack& stack);

// Pushes placement x top for as long as it lives, so that every way out of a descent leaves the
// stack as it found it.
class PushedPlacement {
 public:
  PushedPlacement(ExportStack& stack, const Matrix4& placement);
  ~PushedPlacement();
  PushedPlacement(const PushedPlacement&) = delete;
  PushedPlacement& operator=(const PushedPlacement&) = delete;

 private:
  ExportStack& stack_;
  MatrixStackNode node_;
};
