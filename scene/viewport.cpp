#include "scene/viewport.h"

#include "scene/scene.h"

CViewport::~CViewport() {
  if (GetActiveView() == this) SetActiveView(nullptr);
  UnbindToolsFromViewport(this);
}

void CViewport::SetSize(int paneWidth, int paneHeight) {
  x = 0;
  y = 0;
  width = paneWidth;
  height = paneHeight;
}
