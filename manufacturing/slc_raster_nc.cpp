#include "manufacturing/slc_raster_nc.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/number_format.h"
#include "exchange/output_file.h"
#include "manufacturing/slc_reader.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

// Longer header texts are not slice files.
constexpr std::size_t kMaxHeaderText = 65536;
// Each row array costs 24 bytes a row, and three are held at once.
constexpr double kMaxRows = 1048576.0;
// Every layer walks every row three times: more layer rows than this would take minutes.
constexpr double kMaxLayerRows = 134217728.0;
// The outline is drawn 0.04 mm inside the hatch's ends.
constexpr double kOutlineMillimetres = 0.04;
// Linking looks this many rows ahead for a stroke within this many raster units.
constexpr int kLinkRows = 5;
constexpr float kLinkDistance = 5.0f;

struct Settings {
  float thickness = 0.0f;
  int period = 1;
  double scale = 1.0;
};

Settings& Stored() {
  static Settings settings;
  return settings;
}

// One ring in raster units, (row coordinate, position along the row) in the current orientation.
using SlcNcRing = std::vector<std::pair<float, float>>;

struct SlcNcInterval {
  float start, end;
  int startChain, endChain;
};
using RowIntervals = std::vector<std::vector<SlcNcInterval>>;

struct SlcNcCrossing {
  float position;
  float slope;
  int chain;
};

struct RasterLayer {
  float z = 0.0f;
  std::vector<SlcNcRing> rings;
};

// Parses "-extents" and its six numbers from the header text; false when absent or damaged.
bool ParseExtents(const std::string& text, double extents[6]) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::size_t at = lower.find("-extents");
  if (at == std::string::npos) return false;
  const char* p = text.data() + at + 8;
  const char* const end = text.data() + text.size();
  for (int i = 0; i < 6; ++i) {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    if (i > 0) {
      if (p == end || *p != ',') return false;
      ++p;
      while (p < end && (*p == ' ' || *p == '\t')) ++p;
    }
    const auto result = std::from_chars(p, end, extents[i]);
    if (result.ec != std::errc() || !std::isfinite(extents[i])) return false;
    p = result.ptr;
  }
  return true;
}

class RasterWriter {
 public:
  RasterWriter(OutputFile& file, double scale) : file_(file), scale_(scale) {}

  void Line(std::string_view text) {
    file_.Write(text);
    file_.Write("\n");
  }
  void Numbers(std::string_view word, std::initializer_list<int> values) {
    char line[8 + 3 * (1 + kFormattedNumberRoom)];
    char* end = std::copy(word.begin(), word.end(), line);
    for (const int v : values) {
      *end++ = ' ';
      end = FormatInteger(end, v);
    }
    Line(std::string_view(line, static_cast<std::size_t>(end - line)));
  }
  static int Hundredths(double v) {
    return static_cast<int>(std::clamp(std::floor(v * 100.0 + 0.5), -2147483648.0, 2147483647.0));
  }
  int Coordinate(float raster) const { return Hundredths(raster / scale_); }

  // Positioning and cutting moves to (row coordinate, position) of the current orientation.
  void SlcNcMoveTo(float a, float b) {
    if (toolDown) {
      Line("M01");
      toolDown = false;
    }
    const auto [x, y] = Xy(a, b);
    if (newLayer) {
      Numbers("G02", {x, y, Hundredths(z)});
      newLayer = false;
    } else {
      Numbers("G03", {x, y});
    }
  }
  void SlcNcFeedTo(float a, float b) {
    if (!toolDown) {
      Line("M00");
      toolDown = true;
    }
    const auto [x, y] = Xy(a, b);
    Numbers("G01", {x, y});
  }

  bool toolDown = false;
  bool swapped = false;
  bool newLayer = false;
  float z = 0.0f;

 private:
  std::pair<int, int> Xy(float a, float b) const {
    return swapped ? std::pair{Coordinate(b), Coordinate(a)} : std::pair{Coordinate(a), Coordinate(b)};
  }

  OutputFile& file_;
  double scale_;
};

// Scan conversion: the intervals of every row 0..rows-1 inside the rings.
RowIntervals Intervals(const std::vector<SlcNcRing>& rings, int rows) {
  std::vector<std::vector<SlcNcCrossing>> crossings(static_cast<std::size_t>(rows) + 1);
  int chain = 0;
  for (const SlcNcRing& ring : rings) {
    const std::size_t n = ring.size();
    if (n < 2) continue;
    int direction = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const auto [a0, b0] = ring[i];
      const auto [a1, b1] = ring[(i + 1) % n];
      if (a0 == a1) continue;
      const int d = a1 > a0 ? 1 : -1;
      if (d != direction) ++chain;
      direction = d;
      const float lo = std::min(a0, a1), hi = std::max(a0, a1);
      const double slope = (double(b1) - b0) / (double(a1) - a0);
      // Rows from the lower end up to below the upper one: a joint inside a chain crosses once,
      // a turning point twice or not at all.
      // Clamped before the conversion: a far-off vertex lies beyond int.
      const int first = static_cast<int>(std::clamp(std::ceil(double(lo)), 0.0, double(rows)));
      const int end = static_cast<int>(std::clamp(std::ceil(double(hi)), 0.0, double(rows)));
      for (int r = first; r < end; ++r) {
        const auto position = static_cast<float>(b0 + (r - double(a0)) * slope);
        // Ends beyond the float range give no number; the sort needs an order.
        if (std::isnan(position) || std::isnan(slope)) continue;
        crossings[static_cast<std::size_t>(r)].push_back({position, static_cast<float>(slope), chain});
      }
    }
  }
  RowIntervals rowsOut(static_cast<std::size_t>(rows) + 1);
  for (int r = 0; r < rows; ++r) {
    auto& list = crossings[static_cast<std::size_t>(r)];
    std::sort(list.begin(), list.end(), [](const SlcNcCrossing& p, const SlcNcCrossing& q) {
      return p.position != q.position ? p.position < q.position : p.slope < q.slope;
    });
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
      const float left = std::max(0.0f, list[i].position);
      const float right = std::min(static_cast<float>(rows + 1), list[i + 1].position);
      if (left < right) rowsOut[static_cast<std::size_t>(r)].push_back({left, right, list[i].chain, list[i + 1].chain});
    }
  }
  return rowsOut;
}

// Only the overlapping parts (intersection) or the uncovered parts (difference) of a's intervals.
std::vector<SlcNcInterval> Combine(const std::vector<SlcNcInterval>& a, const std::vector<SlcNcInterval>& b,
                                   bool intersect) {
  std::vector<SlcNcInterval> out;
  for (const SlcNcInterval& i : a) {
    if (intersect) {
      for (const SlcNcInterval& j : b) {
        const float s = std::max(i.start, j.start), e = std::min(i.end, j.end);
        if (s < e) out.push_back({s, e, s == i.start ? i.startChain : j.startChain, e == i.end ? i.endChain : j.endChain});
      }
      continue;
    }
    SlcNcInterval rest = i;
    bool left = true;
    for (const SlcNcInterval& j : b) {
      if (j.end <= rest.start || j.start >= rest.end) continue;
      if (j.start > rest.start) out.push_back({rest.start, j.start, rest.startChain, j.startChain});
      if (j.end >= rest.end) {
        left = false;
        break;
      }
      rest = {j.end, rest.end, j.endChain, rest.endChain};
    }
    if (left) out.push_back(rest);
  }
  return out;
}

// Zigzag strokes: each row's interval continues the path at the end that shares the remembered
// chain, or a nearby end within a few rows; otherwise a new path begins.
void SlcNcLinkRows(RowIntervals& rows, RasterWriter& out) {
  const int count = static_cast<int>(rows.size());
  for (int first = 0; first < count; ++first) {
    while (!rows[static_cast<std::size_t>(first)].empty()) {
      auto& row = rows[static_cast<std::size_t>(first)];
      SlcNcInterval taken = row.front();
      row.erase(row.begin());
      out.SlcNcMoveTo(static_cast<float>(first), taken.start);
      out.SlcNcFeedTo(static_cast<float>(first), taken.end);
      float position = taken.end;
      int chainId = taken.endChain;
      int r = first + 1;
      while (r < count) {
        auto& next = rows[static_cast<std::size_t>(r)];
        auto same = std::find_if(next.begin(), next.end(), [chainId](const SlcNcInterval& i) {
          return i.startChain == chainId || i.endChain == chainId;
        });
        int found = r;
        bool positioned = false;
        if (same == next.end()) {
          for (found = r; found < std::min(count, r + kLinkRows); ++found) {
            auto& look = rows[static_cast<std::size_t>(found)];
            same = std::find_if(look.begin(), look.end(), [position](const SlcNcInterval& i) {
              return std::fabs(i.start - position) <= kLinkDistance || std::fabs(i.end - position) <= kLinkDistance;
            });
            if (same != look.end()) break;
          }
          if (found >= std::min(count, r + kLinkRows)) break;
          positioned = true;
        }
        auto& in = rows[static_cast<std::size_t>(found)];
        const SlcNcInterval i = *same;
        in.erase(same);
        const bool fromStart = positioned ? std::fabs(i.start - position) <= std::fabs(i.end - position)
                                          : i.startChain == chainId;
        const float near = fromStart ? i.start : i.end;
        const float far = fromStart ? i.end : i.start;
        if (positioned) {
          out.SlcNcMoveTo(static_cast<float>(found), near);
        } else {
          out.SlcNcFeedTo(static_cast<float>(found), near);
        }
        out.SlcNcFeedTo(static_cast<float>(found), far);
        position = far;
        chainId = fromStart ? i.endChain : i.startChain;
        r = found + 1;
      }
    }
  }
}

void Outline(const std::vector<SlcNcRing>& rings, RasterWriter& out) {
  for (const SlcNcRing& ring : rings) {
    if (ring.empty()) continue;
    out.SlcNcMoveTo(ring[0].first, ring[0].second);
    for (std::size_t i = 1; i < ring.size(); ++i) out.SlcNcFeedTo(ring[i].first, ring[i].second);
    out.SlcNcFeedTo(ring[0].first, ring[0].second);
  }
}

// The rings along the rows of the current orientation: every other layer runs across.
std::vector<SlcNcRing> Oriented(const RasterLayer& layer, bool swapped) {
  std::vector<SlcNcRing> rings = layer.rings;
  if (swapped) {
    for (SlcNcRing& ring : rings) {
      for (auto& [a, b] : ring) std::swap(a, b);
    }
  }
  return rings;
}

}  // namespace

bool SliceSetup(const std::string& slicePath, const std::string& ncPath, float hatchingInterval, int period,
                float layerThickness) {
  if (!(hatchingInterval > 0.0f) || !std::isfinite(hatchingInterval) || period < 1 || !std::isfinite(layerThickness)) {
    return false;
  }
  Stored() = {layerThickness, period, 1.0 / hatchingInterval};
  WaitCursor wait;
  return SlcToRasterNc(slicePath, ncPath);
}

bool SlcToRasterNc(const std::string& slicePath, const std::string& ncPath) {
  const Settings settings = Stored();
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> slices(std::fopen(slicePath.c_str(), "rb"), &std::fclose);
  if (slices == nullptr) return false;
  SlcReader reader(slices.get());
  std::string header;
  float tableThickness = 0.0f;
  double e[6];
  if (!reader.ReadHeaderText(&header) || header.size() > kMaxHeaderText || !ParseExtents(header, e) ||
      !reader.ReadSamplingTable(&tableThickness)) {
    return false;
  }
  const double s = settings.scale;
  const double rowsNeeded = std::ceil(std::max(e[1] - e[0], e[3] - e[2]) * s) + 1.0;
  if (!(rowsNeeded >= 1.0 && rowsNeeded <= kMaxRows)) return false;
  const int rows = static_cast<int>(rowsNeeded);
  const float offset = static_cast<float>(kOutlineMillimetres * s);

  // Every layer is read and checked before anything is written.
  std::vector<RasterLayer> layers;
  for (;;) {
    SlcLayer layer;
    const SlcReader::Record record = reader.ReadLayer(&layer);
    if (record == SlcReader::Record::kBroken) return false;
    if (record == SlcReader::Record::kTerminator) break;
    RasterLayer raster{layer.z, {}};
    for (const auto& boundary : layer.boundaries) {
      SlcNcRing ring;
      for (const SlcPoint& p : boundary) {
        ring.emplace_back(static_cast<float>((p.x - e[0]) * s), static_cast<float>((p.y - e[2]) * s));
      }
      raster.rings.push_back(std::move(ring));
    }
    layers.push_back(std::move(raster));
  }

  if (static_cast<double>(layers.size()) * rows > kMaxLayerRows) return false;
  OutputFile file;
  if (!file.Open(ncPath)) {
    ShowFileMessage(kCannotWriteMessage, ncPath);
    return false;
  }
  RasterWriter out(file, s);
  out.Numbers("BOX", {static_cast<int>(std::ceil((e[1] - e[0]) * 100)), static_cast<int>(std::ceil((e[3] - e[2]) * 100)),
                      static_cast<int>(std::ceil((e[5] - e[4]) * 100))});
  out.Numbers("HSL", {static_cast<int>(std::floor(settings.thickness * 1000.0 + 0.5))});
  const std::size_t count = layers.size();
  for (std::size_t index = 0; index < count; ++index) {
    const int number = static_cast<int>(index) + 1;
    const std::vector<SlcNcRing> rings = Oriented(layers[index], out.swapped);
    out.newLayer = true;
    out.z = layers[index].z;
    RowIntervals hatch = Intervals(rings, rows);
    const bool last = index + 1 == count;
    if (!last && number % settings.period != 0) {
      Outline(rings, out);
      const RowIntervals above = Intervals(Oriented(layers[index + 1], out.swapped), rows);
      const RowIntervals below = index > 0 ? Intervals(Oriented(layers[index - 1], out.swapped), rows) : RowIntervals();
      for (int r = 0; r < rows; ++r) {
        auto& intervals = hatch[static_cast<std::size_t>(r)];
        std::vector<SlcNcInterval> shortened;
        for (SlcNcInterval i : intervals) {
          i.start += offset;
          i.end -= offset;
          if (i.end - i.start >= 1.0f) shortened.push_back(i);
        }
        if (index > 0) {
          const auto covered = Combine(below[static_cast<std::size_t>(r)], above[static_cast<std::size_t>(r)], true);
          shortened = Combine(shortened, covered, false);
        }
        intervals.clear();
        for (const SlcNcInterval& i : shortened) {
          if (i.end - i.start >= 1.0f) intervals.push_back(i);
        }
      }
    }
    SlcNcLinkRows(hatch, out);
    out.swapped = !out.swapped;
  }
  if (out.toolDown) out.Line("M01");
  out.Line("EON");
  if (file.Commit()) return true;
  ShowFileMessage(kCannotWriteMessage, ncPath);
  return false;
}
