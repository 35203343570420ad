#pragma once

#include <string>

// The material the material commands give to objects and open the editor on: a name relative to
// the material folder ("metals\Silver") or a full path, without ".mtl". "Gold" at start.
std::string& CurrentMaterialName();
void ResetCurrentMaterialName();
