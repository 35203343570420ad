#include "exchange/mesh_writers.h"

#include <cstdint>

#include "exchange/dxf_face_format.h"
#include "exchange/output_file.h"
#include "exchange/stl_format.h"

OutputFile MeshOutputFile;

namespace {

class AsciiStlWriter final : public MeshWriter {
 public:
  void BeginFile() override { WriteStlAsciiHeader(MeshOutputFile); }
  void EndFile() override { WriteStlAsciiTrailer(MeshOutputFile); }
  void WriteFacet(Vector3 v1, Vector3 v2, Vector3 v3) override {
    StlFacet facet;
    if (MakeMeshFacet(v1, v2, v3, &facet)) WriteStlAsciiFacet(MeshOutputFile, facet);
  }
};

class BinaryStlWriter final : public MeshWriter {
 public:
  void BeginFile() override {
    count_ = 0;
    WriteStlBinaryHeader(MeshOutputFile, count_);
  }
  void EndFile() override { PatchStlBinaryCount(MeshOutputFile, count_); }
  void WriteFacet(Vector3 v1, Vector3 v2, Vector3 v3) override {
    StlFacet facet;
    if (!MakeMeshFacet(v1, v2, v3, &facet)) return;
    WriteStlBinaryFacet(MeshOutputFile, facet);
    ++count_;
  }
  void Reset() { count_ = 0; }

 private:
  std::uint32_t count_ = 0;
};

class DxfFaceWriter final : public MeshWriter {
 public:
  void BeginFile() override { MeshOutputFile.Write(kDxfEntitiesBegin); }
  void EndFile() override { MeshOutputFile.Write(kDxfEntitiesEnd); }
  // Zero-area faces are kept; only values no reader takes are dropped.
  void WriteFacet(Vector3 v1, Vector3 v2, Vector3 v3) override {
    if (!IsFiniteVector(v1) || !IsFiniteVector(v2) || !IsFiniteVector(v3)) return;
    WriteDxfFace(MeshOutputFile, 1, {v1, v2, v3, v3});
  }
};

AsciiStlWriter asciiStl;
BinaryStlWriter binaryStl;
DxfFaceWriter dxfFaces;
MeshWriter* current = &asciiStl;

}  // namespace

MeshWriter& StlAsciiMeshWriter = asciiStl;
MeshWriter& StlBinaryMeshWriter = binaryStl;
MeshWriter& DxfMeshWriter = dxfFaces;

void SelectMeshWriter(int format) {
  switch (format) {
    case 0:
      current = &asciiStl;
      break;
    case 1:
      current = &binaryStl;
      break;
    case 2:
      current = &dxfFaces;
      break;
    default:
      break;
  }
}

MeshWriter& CurrentMeshWriter() { return *current; }

void ResetMeshWriters() {
  current = &asciiStl;
  binaryStl.Reset();
  MeshOutputFile.Discard();
}
