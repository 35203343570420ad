#include "scene/gl_table.h"

namespace {
GlCalls* installed = nullptr;
}  // namespace

void InstallGlCalls(GlCalls* calls) { installed = calls; }

GlCalls* InstalledGlCalls() { return installed; }
