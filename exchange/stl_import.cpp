#include "exchange/stl_import.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/exchange_numbers.h"
#include "exchange/imported_objects.h"
#include "exchange/little_endian.h"
#include "platform/file_handle.h"
#include "scene/scene_views.h"

namespace {

constexpr std::size_t kProbeBytes = 128;
constexpr std::int64_t kBinaryHeaderBytes = 84;
constexpr std::int64_t kBinaryFacetBytes = 50;
// The welded indices are 32-bit, three to a facet.
constexpr std::int64_t kMaxFacets = std::numeric_limits<std::int32_t>::max() / 3;

bool IsFinite(const std::array<Vector3, 3>& corners) {
  return std::all_of(corners.begin(), corners.end(), IsFiniteVector);
}

// ASCII letters compared without case, whatever the locale.
bool EqualsNoCase(std::string_view word, std::string_view keyword) {
  if (word.size() != keyword.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char c = word[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != keyword[i]) return false;
  }
  return true;
}

// The whitespace-separated words of a text file, each cut at 255 characters: no keyword or
// number needs more, and a file of one endless word then costs no more memory than a short one.
class WordReader {
 public:
  explicit WordReader(std::FILE* file) : file_(file) {}

  bool Next(std::string* word) {
    if (pushedBack_) {
      pushedBack_ = false;
      word->swap(back_);
      return true;
    }
    word->clear();
    int c = std::getc(file_);
    while (c != EOF && IsCSpace(c)) c = std::getc(file_);
    if (c == EOF) return false;
    for (; c != EOF && !IsCSpace(c); c = std::getc(file_)) {
      if (word->size() < kMaxWordChars) word->push_back(static_cast<char>(c));
    }
    return true;
  }

  // The next Next gives this word again.
  void PushBack(std::string word) {
    back_ = std::move(word);
    pushedBack_ = true;
  }

  // "%f": a word that begins with no number is left for the next read.
  bool NextFloat(float* value) {
    std::string word;
    if (!Next(&word)) return false;
    if (ReadFloatPrefix(word, value)) return true;
    PushBack(std::move(word));
    return false;
  }

 private:
  static constexpr std::size_t kMaxWordChars = 255;

  std::FILE* file_;
  std::string back_;
  bool pushedBack_ = false;
};

// The corners of the complete facets, three points each.
std::vector<Vector3> ReadAsciiFacets(std::FILE* file, ImportResult* result) {
  std::vector<Vector3> points;
  WordReader words(file);
  std::string word;
  while (words.Next(&word) && !EqualsNoCase(word, "endsolid")) {
    if (!EqualsNoCase(word, "outer")) continue;
    if (!words.Next(&word)) break;
    if (!EqualsNoCase(word, "loop")) {
      words.PushBack(std::move(word));
      continue;
    }
    std::array<Vector3, 3> corners{};
    std::size_t read = 0;
    while (read < corners.size() && words.Next(&word)) {
      if (!EqualsNoCase(word, "vertex")) {
        words.PushBack(std::move(word));
        break;
      }
      Vector3& v = corners[read];
      if (!words.NextFloat(&v.x) || !words.NextFloat(&v.y) || !words.NextFloat(&v.z)) break;
      ++read;
    }
    if (read == corners.size() && IsFinite(corners)) {
      points.insert(points.end(), corners.begin(), corners.end());
    } else {
      result->dropped = true;
    }
  }
  return points;
}

// The corners of the facets present, as many as the count claims and the file holds; false when
// the file is too short for its header or claims no facet, which adds no mesh.
bool ReadBinaryFacets(std::FILE* file, std::int64_t size, std::vector<Vector3>* points, ImportResult* result) {
  unsigned char header[kBinaryHeaderBytes];
  if (std::fread(header, 1, sizeof header, file) != sizeof header) {
    result->dropped = true;
    return false;
  }
  std::int64_t count = GetU32(header + 80);
  if (count == 0) return false;
  // The count is only a claim: room is made for the facets the file can hold.
  const std::int64_t present = std::min((size - kBinaryHeaderBytes) / kBinaryFacetBytes, kMaxFacets);
  if (count > present) {
    result->dropped = true;
    count = present;
  }
  points->reserve(static_cast<std::size_t>(3 * count));
  unsigned char facet[kBinaryFacetBytes];
  for (std::int64_t j = 0; j < count; ++j) {
    if (std::fread(facet, 1, sizeof facet, file) != sizeof facet) {
      result->dropped = true;
      break;
    }
    std::array<Vector3, 3> corners;
    for (std::size_t k = 0; k < corners.size(); ++k) {
      const unsigned char* at = facet + 12 * (k + 1);
      corners[k] = {GetFloat(at), GetFloat(at + 4), GetFloat(at + 8)};
    }
    if (IsFinite(corners)) {
      points->insert(points->end(), corners.begin(), corners.end());
    } else {
      result->dropped = true;
    }
  }
  return true;
}

// The format rule: a byte of 0x80 or above among the first 128 makes the file binary, except
// that a file beginning with "solid" whose count does not fit its size is ASCII text with a
// non-ASCII solid name.
bool IsBinary(std::FILE* file, std::int64_t size) {
  unsigned char probe[kProbeBytes];
  const std::size_t got = std::fread(probe, 1, sizeof probe, file);
  std::rewind(file);
  if (std::none_of(probe, probe + got, [](unsigned char c) { return c >= 0x80; })) return false;
  if (got < 5 || std::memcmp(probe, "solid", 5) != 0) return true;
  if (got < kBinaryHeaderBytes) return false;
  const std::int64_t count = GetU32(probe + 80);
  return kBinaryHeaderBytes + kBinaryFacetBytes * count <= size;
}

}  // namespace

ImportResult StlImport(const std::string& path) {
  ImportResult result;
  const FileHandle file = OpenFile(path, "rb");
  if (!file) return result;
  result.opened = true;
  std::int64_t size = FileSizeOf(file.get());
  if (size < 0) size = std::numeric_limits<std::int64_t>::max();
  std::vector<Vector3> points;
  if (IsBinary(file.get(), size)) {
    if (!ReadBinaryFacets(file.get(), size, &points, &result)) return result;
  } else {
    points = ReadAsciiFacets(file.get(), &result);
  }
  // A file without a facet adds no mesh: an empty one would be invisible.
  if (points.empty()) return result;
  const std::size_t pointCount = points.size();
  std::vector<std::int32_t> indices(pointCount);
  for (std::size_t i = 0; i < pointCount; ++i) indices[i] = static_cast<std::int32_t>(i);
  AddImportedMesh(std::move(points), std::vector<std::int32_t>(pointCount / 3, 3), indices,
                  MappingFit::kToPointsRead, &result);
  RedrawAllViews();
  return result;
}
