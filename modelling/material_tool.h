#pragma once

#include <string>

#include "scene/tool.h"

class CGeomObject;

// Picks an object and opens the material editor on its material.
class CMaterialPickTool : public CTool {
 public:
  explicit CMaterialPickTool(std::string* nameBuffer) : CTool(0), nameBuffer_(nameBuffer) {}

  void OnLButtonDown(int flags, int x, int y) override;
  // Over an object: its material name (empty when it has none) goes into the buffer, the pick
  // tool returns and Create / Edit Material runs once this handler has returned.
  void OnLButtonUp(int flags, int x, int y) override;

 private:
  CGeomObject* picked_ = nullptr;
  std::string* nameBuffer_;
};

// pick set: installs CMaterialPickTool, which fills name. pick clear: gives name to every selected
// object in one undo step; a Boolean group passes it on to its members, at any depth.
void StartMaterialTool(int pick, std::string* name);

// Edit > Material: the browser's choice becomes the current material and goes to the selection.
void OnMaterial();
// Edit > Create / Edit Material: the editor on the current material; OK saves it (and its
// picture when asked) and gives it to the selection; "Get Object Material" picks an object whose
// material the editor then opens on.
void OnEditMaterial();
