// A slice file turned into a raster hatching program. A program that is committed ends with its
// last line.
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "manufacturing/slc_raster_nc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string slices = WriteFuzzFile("input.slc", data, size);
  const std::string program = FuzzProgramFolder() + "output.nc";
  std::remove(program.c_str());
  if (!SliceSetup(slices, program, 0.25f, 2, 0.1f)) return 0;
  std::FILE* file = std::fopen(program.c_str(), "rb");
  if (file == nullptr) FuzzCheckFailed("no program");
  char end[4] = {};
  std::fseek(file, -4, SEEK_END);
  const bool whole = std::fread(end, 1, 4, file) == 4;
  std::fclose(file);
  if (!whole || std::string(end, 4) != "EON\n") FuzzCheckFailed("the program does not end with EON");
  return 0;
}
