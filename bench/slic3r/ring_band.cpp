// The benchmark ring's band, standing along x with its bottom 0.05 below z = 0, as a binary STL
// for a peer slicer and as our own slices of 0.1 mm: our layer k then lies where the peer cuts
// its layer k, at mid-layer. The band alone, as the STL export keeps subtraction groups' members
// apart and a peer would union them. Prints the seconds our slicing took.
//   ring_band <stl path> <slc path>
#include <chrono>
#include <cstdio>
#include <memory>

#include "exchange/stl_writers.h"
#include "exchange/visible_bounds.h"
#include "manufacturing/slicer.h"
#include "ring_standing.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ring_band <stl path> <slc path>\n");
    return 2;
  }
  ring_design::RingDesign ring;
  if (!ring.ready()) return 1;
  // The band alone takes the design's place.
  for (CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) object->ObjectState = -1;
  std::unique_ptr<CSurfaceObject> band = ring_design::Band();
  band->mappingFrame = kIdentityMatrix;
  CGeomObject* first = AddObject(band, 0);
  first->ObjectState = kStateShown;
  first->layer = 0;
  ring_design::StandAlongX();
  Vector3 min;
  Vector3 max;
  GetVisibleBounds(&min, &max);
  Matrix4 lift = kIdentityMatrix;
  lift[14] = -0.05f - min.z;
  first->Transform(lift, 1);
  if (!StlBinaryWriter(GetObjectList(), argv[1])) return 1;
  const auto start = std::chrono::steady_clock::now();
  if (WriteSlicesFile(argv[2], 0, 0.1f, 0.01f, 1, 1, 1, 1, 1, 0, 0, 0) != 0) return 1;
  std::printf("%.4f\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return 0;
}
