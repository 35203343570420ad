// The benchmark ring two ways, for a comparison with POV-Ray run by hand (compare_with_povray.sh):
//   ring_picture pov FILE          writes the ring as a POV-Ray scene;
//   ring_picture bmp SAMPLES FILE  renders it as Render to File does, at 800 x 600.
// The scene has the triangles the tree builder makes (the band at its output steps), each object
// a mesh2 with an inside vector, the band minus the union of the seats, the gems in a union, an
// orthographic camera over what the view shows and one light.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/surface_tessellation.h"
#include "render/picture_render.h"
#include "ring_design.h"

namespace {

struct TriangleMesh {
  std::vector<Vector3> points;
  std::vector<int> triangles;  // three point indices each
};

TriangleMesh SurfaceTriangles(const CSurfaceObject& surface) {
  std::vector<Vector3> net;
  int nu = 0, nv = 0;
  ExtendSurfaceNet(surface.points.data(), surface.rows, surface.columns, surface.startAttributeU,
                   surface.endAttributeU, surface.closedU, surface.startAttributeV, surface.endAttributeV,
                   surface.closedV, &net, &nu, &nv);
  TriangleMesh mesh;
  int rows = 0, columns = 0;
  TessellateSurface(kBSplineBasis, net.data(), nu, nv, &mesh.points, nullptr, nullptr, &rows, &columns,
                    surface.outputStepsU, surface.outputStepsV, 0);
  for (int i = 0; i + 1 < rows; ++i) {
    for (int j = 0; j + 1 < columns; ++j) {
      const int a = i * columns + j, b = a + 1, c = a + columns + 1, d = a + columns;
      mesh.triangles.insert(mesh.triangles.end(), {a, b, c, a, c, d});
    }
  }
  return mesh;
}

// Faces as fans, which the gem and seat faces (convex) allow.
TriangleMesh MeshTriangles(const CMeshObject& object, const Matrix4& placement) {
  TriangleMesh mesh;
  for (const Vector3& p : object.points) mesh.points.push_back(TransformPoint(p, placement));
  std::size_t first = 0;
  for (const std::int32_t size : object.faceSizes) {
    for (std::int32_t k = 1; k + 1 < size; ++k) {
      mesh.triangles.insert(mesh.triangles.end(), {object.faceIndices[first], object.faceIndices[first + k],
                                                   object.faceIndices[first + k + 1]});
    }
    first += static_cast<std::size_t>(size);
  }
  return mesh;
}

// POV-Ray is left-handed with y up: model (x, y, z) becomes <x, z, y>, which keeps what the view
// shows (x right, z up, looking along +y).
void WriteMesh(std::ostream& out, const TriangleMesh& mesh) {
  out << "mesh2 {\n vertex_vectors { " << mesh.points.size();
  for (const Vector3& p : mesh.points) out << ",\n  <" << p.x << ", " << p.z << ", " << p.y << ">";
  out << " }\n face_indices { " << mesh.triangles.size() / 3;
  for (std::size_t k = 0; k < mesh.triangles.size(); k += 3) {
    out << ",\n  <" << mesh.triangles[k] << ", " << mesh.triangles[k + 1] << ", " << mesh.triangles[k + 2] << ">";
  }
  out << " }\n inside_vector <0, 0, 1>\n}\n";
}

// Traced reflections and transparency cost POV-Ray far more than our maps cost us; plain finishes
// time the same picture job without them.
int WritePovScene(const std::string& path, bool traced) {
  ring_design::RingDesign ring;
  if (!ring.ready()) return 1;
  const auto* cut = static_cast<const CBooleanObject*>(GetObjectList());
  const CGeomObject* band = cut->members.head();
  const auto* seats = static_cast<const CBooleanObject*>(band->next);
  std::ofstream out(path);
  const float halfHeight = ring.pane.viewExtent / ring.pane.zoomScale;
  const float halfWidth = halfHeight * ring_design::kWidth / ring_design::kHeight;
  out << "camera { orthographic location <0, 0, -100> direction <0, 0, 1>\n  right <" << 2 * halfWidth
      << ", 0, 0> up <0, " << 2 * halfHeight << ", 0> }\n"
      << "light_source { <-40, 60, -120> color rgb 1 }\n"
      << "background { color rgb <0.5, 0.5, 0.5> }\n"
      << (traced ? "#declare Gold = texture { pigment { rgb <1, 0.76, 0.33> } finish { specular 0.6 reflection 0.3 metallic } }\n"
                 "#declare Diamond = texture { pigment { rgbf <0.95, 0.95, 1, 0.7> } finish { specular 0.9 reflection 0.2 } }\n"
                 : "#declare Gold = texture { pigment { rgb <1, 0.76, 0.33> } finish { specular 0.6 } }\n"
                   "#declare Diamond = texture { pigment { rgb <0.95, 0.95, 1> } finish { specular 0.9 } }\n");
  out << "difference {\n";
  WriteMesh(out, SurfaceTriangles(static_cast<const CSurfaceObject&>(*band)));
  out << "union {\n";
  for (const CGeomObject* seat = seats->members.head(); seat != nullptr; seat = seat->next) {
    WriteMesh(out, MeshTriangles(static_cast<const CMeshObject&>(*seat), kIdentityMatrix));
  }
  out << "}\ntexture { Gold }\n}\nunion {\n";
  const auto& prototype = static_cast<const CMeshObject&>(*GemLibrary.Prototype(0));
  for (const CGeomObject* gem = cut->next; gem != nullptr; gem = gem->next) {
    WriteMesh(out, MeshTriangles(prototype, static_cast<const CGemObject*>(gem)->placement));
  }
  out << "texture { Diamond }\n}\n";
  return out ? 0 : 1;
}

int RenderPicture(int samples, const std::string& path) {
  ring_design::RingDesign ring;
  if (!ring.ready()) return 1;
  return RenderToPictureFile(path, ring_design::kWidth, ring_design::kHeight, samples, 0, 10) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "pov") return WritePovScene(args[1], true);
  if (args.size() == 2 && args[0] == "pov-plain") return WritePovScene(args[1], false);
  if (args.size() == 3 && args[0] == "bmp") return RenderPicture(std::atoi(args[1].c_str()), args[2]);
  std::fprintf(stderr, "usage: ring_picture pov|pov-plain FILE | ring_picture bmp SAMPLES FILE\n");
  return 2;
}
