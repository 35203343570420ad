#pragma once

class CMeshObject;

// Misc > Facet Object: each acts on the selected meshes as one undo step.
// Flat- and Smooth-Shaded record only the meshes whose shading flag changes.
void DoFlatShaded();
void DoSmoothShaded();
void DoFlipMeshNormal();
// Every selected mesh gives way to a solid: itself plus a copy offset by (dx, dy, dz) facing the
// other way.
void DoExtendToSolid(float dx, float dy, float dz);
// Adds the solid of one mesh and takes the mesh out of the scene (undo brings it back). Without
// an active viewport nothing is added and the mesh stays.
void ExtendMeshToSolid(CMeshObject* mesh, float dx, float dy, float dz);
