#pragma once

class CPickCallbackTool;
class CPointPickTool;
class CVectorDragTool;
class CZoomBoxTool;

// The tools that live for the whole run and are installed only through the secondary slot,
// which never owns them. They are built by an explicit start-up step while no viewport is
// active, not by static initialisation: their construction touches the scene's slots, and at a
// later moment, with a viewport active, it would replace the default tool.
void BuildStaticTools();

CPickCallbackTool& PickCallbackTool();
CPointPickTool& PointPickTool();
CVectorDragTool& VectorDragTool();
CZoomBoxTool& ZoomBoxTool();
