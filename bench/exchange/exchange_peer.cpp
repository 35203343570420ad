// Writes the exchange benchmark's inputs and times one import of each, for the comparison with
// outside readers (bench/exchange_peer_compare.sh); never a test.
//   exchange_peer write <folder>            torus.stl (binary), torus.dxf (one polyface) and
//                                           net.igs (a 500 x 500 surface)
//   exchange_peer time stl|dxf|iges <file>  prints the seconds one import takes
//   exchange_peer time faces <file>         prints the seconds the torus takes to write as 3DFACEs
//   exchange_peer time volume <file>        imports the STL, then prints the seconds its volume
//                                           and centre of gravity take at a resolution of 0.1
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_scene.h"
#include "exchange/dxf_import.h"
#include "exchange/dxf_writers.h"
#include "exchange/iges_import.h"
#include "exchange/stl_import.h"
#include "exchange_files.h"
#include "manufacturing/volume_estimate.h"

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "write" && argc == 3) {
    const std::unique_ptr<CMeshObject> torus = BenchTorus();
    const std::string folder = argv[2];
    return WriteBenchStl(*torus, folder + "/torus.stl") && WriteBenchPolyface(*torus, folder + "/torus.dxf") &&
                   WriteBenchIges(*BenchIgesSurface(), folder + "/net.igs")
               ? 0
               : 1;
  }
  const std::string format = argc > 2 ? argv[2] : "";
  if (command == "time" && argc == 4 && (format == "stl" || format == "dxf" || format == "iges")) {
    const BenchScene scene(0);
    const auto start = std::chrono::steady_clock::now();
    const ImportResult result = format == "stl"   ? StlImport(argv[3])
                                : format == "dxf" ? DxfImport(argv[3])
                                                  : IgesImport(argv[3]);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("%.3f\n", seconds.count());
    return result.added == 1 && !result.dropped ? 0 : 1;
  }
  if (command == "time" && argc == 4 && format == "volume") {
    const BenchScene scene(0);
    if (StlImport(argv[3]).added != 1) return 1;
    const auto start = std::chrono::steady_clock::now();
    const VolumeAndCentre estimate = ComputeVolumeAndCentre(0.1f);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "volume %.9g, centre %.9g %.9g %.9g\n", estimate.volume, estimate.centre.x,
                 estimate.centre.y, estimate.centre.z);
    std::printf("%.3f\n", seconds.count());
    return estimate.volume > 0.0f ? 0 : 1;
  }
  if (command == "time" && argc == 4 && format == "faces") {
    const std::unique_ptr<CMeshObject> torus = BenchTorus();
    const auto start = std::chrono::steady_clock::now();
    const bool written = Dxf3DFaceWriter(torus.get(), argv[3]);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("%.3f\n", seconds.count());
    return written ? 0 : 1;
  }
  std::fprintf(stderr, "usage: exchange_peer write <folder> | exchange_peer time stl|dxf|iges|faces|volume <file>\n");
  return 2;
}
