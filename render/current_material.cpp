#include "render/current_material.h"

namespace {
constexpr char kStartMaterial[] = "Gold";
}  // namespace

std::string& CurrentMaterialName() {
  static std::string name = kStartMaterial;
  return name;
}

void ResetCurrentMaterialName() { CurrentMaterialName() = kStartMaterial; }
