#include "exchange/stl_writers.h"

#include "exchange/output_file.h"
#include "exchange/stl_facet_emitter.h"
#include "exchange/stl_format.h"

std::uint32_t StlBinaryFacetCount = 0;

namespace {

class AsciiEmitter final : public StlFacetEmitter {
 public:
  AsciiEmitter(const ExportStack& stack, OutputFile& out) : StlFacetEmitter(stack), out_(out) {}

 private:
  void Write(const StlFacet& facet) override { WriteStlAsciiFacet(out_, facet); }
  OutputFile& out_;
};

class BinaryEmitter final : public StlFacetEmitter {
 public:
  BinaryEmitter(const ExportStack& stack, OutputFile& out) : StlFacetEmitter(stack), out_(out) {}

 private:
  void Write(const StlFacet& facet) override {
    WriteStlBinaryFacet(out_, facet);
    ++StlBinaryFacetCount;
  }
  OutputFile& out_;
};

}  // namespace

bool StlAsciiWriter(const CGeomObject* first, const std::string& path) {
  OutputFile out;
  if (!out.Open(path)) return false;
  ExportStack& stack = ExportStackOf(ExportFamily::kStlAscii);
  AsciiEmitter emitter(stack, out);
  WriteStlAsciiHeader(out);
  TriangleExportWalk(stack, emitter).WalkScene(first);
  WriteStlAsciiTrailer(out);
  return out.Commit();
}

bool StlBinaryWriter(const CGeomObject* first, const std::string& path) {
  OutputFile out;
  if (!out.Open(path)) return false;
  ExportStack& stack = ExportStackOf(ExportFamily::kStlBinary);
  BinaryEmitter emitter(stack, out);
  WriteStlBinaryHeader(out, StlBinaryFacetCount);
  StlBinaryFacetCount = 0;
  TriangleExportWalk(stack, emitter).WalkScene(first);
  // A count that claims facets never written must not reach the file.
  if (!out.failed()) PatchStlBinaryCount(out, StlBinaryFacetCount);
  return out.Commit();
}
