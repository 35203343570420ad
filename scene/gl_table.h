#pragma once

#include "platform/gl_calls.h"

// The OpenGL entry points that shaded views draw through: libGL's in the program, installed at
// start-up; tests install their own. Not owned. While none is installed, shaded frames have no
// OpenGL and draw as when it failed.
void InstallGlCalls(GlCalls* calls);
GlCalls* InstalledGlCalls();
