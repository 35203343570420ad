// Writes the gem library "gemlib": the prototypes of BuildGemCuts as a design-file object list.
// The build runs it and puts the file in the program folder; the output depends on nothing but
// the numbers in gem_cuts.cpp.

#include <cstdio>
#include <memory>
#include <vector>

#include "kernel/mesh_object.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_list_file.h"
#include "kernel/object_stream.h"
#include "platform/replacing_file.h"
#include "tools/gem_cuts.h"

namespace {

std::unique_ptr<CMeshObject> MakePrototype(GemCut cut) {
  auto mesh = std::make_unique<CMeshObject>();
  const int count = static_cast<int>(cut.points.size());
  mesh->SetPoints(count, std::move(cut.points));
  if (!mesh->SetFaces(std::move(cut.faceSizes), std::move(cut.faceIndices))) return nullptr;
  mesh->flatShading = 1;
  mesh->orientationSign = 1;
  mesh->orientation = kIdentityMatrix;
  mesh->mappingFrame = kIdentityMatrix;
  return mesh;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <gemlib path>\n", argv[0]);
    return 2;
  }
  // The list writer leaves out kinds it cannot read back.
  RegisterObjectKinds();
  std::vector<std::unique_ptr<CMeshObject>> prototypes;
  for (GemCut& cut : BuildGemCuts()) {
    prototypes.push_back(MakePrototype(std::move(cut)));
    if (prototypes.back() == nullptr) {
      std::fprintf(stderr, "a gem cut's faces do not fit its vertices\n");
      return 1;
    }
    if (prototypes.size() > 1) prototypes[prototypes.size() - 2]->next = prototypes.back().get();
  }

  std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(argv[1]);
  bool written = false;
  if (file != nullptr) {
    ObjectStreamScope stream(file->file());
    WriteObjectList(prototypes.front().get());
    written = !ObjectStreamFailed();
  }
  if (!written || !file->Finish() || !file->ReplaceTarget()) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
