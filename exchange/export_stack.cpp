#include "exchange/export_stack.h"

#include <array>

namespace {

std::array<ExportStack, 5> stacks;

}  // namespace

ExportStack& ExportStackOf(ExportFamily family) { return stacks[static_cast<std::size_t>(family)]; }

void ResetExportStacks() {
  for (ExportStack& stack : stacks) {
    InitMatrixNode(&stack.base);
    stack.top = &stack.base;
  }
}

void StartExport(ExportStack& stack) {
  stack.base.matrix = kIdentityMatrix;
  stack.top = &stack.base;
}

PushedPlacement::PushedPlacement(ExportStack& stack, const Matrix4& placement) : stack_(stack) {
  node_.next = stack.top;
  // Row vectors: the placement acts first, then everything outside it.
  node_.matrix = MatMultiply(placement, stack.top->matrix);
  stack.top = &node_;
}

PushedPlacement::~PushedPlacement() { stack_.top = node_.next; }
