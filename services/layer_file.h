#pragma once

#include <string>
#include <string_view>

#include "services/layer_table.h"

// A layer file (*.lyr) carries the names and colours of the layers, not their flags: the magic,
// the count 20, then per layer its index, the name's length n, n UTF-16LE units and the colour,
// and -1 at the end (all integers int32, little-endian).
inline constexpr std::string_view kLayerFileMagic = "LumidrexLayer050";
inline constexpr int kMaxLayerNameUnits = 1023;

enum class LayerFileResult { kRead, kCannotOpen, kBadFormat };

// Reads into a copy and hands it over only when the whole file is sound: a wrong magic, an index
// outside 0-19 or a name length outside 0-1023 changes nothing. Records may come in any order and
// need not cover every layer; a record cut off by the end of the file is not applied.
LayerFileResult ReadLayerFile(const std::string& path, LayerSet* layers);
// Saves without losing the old file; false when any write failed.
bool WriteLayerFile(const std::string& path, const LayerSet& layers);
