#pragma once

#include "kernel/vector3.h"

class OutputFile;

// Writers of finished triangles into MeshOutputFile, which their caller opens and commits; a
// failed write stays in that file's flag and its Commit reports it. Facets are written as given:
// no placement and no rounding.
class MeshWriter {
 public:
  virtual void BeginFile() = 0;
  virtual void EndFile() = 0;
  virtual void WriteFacet(Vector3 v1, Vector3 v2, Vector3 v3) = 0;

 protected:
  ~MeshWriter() = default;
};

// ASCII STL; binary STL, whose EndFile writes the count and leaves the file open; DXF 3DFACE
// entities, which keep zero-area faces.
extern MeshWriter& StlAsciiMeshWriter;
extern MeshWriter& StlBinaryMeshWriter;
extern MeshWriter& DxfMeshWriter;

extern OutputFile MeshOutputFile;

// 0 ASCII STL, 1 binary STL, 2 DXF; any other format keeps the current writer.
void SelectMeshWriter(int format);
MeshWriter& CurrentMeshWriter();

// The ASCII STL writer current, the binary count 0 and no mesh output file.
void ResetMeshWriters();
