#pragma once

#include <string>

#include "exchange/import_result.h"

// Reads an STL file, ASCII or binary, into one new smooth-shaded triangle mesh, selected on the
// current layer, whose equal vertices are merged. The first 128 bytes decide the format: a byte of
// 0x80 or above makes the file binary, unless it begins with "solid" and its facet count does not
// fit its size, as an ASCII file whose solid name is UTF-8 text does. A binary count of 0 adds
// nothing, and so does a file without a complete facet. Facets with a coordinate that is not
// finite are left out, and so are facets the file claims but does not hold.
ImportResult StlImport(const std::string& path);
