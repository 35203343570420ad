#pragma once

#include <memory>
#include <vector>

#include "kernel/geom_object.h"

// The prototypes that gems instance: the objects of the design file "gemlib" in the program
// folder, read on first use and kept for the run. A failed load leaves the library empty and
// is tried again on the next use.
class CGemLibrary {
 public:
  void Load();
  void Free();
  // The prototype at index, loading the library first when it is empty; null outside it.
  CGeomObject* Prototype(int index);
  int Count() const { return static_cast<int>(prototypes_.size()); }

 private:
  std::vector<std::unique_ptr<CGeomObject>> prototypes_;
};

extern CGemLibrary GemLibrary;

inline constexpr char kGemLibraryFileName[] = "gemlib";
