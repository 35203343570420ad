#pragma once

#include <string>
#include <string_view>

#include "scratch_file.h"

inline void AppendText(Bytes* bytes, std::string_view text) { bytes->insert(bytes->end(), text.begin(), text.end()); }

inline Bytes MaterialMagic() {
  Bytes bytes;
  AppendText(&bytes, "TALVERNOMATL0100");
  return bytes;
}

// Gold of the shipped library, 82 bytes made by hand: the magic, ambient, diffuse, specular,
// shininess 90, transparency 0, then the map names "", "", "Studio", "".
inline Bytes GoldMaterialFile() {
  Bytes bytes = MaterialMagic();
  const Bytes values = Words({96, 72, 16, 232, 184, 64, 255, 240, 200, 90, 0, 0, 0, 6});
  bytes.insert(bytes.end(), values.begin(), values.end());
  AppendText(&bytes, "Studio");
  Append(&bytes, std::int32_t{0});
  return bytes;
}

// A material file with the given numbers and no maps.
inline Bytes PlainMaterialFile(std::initializer_list<std::int32_t> elevenValues) {
  Bytes bytes = MaterialMagic();
  const Bytes values = Words(elevenValues);
  bytes.insert(bytes.end(), values.begin(), values.end());
  const Bytes names = Words({0, 0, 0, 0});
  bytes.insert(bytes.end(), names.begin(), names.end());
  return bytes;
}

// A material file with the given map names (texture, bump, reflect, shiny) and grey colours.
inline Bytes MaterialFileWithMaps(std::initializer_list<std::string_view> maps) {
  Bytes bytes = MaterialMagic();
  const Bytes values = Words({0, 0, 0, 128, 128, 128, 255, 255, 255, 50, 0});
  bytes.insert(bytes.end(), values.begin(), values.end());
  for (const std::string_view name : maps) {
    Append(&bytes, static_cast<std::int32_t>(name.size()));
    AppendText(&bytes, name);
  }
  return bytes;
}
