#include "exchange/iges_import.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/exchange_numbers.h"
#include "exchange/rational_bspline_surface.h"
#include "exchange/surface_net_fit.h"
#include "kernel/int_pow.h"
#include "kernel/surface_object.h"
#include "kernel/vector3.h"
#include "modelling/surface_grid.h"
#include "platform/file_handle.h"
#include "scene/scene.h"
#include "scene/scene_views.h"

namespace {

constexpr long kSurfaceEntity = 128;
// Lines are read as fgets reads them into 256 bytes: a longer line comes in pieces of 255.
constexpr int kLineRoom = 256;
// Only columns 1 to 64 hold parameter data; column 73 holds the section letter.
constexpr std::size_t kDataColumns = 64;
constexpr std::size_t kSectionIndex = 72;
// The least text a control point takes: "0,0,0,".
constexpr std::int64_t kLeastPointBytes = 6;

// A real, and for a "D" exponent (the double-precision form) the value scaled by the power of ten.
// False leaves value as it was. "inf" and "nan" read as what they say, and a number beyond the
// range of a double reads as infinity, so that the caller drops it as unusable.
bool ParseReal(std::string_view text, double* value) {
  const char* first = NumberStart(text);
  if (first == nullptr) return false;
  const char* const last = text.data() + text.size();
  double mantissa = 0;
  const std::from_chars_result read = std::from_chars(first, last, mantissa, std::chars_format::general);
  if (read.ec == std::errc::invalid_argument) return false;
  if (read.ec == std::errc::result_out_of_range) mantissa = HUGE_VAL;
  double number = mantissa;
  if (read.ptr != last && (*read.ptr == 'D' || *read.ptr == 'd')) {
    const char* exponentStart = NumberStart({read.ptr + 1, static_cast<std::size_t>(last - read.ptr - 1)});
    int exponent = 0;
    if (exponentStart == nullptr || std::from_chars(exponentStart, last, exponent).ec != std::errc()) return false;
    number *= IntPow(10, exponent);
  }
  *value = number;
  return true;
}

// The file line by line, and the parameter tokens of its data columns.
class IgesLines {
 public:
  explicit IgesLines(std::FILE* file) : file_(file), size_(FileSizeOf(file)) {}

  // Reads the next line; false at the end of the file.
  bool Next() {
    if (std::fgets(line_, kLineRoom, file_) == nullptr) return false;
    length_ = std::strlen(line_);
    if (length_ > 0 && line_[length_ - 1] == '\n') --length_;
    if (length_ > 0 && line_[length_ - 1] == '\r') --length_;
    data_ = length_ < kDataColumns ? length_ : kDataColumns;
    position_ = 0;
    return true;
  }

  // The section letter of the line in upper case; 0 for a line too short to have one.
  char Section() const {
    if (length_ <= kSectionIndex) return 0;
    const char letter = line_[kSectionIndex];
    return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
  }

  // The text up to the next ',' of the data columns, reading on into the next lines while the
  // current one has none. The last parameter of a record ends at its ';', and no other follows
  // until SkipRecord, so that a short record never takes the next one's. False then, and at the
  // end of the file.
  bool NextToken(std::string_view* token) {
    for (;;) {
      if (recordEnded_) return false;
      const std::string_view rest(line_ + position_, data_ - position_);
      const std::size_t end = rest.find_first_of(",;");
      if (end != std::string_view::npos) {
        *token = rest.substr(0, end);
        recordEnded_ = rest[end] == ';';
        position_ += recordEnded_ ? end : end + 1;
        return true;
      }
      if (!Next()) return false;
    }
  }

  bool SkipTokens(std::int64_t count) {
    std::string_view token;
    for (std::int64_t i = 0; i < count; ++i) {
      if (!NextToken(&token)) return false;
    }
    return true;
  }

  // Moves past the record delimiter ';'; false at the end of the file.
  bool SkipRecord() {
    recordEnded_ = false;
    for (;;) {
      if (const void* end = std::memchr(line_ + position_, ';', data_ - position_)) {
        position_ = static_cast<std::size_t>(static_cast<const char*>(end) - line_) + 1;
        return true;
      }
      if (!Next()) return false;
    }
  }

  // The bytes still to come: the rest of the data columns and the file after this line.
  std::int64_t BytesLeft() const {
    const long here = std::ftell(file_);
    const std::int64_t after = size_ >= 0 && here >= 0 && here <= size_ ? size_ - here : 0;
    return after + static_cast<std::int64_t>(data_ - position_);
  }

 private:
  std::FILE* file_;
  std::int64_t size_;
  char line_[kLineRoom] = {};
  std::size_t length_ = 0;
  std::size_t data_ = 0;
  std::size_t position_ = 0;
  bool recordEnded_ = false;
};

const Vector3* Row(const SurfaceNet& net, int i) {
  return net.points.data() + static_cast<std::ptrdiff_t>(i) * net.columns;
}

bool RowsEqual(const Vector3* a, const Vector3* b, int count) {
  for (int k = 0; k < count; ++k) {
    if (!VectorsEqual(a[k], b[k])) return false;
  }
  return true;
}

// (wa a + wb b) / divisor, point by point, in float.
std::vector<Vector3> CombineRows(const Vector3* a, float wa, const Vector3* b, float wb, float divisor, int count) {
  std::vector<Vector3> row(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    row[static_cast<std::size_t>(k)] = {(wa * a[k].x + wb * b[k].x) / divisor, (wa * a[k].y + wb * b[k].y) / divisor,
                                        (wa * a[k].z + wb * b[k].z) / divisor};
  }
  return row;
}

// Turns the rows of a clamped bicubic net into the rows of our uniform net: closed when its end
// rows meet (the seam rows then give way to the one row they were clamped from) or when it
// repeats its first three rows at its end; otherwise open, the rows that only clamp an end
// dropped. Returns whether the direction is closed.
bool ConvertRows(SurfaceNet& net) {
  const int R = net.rows;
  const int n = net.columns;
  std::vector<Vector3> out;
  const auto keep = [&](const Vector3* row) { out.insert(out.end(), row, row + n); };
  bool closed = true;
  if (RowsEqual(Row(net, 0), Row(net, R - 1), n)) {
    std::vector<Vector3> seam;
    if (R > 4) {
      seam = CombineRows(Row(net, 1), 3, Row(net, 2), -1, 2, n);
      const std::vector<Vector3> back = CombineRows(Row(net, R - 2), 3, Row(net, R - 3), -1, 2, n);
      if (!RowsEqual(seam.data(), back.data(), n)) seam.clear();
    }
    if (!seam.empty()) {
      keep(seam.data());
      for (int i = 2; i <= R - 3; ++i) keep(Row(net, i));
    } else {
      for (int i = 0; i <= R - 2; ++i) keep(Row(net, i));
    }
  } else if (R > 5 && RowsEqual(Row(net, R - 3), Row(net, 0), n) && RowsEqual(Row(net, R - 2), Row(net, 1), n) &&
             RowsEqual(Row(net, R - 1), Row(net, 2), n)) {
    for (int i = 1; i <= R - 3; ++i) keep(Row(net, i));
  } else {
    closed = false;
    // A clamped cubic over Q0, (2 Q0 + Q1) / 3, Q1, ... is our phantom-ended one over Q0, Q1, ...
    bool dropFirst = false;
    bool dropLast = false;
    if (R >= 4) {
      dropFirst = RowsEqual(Row(net, 1), CombineRows(Row(net, 0), 2, Row(net, 2), 1, 3, n).data(), n);
      dropLast = RowsEqual(Row(net, R - 2), CombineRows(Row(net, R - 1), 2, Row(net, R - 3), 1, 3, n).data(), n);
    }
    for (int i = 0; i < R; ++i) {
      if ((i == 1 && dropFirst) || (i == R - 2 && dropLast)) continue;
      keep(Row(net, i));
    }
  }
  net.points = std::move(out);
  net.rows = n > 0 ? static_cast<int>(net.points.size() / static_cast<std::size_t>(n)) : 0;
  return closed;
}

void Transpose(SurfaceNet& net) {
  std::vector<Vector3> turned(net.points.size());
  for (int i = 0; i < net.rows; ++i) {
    for (int j = 0; j < net.columns; ++j)
      turned[static_cast<std::size_t>(j) * net.rows + i] = net.points[static_cast<std::size_t>(i) * net.columns + j];
  }
  net.points = std::move(turned);
  std::swap(net.rows, net.columns);
}

// Reads count reals into values; false at the end of the record or the file, or at a value that
// is not finite. A malformed number leaves the value read before.
bool ReadReals(IgesLines& lines, std::int64_t count, std::vector<double>* values) {
  std::string_view token;
  double value = 0;
  values->resize(static_cast<std::size_t>(count));
  for (double& v : *values) {
    if (!lines.NextToken(&token)) return false;
    ParseReal(token, &value);
    if (!std::isfinite(value)) return false;
    v = value;
  }
  return true;
}

// Reads one entity 128 from its second parameter on. False when the entity was damaged or cut off.
bool ReadSurfaceEntity(IgesLines& lines, RationalBSplineSurface* surface) {
  std::string_view token;
  long counts[4] = {};  // K1, K2 (upper indices), M1, M2 (degrees)
  for (long& count : counts) {
    if (!lines.NextToken(&token)) return false;
    ReadIntPrefix(token, &count);
  }
  // PROP1 to PROP5: closure is found from the surface itself.
  if (!lines.SkipTokens(5)) return false;
  const auto [k1, k2, m1, m2] = counts;
  // Every value takes some bytes of the file, so the counts cannot ask for more than the rest of
  // the file holds: a hostile count never becomes a huge allocation.
  const std::int64_t left = lines.BytesLeft();
  if (k1 < 1 || k2 < 1 || m1 < 0 || m2 < 0 || m1 > left || m2 > left) return false;
  const std::int64_t rows = std::int64_t{k1} + 1;
  const std::int64_t columns = std::int64_t{k2} + 1;
  if (rows > left / kLeastPointBytes || columns > left / kLeastPointBytes / rows || rows * columns > INT_MAX / 3)
    return false;
  surface->countU = static_cast<int>(rows);
  surface->countV = static_cast<int>(columns);
  surface->degreeU = static_cast<int>(m1);
  surface->degreeV = static_cast<int>(m2);
  std::vector<double> coordinates;
  if (!ReadReals(lines, rows + m1 + 1, &surface->knotsU) || !ReadReals(lines, columns + m2 + 1, &surface->knotsV) ||
      !ReadReals(lines, rows * columns, &surface->weights) || !ReadReals(lines, 3 * rows * columns, &coordinates)) {
    return false;
  }
  // The first index runs fastest, as the surface keeps them.
  surface->points.resize(static_cast<std::size_t>(rows * columns));
  for (std::size_t k = 0; k < surface->points.size(); ++k) {
    surface->points[k] = {coordinates[3 * k], coordinates[3 * k + 1], coordinates[3 * k + 2]};
  }
  // The range; without it, or with a broken one, the whole of the knots.
  std::vector<double> range;
  if (ReadReals(lines, 4, &range)) {
    surface->u0 = range[0];
    surface->u1 = range[1];
    surface->v0 = range[2];
    surface->v1 = range[3];
  } else {
    surface->u0 = surface->u1 = surface->v0 = surface->v1 = std::nan("");
  }
  return surface->MakeUsable();
}

// The control points taken as a clamped uniform bicubic net, tested for closure each way and
// given our phantom or wrapped ends: exactly the file's surface when it is one, as our own
// export writes it.
SurfaceNet ClampedCubicNet(const RationalBSplineSurface& surface) {
  SurfaceNet net;
  net.rows = surface.countU;
  net.columns = surface.countV;
  net.points.resize(surface.points.size());
  for (int j = 0; j < net.columns; ++j) {
    for (int k = 0; k < net.rows; ++k) {
      const Point3d p = surface.points[static_cast<std::size_t>(j) * net.rows + k];
      net.points[static_cast<std::size_t>(k) * net.columns + j] = {static_cast<float>(p.x), static_cast<float>(p.y),
                                                                   static_cast<float>(p.z)};
    }
  }
  net.closedU = ConvertRows(net);
  Transpose(net);
  net.closedV = ConvertRows(net);
  Transpose(net);
  return net;
}

bool NetUsable(const SurfaceNet& net) {
  return net.rows >= 2 && net.columns >= 2 && std::isfinite(net.deviation) &&
         std::all_of(net.points.begin(), net.points.end(), IsFiniteVector);
}

// Our net for the file's surface: its own control points when they already are our net, else a
// net fitted to it. False when neither gives a usable net.
bool MakeNet(const RationalBSplineSurface& surface, SurfaceNet* net) {
  *net = ClampedCubicNet(surface);
  // Rows that met at a seam can leave a single row, which makes no surface.
  if (net->rows >= 2 && net->columns >= 2) net->deviation = NetDeviation(*net, surface);
  if (NetUsable(*net) && net->deviation <= kImportTolerance) return true;
  SurfaceNet fitted = FitSurfaceNet(surface);
  if (NetUsable(fitted) && (!NetUsable(*net) || fitted.deviation < net->deviation)) *net = std::move(fitted);
  return NetUsable(*net);
}

// Reads one entity 128 from its second parameter on and adds its surface, facing out as a
// surface made here would. False when the entity was damaged, cut off or gives no surface.
bool ReadSurface(IgesLines& lines, ImportResult* result) {
  RationalBSplineSurface exact;
  SurfaceNet net;
  if (!ReadSurfaceEntity(lines, &exact) || !MakeNet(exact, &net)) return false;
  auto surface = std::make_unique<CSurfaceObject>();
  surface->SetGrid(net.rows, net.columns, std::move(net.points));
  surface->closedU = net.closedU ? 1 : 0;
  surface->closedV = net.closedV ? 1 : 0;
  ApplyOrientationRule(*surface);
  AddObject(surface, 1);
  // Without an active view the surface stays here and goes.
  if (surface != nullptr) return true;
  ++result->added;
  result->largestDeviation = std::max(result->largestDeviation, net.deviation);
  return true;
}

}  // namespace

ImportResult IgesImport(const std::string& path) {
  ImportResult result;
  const FileHandle file = OpenFile(path, "r");
  if (file == nullptr) return result;
  result.opened = true;
  IgesLines lines(file.get());
  // Start, global and directory sections in turn; the first line after the start section is
  // taken as the global section's first.
  bool more = lines.Next();
  for (const char section : {'S', 'G', 'D'}) {
    while (more && lines.Section() == section) more = lines.Next();
  }
  while (more && lines.Section() == 'P') {
    std::string_view token;
    if (!lines.NextToken(&token)) {
      result.dropped = true;
      break;
    }
    long type = 0;
    ReadIntPrefix(token, &type);
    if (type == kSurfaceEntity && !ReadSurface(lines, &result)) result.dropped = true;
    if (!lines.SkipRecord()) break;
    more = lines.Next();
  }
  RedrawAllViews();
  return result;
}
