#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "kernel/geom_object.h"

// A gem stands for at most this many objects of its library (its prototype, the groups, the gems
// in them and what those stand for, each counted wherever it is met), however its groups hold
// gems of other prototypes: far more than any jewel or setting has, and a bound on what a few
// lines of a library can make each gem cost to draw. Fan-out through the nesting bound would
// otherwise multiply: ten gems a level, eight levels, a hundred million objects.
inline constexpr std::int64_t kMaxGemObjects = 256;

// The prototypes that gems instance: the objects of the design file "gemlib" in the program
// folder, read on first use and kept for the run. A failed load leaves the library empty and
// is tried again on the next use.
class CGemLibrary {
 public:
  void Load();
  void Free();
  // The prototype at index, loading the library first when it is empty; null outside it.
  CGeomObject* Prototype(int index);
  // The prototype a gem of that index stands for: as Prototype, but null also for a prototype a
  // gem of which would stand for more than kMaxGemObjects objects.
  CGeomObject* InstancedPrototype(int index);
  int Count() const { return static_cast<int>(prototypes_.size()); }

 private:
  std::vector<std::unique_ptr<CGeomObject>> prototypes_;
  // Per prototype whether a gem of it stands for more than kMaxGemObjects objects.
  std::vector<bool> tooLarge_;
};

extern CGemLibrary GemLibrary;

inline constexpr char kGemLibraryFileName[] = "gemlib";
