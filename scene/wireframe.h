#pragma once

#include "kernel/vector3.h"

class CCurveObject;
class CMeshObject;
class CPointSetObject;
class CSurfaceObject;

// Shared steps of the objects' wire-frame Draw. The draw mode is the view's display mode (10
// quick, 0 normal, 20 mesh wire frame), 20 over a shaded picture, kDrawFeedback for the feedback
// of modelling tools, and negative for thinned meshes.
inline constexpr int kDrawFeedback = 1;

// The sampled curve of a polygon whose ends ExtendCurveEnds prepared, as one open polyline.
void DrawCurvePolyline(int steps, const Vector3* points, int count);
// Draws every marked point again as a marker in the picked-object colour, then restores the
// colour.
void DrawMarkedPoints(const CPointSetObject& object);
// Every point of the object as a marker.
void DrawControlPointMarkers(const CPointSetObject& object);

// The wire frames of the kinds whose points the scene draws itself.
void DrawCurveWireframe(CCurveObject& curve, int mode);
void DrawSurfaceWireframe(CSurfaceObject& surface, int mode);
void DrawMeshWireframe(CMeshObject& mesh, int mode);

// Makes every object draw through the wire frames above and those of the placed kinds.
void InstallSceneWireframes();
