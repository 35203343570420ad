#pragma once

#include <cstdint>
#include <string>

class CGeomObject;

// Write every shown or selected object on a visible layer, from first along the list, as an STL
// file at path. True when the file took the path's place; on false the file that was there is
// untouched and nothing is left behind. They show nothing: the caller decides what to say.
bool StlAsciiWriter(const CGeomObject* first, const std::string& path);
bool StlBinaryWriter(const CGeomObject* first, const std::string& path);

// The facets of the last binary export. The next one writes it as the placeholder of its count,
// which it overwrites before the file is kept.
extern std::uint32_t StlBinaryFacetCount;
