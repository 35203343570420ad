#pragma once

#include <cstdint>

#include "exchange/stl_facet.h"

class OutputFile;

// The STL layouts, shared by the object writers and the mesh writers.

void WriteStlAsciiHeader(OutputFile& out);
void WriteStlAsciiFacet(OutputFile& out, const StlFacet& facet);
void WriteStlAsciiTrailer(OutputFile& out);

// The 80-byte header and the facet count, little-endian.
void WriteStlBinaryHeader(OutputFile& out, std::uint32_t count);
// 50 bytes: twelve little-endian floats and a zero attribute word.
void WriteStlBinaryFacet(OutputFile& out, const StlFacet& facet);
// Overwrites the count of a binary file written from its start.
void PatchStlBinaryCount(OutputFile& out, std::uint32_t count);

inline constexpr long kStlBinaryCountOffset = 80;
inline constexpr int kStlBinaryFacetBytes = 50;
