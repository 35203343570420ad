#pragma once

class CAxisLineObject;
class CBlockObject;
class CCurveObject;
class CGemObject;
class CMeshObject;
class CSurfaceObject;

// The objects are drawn by the scene, which holds the views and the drawing context: each kind's
// Draw hands the object to the wire frames the scene installs, so that the kernel needs nothing
// above it. In a program that never draws none are installed, and Draw draws nothing.
class ObjectWireframes {
 public:
  virtual void Draw(CCurveObject& curve, int mode) = 0;
  virtual void Draw(CSurfaceObject& surface, int mode) = 0;
  virtual void Draw(CMeshObject& mesh, int mode) = 0;
  virtual void Draw(CAxisLineObject& line, int mode) = 0;
  virtual void Draw(CGemObject& gem, int mode) = 0;
  virtual void Draw(CBlockObject& block, int mode) = 0;

 protected:
  ~ObjectWireframes() = default;
};

void InstallObjectWireframes(ObjectWireframes* wireframes);
