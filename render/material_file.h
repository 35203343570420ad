#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The content of a material file. Colours are red, green, blue, 0..255; shininess and
// transparency 0..100, though a file may hold anything. Map names are UTF-8 in memory.
struct MaterialRecord {
  std::int32_t ambient[3] = {0, 0, 0};
  std::int32_t diffuse[3] = {0, 0, 0};
  std::int32_t specular[3] = {0, 0, 0};
  std::int32_t shininess = 0;
  std::int32_t transparency = 0;
  std::string textureMap;
  std::string bumpMap;
  std::string reflectMap;
  std::string shinyMap;

  friend bool operator==(const MaterialRecord&, const MaterialRecord&) = default;
};

inline constexpr char kMaterialMagic[] = "TALVERNOMATL0100";

// Reads a material file from the current object stream. Returns 1, or -1 for a wrong magic, a
// file cut short or a name count that is negative or larger than what is left; the record is
// then left as it was. A name longer than 255 bytes keeps its first 255.
int ReadMaterialRecord(MaterialRecord* record);
// Writes a material file, always plain, to the current object stream. Returns 1, or 0 when a
// write failed. Names go out as at most 255 Windows-1252 characters.
int WriteMaterialRecord(const MaterialRecord& record);

// ReadMaterialRecord over bytes in memory, for checks that feed the reader arbitrary input.
int ReadMaterialBytes(const std::uint8_t* data, std::size_t size, MaterialRecord* record);
