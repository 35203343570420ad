#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "kernel/vector3.h"

class OutputFile;

// Our DXF files hold an entities section and nothing else.
inline constexpr std::string_view kDxfEntitiesBegin = "0\nSECTION\n2\nENTITIES\n";
inline constexpr std::string_view kDxfEntitiesEnd = "0\nENDSEC\n0\nEOF\n";

// One 3DFACE entity on a layer with its four corners, each written as the group codes 10+k,
// 20+k and 30+k with "%8.3f" values. Every DXF face uses this layout.
void WriteDxfFace(OutputFile& out, int layer, const Vector3 (&corners)[4]);

// A polyface mesh: the header with its counts, then every vertex, then every face as three
// 1-based vertex numbers, then the end of the sequence. Vertices take the corner layout above.
void WriteDxfPolyfaceHeader(OutputFile& out, int layer, std::int64_t vertices, std::int64_t faces);
void WriteDxfPolyfaceVertex(OutputFile& out, int layer, Vector3 point);
void WriteDxfPolyfaceFace(OutputFile& out, int layer, int a, int b, int c);
void WriteDxfSequenceEnd(OutputFile& out, int layer);

// A 3D polyline through the points, with "%g" values; closed polylines carry flag 9.
void WriteDxfCurve(OutputFile& out, int layer, std::span<const Vector3> points, bool closed);
