#include "exchange/iges_writer.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "exchange/number_format.h"
#include "exchange/output_file.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"

namespace {

constexpr int kCurveEntity = 126;
constexpr int kSurfaceEntity = 128;
// Parameter text fills columns 1 to 64; the entity's directory number and the line's own
// sequence number follow in fixed columns.
constexpr int kParameterColumns = 64;
// Sequence numbers have seven columns.
constexpr std::int64_t kMaxSequenceNumber = 9'999'999;

// The date and the author are fixed, so the same scene always gives the same file.
constexpr std::string_view kStartAndGlobal =
    "Lumidrex IGES conversion                                                S      1\n"
    "1H,,1H;,6HDesign,8HFilename,8HLumidrex,4HIGES,16,38,7,38,14,6HDesign,   G      1\n"
    "1.0,2,2HMM,1,,13H911129.130000,0.001,1000.0,6HDZ ORK,6HDZ ORK,5,0;      G      2\n";

// One entity, prepared once for both the directory and the parameter pass.
struct Entity {
  int type = kCurveEntity;
  // A curve's control points as stored, or a surface's clamped grid row by row.
  std::vector<Vector3> points;
  int rows = 0;  // a curve's point count
  int columns = 1;
  int closedU = 0;  // a curve's closed flag
  int closedV = 0;
  int degree = 3;
  std::int64_t lineCount = 0;
};

// "%15.6f,%15.6f,%15.6f," at first; returns the end.
char* PointText(char* first, Vector3 p) {
  for (const float v : {p.x, p.y, p.z}) {
    first = FormatFixed(first, v, 15, 6);
    *first++ = ',';
  }
  return first;
}

constexpr std::size_t kPointTextRoom = 3 * (kFormattedNumberRoom + 1);

// Whether the point's line keeps its columns. "%15.6f" of a value below 1e12 takes at most 20
// of them, so only wider values are formatted to find out.
bool PointFits(Vector3 p) {
  if (!IsFiniteVector(p)) return false;
  if (std::fabs(p.x) < 1e12f && std::fabs(p.y) < 1e12f && std::fabs(p.z) < 1e12f) return true;
  char text[kPointTextRoom];
  return PointText(text, p) - text <= kParameterColumns;
}

bool AllPointsFit(const std::vector<Vector3>& points) {
  for (const Vector3& p : points) {
    if (!PointFits(p)) return false;
  }
  return true;
}

// Turns a line of count >= 4 points, read at first[i * stride], from a uniform cubic polygon
// into the clamped polygon of the same curve: its end points onto the curve's ends, their
// neighbours onto the thirds of the end spans. In float, each from the values before.
void ClampLine(Vector3* first, int count, std::ptrdiff_t stride) {
  const auto at = [&](int i) -> Vector3& { return first[i * stride]; };
  const auto end = [](Vector3 a, Vector3 b, Vector3 c) {
    return Vector3{(a.x + 4 * b.x + c.x) / 6, (a.y + 4 * b.y + c.y) / 6, (a.z + 4 * b.z + c.z) / 6};
  };
  const auto third = [](Vector3 a, Vector3 b) {
    return Vector3{(2 * a.x + b.x) / 3, (2 * a.y + b.y) / 3, (2 * a.z + b.z) / 3};
  };
  const Vector3 p0 = at(0), p1 = at(1), p2 = at(2);
  const Vector3 q0 = at(count - 3), q1 = at(count - 2), q2 = at(count - 1);
  at(0) = end(p0, p1, p2);
  at(1) = third(p1, p2);
  at(count - 1) = end(q0, q1, q2);
  at(count - 2) = third(q1, q0);
}

class EntityCollector {
 public:
  // Walks the list from first: shown and selected curves and surfaces, and Boolean groups
  // through all their members by the same rule.
  void Walk(const CGeomObject* first) {
    for (const CGeomObject* object = first; object != nullptr; object = object->next) {
      if (!IsShownOrSelected(*object)) continue;
      switch (object->GetKind()) {
        case kKindCurve:
          AddCurve(static_cast<const CCurveObject&>(*object));
          break;
        case kKindSurface:
          AddSurface(static_cast<const CSurfaceObject&>(*object));
          break;
        case kKindBoolean:
          Walk(static_cast<const CBooleanObject&>(*object).members.head());
          break;
        default:
          break;
      }
    }
  }

  std::vector<Entity> entities;

 private:
  void AddCurve(const CCurveObject& curve) {
    const int n = curve.PointCount();
    if (n < 2) return;
    Entity entity;
    entity.rows = n;
    entity.closedU = curve.closed != 0 ? 1 : 0;
    entity.degree = entity.closedU != 0 || n > 3 ? 3 : n - 1;
    entity.lineCount = entity.closedU != 0 ? 3 * std::int64_t{n} + 15 : 3 * std::int64_t{n} + entity.degree + 3;
    entity.points = curve.points;
    Keep(std::move(entity));
  }

  void AddSurface(const CSurfaceObject& surface) {
    if (surface.rows < 2 || surface.columns < 2 || !surface.GridFitsPoints()) return;
    Entity entity;
    entity.type = kSurfaceEntity;
    ExtendSurfaceNet(surface.points.data(), surface.rows, surface.columns, surface.startAttributeU,
                     surface.endAttributeU, surface.closedU, surface.startAttributeV,
                     surface.endAttributeV, surface.closedV, &entity.points, &entity.rows,
                     &entity.columns);
    // Ends that stop inside the net can leave a direction with fewer than the four points of
    // one bicubic span; there is no clamped surface to write then.
    const int R = entity.rows;
    const int C = entity.columns;
    if (R < 4 || C < 4) return;
    for (int row = 0; row < R; ++row) ClampLine(&entity.points[static_cast<std::size_t>(row) * C], C, 1);
    for (int column = 0; column < C; ++column) ClampLine(&entity.points[static_cast<std::size_t>(column)], R, C);
    entity.closedU = surface.closedU != 0 ? 1 : 0;
    entity.closedV = surface.closedV != 0 ? 1 : 0;
    entity.lineCount = 2 * std::int64_t{R} * C + R + C + 10;
    Keep(std::move(entity));
  }

  // An entity whose numbers would not keep the fixed columns is left out, as is one that would
  // take the sequence numbers past their seven digits.
  void Keep(Entity entity) {
    if (!AllPointsFit(entity.points)) return;
    if (directoryLines_ + 2 > kMaxSequenceNumber || parameterLines_ + entity.lineCount > kMaxSequenceNumber) return;
    directoryLines_ += 2;
    parameterLines_ += entity.lineCount;
    entities.push_back(std::move(entity));
  }

  std::int64_t directoryLines_ = 0;
  std::int64_t parameterLines_ = 0;
};

// The knots of an open uniform polygon of count points clamped at both ends: degree times 0,
// then 0, 1, ..., count - degree, then degree times count - degree.
template <class Emit>
void ClampedKnots(int count, int degree, Emit emit) {
  for (int i = 0; i < degree; ++i) emit(0);
  for (int k = 0; k <= count - degree; ++k) emit(k);
  for (int i = 0; i < degree; ++i) emit(count - degree);
}

class IgesLines {
 public:
  explicit IgesLines(OutputFile& out) : out_(out) {}

  void DirectoryEntry(const Entity& entity, int parameterPointer) {
    char* at = line_;
    for (const int field : {entity.type, parameterPointer, 0, 1, 0, 0, 0, 0, 0}) at = FormatInteger(at, field, 8);
    EndDirectoryLine(at);
    at = line_;
    for (const int field : {entity.type, 0, 0, static_cast<int>(entity.lineCount), 0}) at = FormatInteger(at, field, 8);
    // Three empty fields, then the subscript.
    std::memset(at, ' ', 24);
    at = FormatInteger(at + 24, 1, 8);
    EndDirectoryLine(at);
  }

  void ParameterLines(const Entity& entity, int directoryNumber) {
    directoryNumber_ = directoryNumber;
    if (entity.type == kCurveEntity) {
      CurveLines(entity);
    } else {
      SurfaceLines(entity);
    }
  }

  void Terminate() {
    char* at = line_;
    at = Put(at, "S      1G      2D");
    at = FormatInteger(at, static_cast<int>(directoryLines_), 7);
    *at++ = 'P';
    at = FormatInteger(at, static_cast<int>(parameterLines_), 7);
    std::memset(at, ' ', 40);
    at = Put(at + 40, "T      1\n");
    out_.Write(line_, static_cast<std::size_t>(at - line_));
  }

 private:
  void CurveLines(const Entity& entity) {
    const int n = entity.rows;
    const int c = entity.closedU;
    const int d = entity.degree;
    IntegerLine({kCurveEntity, n + 3 * c - 1, d, 0, c, 0, c}, ',');
    const auto knot = [this](int value) { FixedLine({static_cast<double>(value)}, 6, 1, ','); };
    if (c != 0) {
      for (int k = -2; k <= n + 2; ++k) {
        knot(k);
        if (k == -2 || k == n + 2) knot(k);
      }
    } else {
      ClampedKnots(n, d, knot);
    }
    // A closed polygon goes on round its start for three more points.
    const int count = n + 3 * c;
    WeightLines(count);
    for (int i = 0; i < count; ++i) PointLine(entity.points[static_cast<std::size_t>(i % n)]);
    FixedLine({0.0, static_cast<double>(n - d + 3 * c), 0.0, 0.0, 1.0}, 6, 1, ';');
  }

  void SurfaceLines(const Entity& entity) {
    const int R = entity.rows;
    const int C = entity.columns;
    IntegerLine({kSurfaceEntity, R - 1, C - 1, 3, 3, entity.closedU, entity.closedV, 0, entity.closedU,
                 entity.closedV},
                ',');
    const auto knot = [this](int value) { FixedLine({static_cast<double>(value)}, 6, 1, ','); };
    ClampedKnots(R, 3, knot);
    ClampedKnots(C, 3, knot);
    WeightLines(std::int64_t{R} * C);
    // The row (U) index runs fastest.
    for (int column = 0; column < C; ++column) {
      for (int row = 0; row < R; ++row)
        PointLine(entity.points[static_cast<std::size_t>(row) * static_cast<std::size_t>(C) +
                                static_cast<std::size_t>(column)]);
    }
    FixedLine({0.0, static_cast<double>(R - 3), 0.0, static_cast<double>(C - 3)}, 6, 1, ';');
  }

  static char* Put(char* at, std::string_view text) {
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
  }

  // "%d," for each value, the last delimiter replaced by last.
  void IntegerLine(std::initializer_list<int> values, char last) {
    char* at = line_;
    for (const int value : values) {
      at = FormatInteger(at, value);
      *at++ = ',';
    }
    at[-1] = last;
    EndParameterLine(at);
  }

  void FixedLine(std::initializer_list<double> values, int width, int decimals, char last) {
    char* at = line_;
    for (const double value : values) {
      at = FormatFixed(at, value, width, decimals);
      *at++ = ',';
    }
    at[-1] = last;
    EndParameterLine(at);
  }

  void WeightLines(std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) EndParameterLine(Put(line_, "       1.000000,"));
  }

  void PointLine(Vector3 p) { EndParameterLine(PointText(line_, p)); }

  // Pads the text from line_ to end to 64 columns, then adds the entity's directory number,
  // "P" and the line's sequence number.
  void EndParameterLine(char* end) {
    const auto length = end - line_;
    if (length < kParameterColumns) {
      std::memset(end, ' ', static_cast<std::size_t>(kParameterColumns - length));
      end = line_ + kParameterColumns;
    }
    end = FormatInteger(end, directoryNumber_, 8);
    *end++ = 'P';
    end = FormatInteger(end, static_cast<int>(++parameterLines_), 7);
    *end++ = '\n';
    out_.Write(line_, static_cast<std::size_t>(end - line_));
  }

  void EndDirectoryLine(char* end) {
    *end++ = 'D';
    end = FormatInteger(end, static_cast<int>(++directoryLines_), 7);
    *end++ = '\n';
    out_.Write(line_, static_cast<std::size_t>(end - line_));
  }

  OutputFile& out_;
  // Room for the widest line: 64 columns of text (a point line may reach them with three of the
  // widest numbers), the two numbers and the end.
  char line_[kPointTextRoom + 32];
  int directoryNumber_ = 0;
  std::int64_t directoryLines_ = 0;
  std::int64_t parameterLines_ = 0;
};

}  // namespace

bool IgesWriter(const CGeomObject* first, const std::string& path) {
  OutputFile out;
  if (!out.Open(path)) return false;
  out.Write(kStartAndGlobal);
  EntityCollector collector;
  collector.Walk(first);
  IgesLines lines(out);
  // The collector kept every count within the seven-digit sequence numbers.
  int parameterPointer = 1;
  for (const Entity& entity : collector.entities) {
    lines.DirectoryEntry(entity, parameterPointer);
    parameterPointer += static_cast<int>(entity.lineCount);
  }
  // Entities are numbered by the sequence number of their first directory line.
  int directoryNumber = 1;
  for (const Entity& entity : collector.entities) {
    lines.ParameterLines(entity, directoryNumber);
    directoryNumber += 2;
  }
  lines.Terminate();
  return out.Commit();
}
