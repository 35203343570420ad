// A slice file, as the slice-to-mesh converter reads it (the viewer shares its reader): caps on,
// so the layers reach the triangulation too. The mesh file it commits must hold the facets its
// count claims.
#include <cstdio>

#include "fuzz_support.h"
#include "manufacturing/slc_to_mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string slices = WriteFuzzFile("input.slc", data, size);
  const std::string mesh = FuzzProgramFolder() + "output.stl";
  if (!ConvertSlcToMesh(slices, mesh, 1, 1, 0)) FuzzCheckFailed("the mesh file was not committed");
  std::FILE* file = std::fopen(mesh.c_str(), "rb");
  if (file == nullptr) FuzzCheckFailed("no mesh file");
  unsigned char header[84] = {};
  const bool whole = std::fread(header, 1, sizeof header, file) == sizeof header;
  std::fseek(file, 0, SEEK_END);
  const long length = std::ftell(file);
  std::fclose(file);
  const unsigned long count = header[80] | header[81] << 8 | header[82] << 16 | static_cast<unsigned long>(header[83]) << 24;
  if (!whole || static_cast<unsigned long>(length) != 84 + 50 * count) FuzzCheckFailed("facet count and size differ");
  return 0;
}
