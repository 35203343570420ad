#pragma once

// A ring at 800 x 600, seen along its axis: a band minus 60 seats with 60 round gems in them, as
// triangle lists. The picture benchmarks render the same ring as a design, so their time splits
// into the engine's part and the shading's part.

#include <numbers>

#include "engine_scenes.h"

inline constexpr int kRingWidth = 800;
inline constexpr int kRingHeight = 600;
inline constexpr int kRingSeats = 60;

// An annulus-shaped band: a closed ring of `segments` blocks around the centre, its front face
// rounded across the band.
inline TriangleList RingBand(int segments, int across) {
  const float cx = 400, cy = 300, inner = 200, outer = 290, back = 0, front = 60, bulge = 20;
  const auto point = [&](int k, int i, bool isFront) {
    const double a = 2 * std::numbers::pi * k / segments;
    const float r = inner + (outer - inner) * i / across;
    const float t = static_cast<float>(i) / across * 2 - 1;
    return Vector3{static_cast<float>(cx + r * std::cos(a)), static_cast<float>(cy + r * std::sin(a)),
                   isFront ? front + bulge * (1 - t * t) : back};
  };
  TriangleList out;
  AddSlabCells(&out, segments, across, point, true);
  for (int k = 0; k < segments; ++k) {
    // Inner and outer walls.
    for (const int i : {0, across}) {
      const Vector3 a = point(k, i, true), b = point(k + 1, i, true), c = point(k + 1, i, false), d = point(k, i, false);
      if (i == 0) {
        out.push_back({a, c, b});
        out.push_back({a, d, c});
      } else {
        out.push_back({a, b, c});
        out.push_back({a, c, d});
      }
    }
  }
  return out;
}

// The ring's tree in shading mode 2: union of (band minus the seats) and the gems.
inline CRenderNode* RingTree(const TriangleList& gemUnit) {
  const float diameter = 34;
  std::vector<CRenderNode*> seats;
  std::vector<CRenderNode*> gems;
  for (int k = 0; k < kRingSeats; ++k) {
    const double a = 2 * std::numbers::pi * k / kRingSeats;
    const Vector3 centre{static_cast<float>(400 + 245 * std::cos(a)), static_cast<float>(300 + 245 * std::sin(a)), 78};
    seats.push_back(SeatNode(gemUnit, centre, diameter, -5, nullptr, nullptr));
    gems.push_back(PolygonNode(Placed(gemUnit, centre, diameter)));
  }
  CRenderNode* band = PolygonNode(RingBand(720, 12));
  CRenderNode* cut = Group(CRenderNode::kSubtraction, {band, GroupOf(CRenderNode::kUnion, seats)});
  return Group(CRenderNode::kUnion, {cut, GroupOf(CRenderNode::kUnion, gems)});
}
