#pragma once

#include "exchange/export_stack.h"
#include "exchange/stl_facet.h"
#include "exchange/triangle_export_walk.h"

// The STL families' emitter: each triangle placed by the top of the stack, rounded and tested,
// and the facets that survive handed to Write.
class StlFacetEmitter : public TriangleEmitter {
 public:
  explicit StlFacetEmitter(const ExportStack& stack) : stack_(stack) {}

  void EmitTriangle(Vector3 v1, Vector3 v2, Vector3 v3) final {
    StlFacet facet;
    if (MakeExportFacet(v1, v2, v3, stack_.top->matrix, &facet)) Write(facet);
  }

 protected:
  ~StlFacetEmitter() = default;
  virtual void Write(const StlFacet& facet) = 0;

 private:
  const ExportStack& stack_;
};
