#include "kernel/block_solid.h"

#include <algorithm>
#include <cstddef>
#include <map>

#include "kernel/block_object.h"
#include "kernel/bspline_curve.h"
#include "kernel/frame_point_budget.h"
#include "kernel/outline_rings.h"
#include "kernel/point_key.h"
#include "kernel/polygon_triangulation.h"

namespace {

using Station = CBlockObject::PieceRow;

// Steps per span across a round end piece: those its surface is shaded with.
constexpr int kEndPieceSteps = 8;

void AddStation(std::vector<Station>* stations, Station station) {
  if (stations->empty() || stations->back().t != station.t || stations->back().depth != station.depth) {
    stations->push_back(station);
  }
}

// The rings a piece runs through from its first row to its last, both exactly, so that the piece
// meets its neighbours: a two-row piece is straight, a five-row one sampled as its B-spline.
void AddPieceStations(std::vector<Station>* stations, const std::vector<Station>& rows) {
  if (rows.empty()) return;
  AddStation(stations, rows.front());
  if (rows.size() > 2) {
    std::vector<Vector3> polygon;
    for (const Station& row : rows) polygon.push_back({row.t, row.depth, 0.0f});
    const std::vector<Vector3> extended = ExtendCurveEnds(static_cast<int>(polygon.size()), polygon.data(), 0, 0, 0);
    const std::vector<Vector3> curve =
        EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), kEndPieceSteps);
    for (std::size_t i = 1; i + 1 < curve.size(); ++i) AddStation(stations, {curve[i].x, curve[i].y});
  }
  AddStation(stations, rows.back());
}

// The closed curve of a profile's points at its steps, taking at most limit points unless the
// points themselves are more; without the repeated closing point; steps 0 give the points
// themselves.
std::vector<Vector3> OutlineRing(const std::vector<Vector3>& points, int steps, std::int64_t limit) {
  const std::vector<Vector3> polygon = ExtendCurveEnds(static_cast<int>(points.size()), points.data(), 0, 0, 1);
  const int size = static_cast<int>(polygon.size());
  std::vector<Vector3> ring = EvaluateCurvePoints(polygon.data(), size, DrawnSteps(std::max(steps, 0), size, limit));
  if (!ring.empty()) ring.pop_back();
  return ring;
}

// One profile's outline and its wall outline (the outline moved by the radius), point for point.
struct ProfileRings {
  std::vector<Vector3> outline;
  std::vector<Vector3> wall;
};

}  // namespace

BlockSolid TessellateBlock(const CBlockObject& block) {
  BlockSolid solid;
  if (!block.AxesFit() || !block.ProfilesFitPoints()) return solid;
  const CBlockObject::Pieces pieces = block.PieceRows();
  std::vector<Station> stations;
  AddStation(&stations, pieces.backOutline);
  for (const std::vector<Station>* rows : {&pieces.back, &pieces.wall, &pieces.front}) AddPieceStations(&stations, *rows);
  AddStation(&stations, pieces.frontOutline);

  // Every profile's rings, all together within about `limit` outline points whatever steps a file
  // stores, each profile an equal share; only the tessellation uses the lower steps, the block
  // keeps its own.
  const auto profileRings = [&block](std::int64_t limit) {
    std::vector<ProfileRings> profiles;
    const std::int64_t share = std::max<std::int64_t>(limit / std::max(block.ProfileCount(), 1), 1);
    std::size_t offset = 0;
    for (int profile = 0; profile < block.ProfileCount(); ++profile) {
      const auto n = static_cast<std::size_t>(block.profileSizes[static_cast<std::size_t>(profile)]);
      const std::vector<Vector3> points(block.profilePoints.begin() + static_cast<std::ptrdiff_t>(offset),
                                        block.profilePoints.begin() + static_cast<std::ptrdiff_t>(offset + n));
      offset += n;
      if (n < 3) continue;
      const int steps = block.profileSteps[static_cast<std::size_t>(profile)];
      ProfileRings rings{OutlineRing(points, steps, share), OutlineRing(block.WallProfile(points), steps, share)};
      if (rings.outline.size() >= 3 && rings.wall.size() == rings.outline.size()) profiles.push_back(std::move(rings));
    }
    return profiles;
  };
  std::vector<ProfileRings> profiles = profileRings(kMaxTriangulatedPoints);
  // A drawn frame takes a ring per station and one per end face; what its budget cannot hold
  // lowers the steps of the outlines for this tessellation alone.
  std::int64_t ringPoints = 0;
  for (const ProfileRings& rings : profiles) ringPoints += static_cast<std::int64_t>(rings.outline.size());
  const std::int64_t wanted = ringPoints * (static_cast<std::int64_t>(stations.size()) + 2);
  const std::int64_t granted = TakeFramePoints(wanted);
  if (granted < wanted) profiles = profileRings(ringPoints * granted / wanted);
  if (profiles.empty()) return solid;

  const float g = block.DepthSign();
  const auto ringAt = [&](const ProfileRings& rings, Station station) {
    std::vector<Vector3> ring(rings.outline.size());
    for (std::size_t k = 0; k < ring.size(); ++k) {
      const Vector3 p = rings.outline[k], e = rings.wall[k];
      ring[k] = station.t == 0.0f ? p : station.t == 1.0f ? e : VecAdd(p, VecScale(VecSub(e, p), station.t));
      (block.depthAxis == 0 ? ring[k].x : block.depthAxis == 1 ? ring[k].y : ring[k].z) = station.depth * g;
    }
    return ring;
  };

  // Holes turn against the ring around them, so that their walls face into the hole, whichever
  // way they were drawn; which way the outermost rings turn is settled at the end.
  Vector3 along{0.0f, 0.0f, 0.0f};
  (block.depthAxis == 0 ? along.x : block.depthAxis == 1 ? along.y : along.z) = g;
  {
    std::vector<std::vector<Vector3>> backs;
    for (const ProfileRings& rings : profiles) backs.push_back(ringAt(rings, stations.front()));
    bool outerTurn = false;
    const std::vector<bool> flipped = OrientNestedRings(backs, along, &outerTurn);
    for (std::size_t p = 0; p < profiles.size(); ++p) {
      if (!flipped[p]) continue;
      std::reverse(profiles[p].outline.begin(), profiles[p].outline.end());
      std::reverse(profiles[p].wall.begin(), profiles[p].wall.end());
    }
  }

  const auto addTriangle = [&](std::int32_t a, std::int32_t b, std::int32_t c) {
    solid.faceIndices.insert(solid.faceIndices.end(), {a, b, c});
    solid.faceSizes.push_back(3);
  };
  // Per profile its rings from the back to the front; quads between neighbouring rings.
  std::vector<std::int32_t> firsts;
  const auto stationCount = static_cast<std::int32_t>(stations.size());
  for (const ProfileRings& rings : profiles) {
    const auto first = static_cast<std::int32_t>(solid.points.size());
    const auto m = static_cast<std::int32_t>(rings.outline.size());
    firsts.push_back(first);
    for (const Station& station : stations) {
      const std::vector<Vector3> ring = ringAt(rings, station);
      solid.points.insert(solid.points.end(), ring.begin(), ring.end());
    }
    for (std::int32_t j = 0; j + 1 < stationCount; ++j) {
      for (std::int32_t k = 0; k < m; ++k) {
        const std::int32_t a = first + j * m + k, b = first + j * m + (k + 1) % m;
        addTriangle(a, b, b + m);
        addTriangle(a, b + m, a + m);
      }
    }
  }
  // The end faces: the first and the last ring of every profile, holes and all, triangulated
  // from exactly those points; the back one faces against the rings' turn, the front one with it.
  // They take copies of the points, so that smooth shading keeps the edge between face and wall.
  for (const std::int32_t station : {std::int32_t{0}, stationCount - 1}) {
    std::vector<std::vector<Vector3>> rings;
    std::map<PointKey, std::int32_t> indexOf;
    for (std::size_t p = 0; p < profiles.size(); ++p) {
      const auto m = static_cast<std::int32_t>(profiles[p].outline.size());
      const auto start = static_cast<std::ptrdiff_t>(firsts[p] + station * m);
      rings.emplace_back(solid.points.begin() + start, solid.points.begin() + start + m);
      for (const Vector3& point : rings.back()) {
        if (indexOf.try_emplace(KeyOf(point), static_cast<std::int32_t>(solid.points.size())).second) {
          solid.points.push_back(point);
        }
      }
    }
    const std::vector<Vector3> corners = TriangulateOutlines(std::move(rings), along);
    for (std::size_t c = 0; c + 2 < corners.size(); c += 3) {
      const std::int32_t a = indexOf[KeyOf(corners[c])], b = indexOf[KeyOf(corners[c + 1])],
                         d = indexOf[KeyOf(corners[c + 2])];
      if (station == 0) {
        addTriangle(a, d, b);
      } else {
        addTriangle(a, b, d);
      }
    }
  }

  // Placed, and turned inside out when it encloses a negative volume: outermost rings drawn
  // clockwise, a mirroring placement or a negative thickness.
  double volume = 0.0;
  for (Vector3& p : solid.points) p = TransformPoint(p, block.placement);
  for (std::size_t f = 0; f < solid.faceIndices.size(); f += 3) {
    const Vector3 a = solid.points[static_cast<std::size_t>(solid.faceIndices[f])];
    const Vector3 b = solid.points[static_cast<std::size_t>(solid.faceIndices[f + 1])];
    const Vector3 c = solid.points[static_cast<std::size_t>(solid.faceIndices[f + 2])];
    volume += static_cast<double>(VecDot(a, VecCross(b, c)));
  }
  if (volume < 0.0) {
    for (std::size_t f = 0; f < solid.faceIndices.size(); f += 3) std::swap(solid.faceIndices[f + 1], solid.faceIndices[f + 2]);
  }
  return solid;
}
