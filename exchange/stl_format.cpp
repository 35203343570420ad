#include "exchange/stl_format.h"

#include <cstring>
#include <string_view>

#include "exchange/little_endian.h"
#include "exchange/number_format.h"
#include "exchange/output_file.h"

namespace {

char* Append(char* at, std::string_view text) {
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

char* AppendTriple(char* at, std::string_view lead, Vector3 v) {
  at = Append(at, lead);
  at = FormatGeneral(at, v.x);
  *at++ = ' ';
  at = FormatGeneral(at, v.y);
  *at++ = ' ';
  at = FormatGeneral(at, v.z);
  *at++ = '\n';
  return at;
}

unsigned char* PutVector(unsigned char* at, Vector3 v) {
  at = PutFloat(at, v.x);
  at = PutFloat(at, v.y);
  return PutFloat(at, v.z);
}

}  // namespace

void WriteStlAsciiHeader(OutputFile& out) { out.Write("solid Lumidrex\n"); }

void WriteStlAsciiTrailer(OutputFile& out) { out.Write("endsolid\n"); }

void WriteStlAsciiFacet(OutputFile& out, const StlFacet& facet) {
  char text[512];
  char* at = AppendTriple(text, "    facet normal ", facet.normal);
  at = Append(at, "        outer loop\n");
  at = AppendTriple(at, "            vertex ", facet.v1);
  at = AppendTriple(at, "            vertex ", facet.v2);
  at = AppendTriple(at, "            vertex ", facet.v3);
  at = Append(at, "        endloop\n    endfacet\n");
  out.Write(text, static_cast<std::size_t>(at - text));
}

void WriteStlBinaryHeader(OutputFile& out, std::uint32_t count) {
  unsigned char header[kStlBinaryCountOffset + 4];
  std::memcpy(header, "Lumidrex", 8);
  header[8] = 0;
  std::memset(header + 9, ' ', 71);
  PutU32(header + kStlBinaryCountOffset, count);
  out.Write(header, sizeof header);
}

void WriteStlBinaryFacet(OutputFile& out, const StlFacet& facet) {
  unsigned char bytes[kStlBinaryFacetBytes];
  unsigned char* at = PutVector(bytes, facet.normal);
  at = PutVector(at, facet.v1);
  at = PutVector(at, facet.v2);
  at = PutVector(at, facet.v3);
  at[0] = at[1] = 0;
  out.Write(bytes, sizeof bytes);
}

void PatchStlBinaryCount(OutputFile& out, std::uint32_t count) {
  unsigned char bytes[4];
  PutU32(bytes, count);
  out.WriteAt(kStlBinaryCountOffset, bytes, sizeof bytes);
}
