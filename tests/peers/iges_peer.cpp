// An outside IGES reader and writer for the tests: OpenCASCADE, in a program of its own so that
// its allocations stay out of the sanitizers of the test build.
//
//   iges_peer read FILE [U V]...
//     Reads FILE and transfers every root, then prints key=value lines:
//       status=done|void|error|fail        the read status
//       fail=<text>                         each fail of the model check or the transfer
//       fails=N                             their count (warnings are not counted)
//       roots=N transferred=M
//       root=I type=T faces=F edges=E       per root, in entity order
//       point=I,U,V,X,Y,Z                   per root with a face, its surface at each (U, V)
//   iges_peer write FILE ROWS COLUMNS X Y Z ...
//     Writes the clamped uniform bicubic B-spline surface over the ROWS x COLUMNS control points,
//     given row by row (rows run along U), as one IGES surface entity. Exit status 0 on success.
//   iges_peer shape FILE NAME
//     Writes one named B-spline surface as one IGES surface entity: "cylinder" (rational, radius
//     5, height 10, closed around), "nonuniform" (bicubic on uneven knots), "degree23" (quadratic
//     along U, cubic along V) or "torus" (rational, closed both ways, radii 8 and 2).
//   iges_peer distance FILE POINTS
//     Reads FILE and prints distance=D, the largest distance from the points of the text file
//     POINTS ("x y z" lines) to the surface of its first face, and points=N, their count.
#include <BRep_Tool.hxx>
#include <Extrema_GenExtPS.hxx>
#include <GeomAdaptor_Surface.hxx>
#include <GeomConvert.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_RectangularTrimmedSurface.hxx>
#include <Geom_ToroidalSurface.hxx>
#include <gp_Ax3.hxx>
#include <Geom_BSplineSurface.hxx>
#include <Geom_Surface.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <IGESControl_Reader.hxx>
#include <IGESControl_Writer.hxx>
#include <IGESData_IGESEntity.hxx>
#include <Interface_Check.hxx>
#include <Interface_CheckIterator.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array2OfPnt.hxx>
#include <TopExp_Explorer.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <Transfer_TransientProcess.hxx>
#include <XSControl_TransferReader.hxx>
#include <XSControl_WorkSession.hxx>
#include <gp_Pnt.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kProjectionSamples = 100;

const char* StatusName(IFSelect_ReturnStatus status) {
  switch (status) {
    case IFSelect_RetDone:
      return "done";
    case IFSelect_RetVoid:
      return "void";
    case IFSelect_RetError:
      return "error";
    default:
      return "fail";
  }
}

int PrintFails(const Interface_CheckIterator& checks) {
  int count = 0;
  for (checks.Start(); checks.More(); checks.Next()) {
    const Handle(Interface_Check)& check = checks.Value();
    for (int i = 1; i <= check->NbFails(); ++i) {
      std::printf("fail=%s\n", check->CFail(i));
      ++count;
    }
  }
  return count;
}

int Read(const char* path, const std::vector<std::pair<double, double>>& parameters) {
  IGESControl_Reader reader;
  const IFSelect_ReturnStatus status = reader.ReadFile(path);
  std::printf("status=%s\n", StatusName(status));
  if (status != IFSelect_RetDone) return 0;
  int fails = PrintFails(reader.WS()->ModelCheckList());

  const int roots = reader.NbRootsForTransfer();
  int transferred = 0;
  std::vector<std::string> reports;
  for (int root = 1; root <= roots; ++root) {
    const Handle(IGESData_IGESEntity) entity = Handle(IGESData_IGESEntity)::DownCast(reader.RootForTransfer(root));
    const int before = reader.NbShapes();
    if (reader.TransferOneRoot(root)) ++transferred;
    int faces = 0;
    int edges = 0;
    std::string points;
    char line[160];
    if (reader.NbShapes() > before) {
      const TopoDS_Shape shape = reader.Shape(reader.NbShapes());
      for (TopExp_Explorer e(shape, TopAbs_EDGE); e.More(); e.Next()) ++edges;
      for (TopExp_Explorer f(shape, TopAbs_FACE); f.More(); f.Next()) {
        if (++faces > 1) continue;
        TopLoc_Location location;
        const Handle(Geom_Surface) surface = BRep_Tool::Surface(TopoDS::Face(f.Current()), location);
        for (const auto& [u, v] : parameters) {
          const gp_Pnt p = surface->Value(u, v).Transformed(location.Transformation());
          std::snprintf(line, sizeof line, "point=%d,%.9g,%.9g,%.9g,%.9g,%.9g\n", root, u, v, p.X(), p.Y(), p.Z());
          points += line;
        }
      }
    }
    std::snprintf(line, sizeof line, "root=%d type=%d faces=%d edges=%d\n", root,
                  entity.IsNull() ? 0 : entity->TypeNumber(), faces, edges);
    reports.push_back(line + points);
  }
  fails += PrintFails(reader.WS()->TransferReader()->TransientProcess()->CheckList(true));
  std::printf("fails=%d\nroots=%d transferred=%d\n", fails, roots, transferred);
  for (const std::string& report : reports) std::fputs(report.c_str(), stdout);
  return 0;
}

// Knots 0, 1, ..., count - 3 with the ends of multiplicity 4: clamped and uniform inside.
void ClampedKnots(int count, TColStd_Array1OfReal& knots, TColStd_Array1OfInteger& multiplicities) {
  for (int i = 1; i <= count - 2; ++i) {
    knots(i) = i - 1;
    multiplicities(i) = i == 1 || i == count - 2 ? 4 : 1;
  }
}

int WriteSurface(const char* path, const Handle(Geom_Surface)& surface) {
  IGESControl_Writer writer("MM", 0);
  if (!writer.AddGeom(surface)) return 1;
  writer.ComputeModel();
  return writer.Write(path) ? 0 : 1;
}

int Write(const char* path, int rows, int columns, char** numbers, int available) {
  if (rows < 4 || columns < 4 || available != 3 * rows * columns) {
    std::fprintf(stderr, "need at least 4 x 4 points, x y z each\n");
    return 2;
  }
  TColgp_Array2OfPnt poles(1, rows, 1, columns);
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      char** p = numbers + 3 * (i * columns + j);
      poles(i + 1, j + 1) = gp_Pnt(std::atof(p[0]), std::atof(p[1]), std::atof(p[2]));
    }
  }
  TColStd_Array1OfReal uKnots(1, rows - 2), vKnots(1, columns - 2);
  TColStd_Array1OfInteger uMultiplicities(1, rows - 2), vMultiplicities(1, columns - 2);
  ClampedKnots(rows, uKnots, uMultiplicities);
  ClampedKnots(columns, vKnots, vMultiplicities);
  const Handle(Geom_BSplineSurface) surface =
      new Geom_BSplineSurface(poles, uKnots, vKnots, uMultiplicities, vMultiplicities, 3, 3);
  return WriteSurface(path, surface);
}

// Poles row by row from f(i, j), with the given knots and multiplicities each way.
Handle(Geom_BSplineSurface) Polynomial(int rows, int columns, gp_Pnt (*f)(int, int), const std::vector<double>& uKnots,
                                       const std::vector<int>& uMults, const std::vector<double>& vKnots,
                                       const std::vector<int>& vMults, int uDegree, int vDegree) {
  TColgp_Array2OfPnt poles(1, rows, 1, columns);
  for (int i = 1; i <= rows; ++i) {
    for (int j = 1; j <= columns; ++j) poles(i, j) = f(i - 1, j - 1);
  }
  TColStd_Array1OfReal uk(1, static_cast<int>(uKnots.size())), vk(1, static_cast<int>(vKnots.size()));
  TColStd_Array1OfInteger um(1, static_cast<int>(uMults.size())), vm(1, static_cast<int>(vMults.size()));
  for (std::size_t i = 0; i < uKnots.size(); ++i) uk(static_cast<int>(i) + 1) = uKnots[i], um(static_cast<int>(i) + 1) = uMults[i];
  for (std::size_t i = 0; i < vKnots.size(); ++i) vk(static_cast<int>(i) + 1) = vKnots[i], vm(static_cast<int>(i) + 1) = vMults[i];
  return new Geom_BSplineSurface(poles, uk, vk, um, vm, uDegree, vDegree);
}

// A gently waving sheet over x and y, so that no two poles are alike.
gp_Pnt Wave(int i, int j) { return gp_Pnt(2.0 * i + 0.3 * j, 1.5 * j, std::sin(1.3 * i + 0.7 * j)); }

int Shape(const char* path, const std::string& name) {
  Handle(Geom_Surface) surface;
  if (name == "cylinder") {
    const Handle(Geom_Surface) cylinder = new Geom_CylindricalSurface(gp_Ax3(), 5.0);
    surface = GeomConvert::SurfaceToBSplineSurface(new Geom_RectangularTrimmedSurface(cylinder, 0.0, 2 * M_PI, 0.0, 10.0));
  } else if (name == "torus") {
    const Handle(Geom_Surface) torus = new Geom_ToroidalSurface(gp_Ax3(), 8.0, 2.0);
    surface = GeomConvert::SurfaceToBSplineSurface(new Geom_RectangularTrimmedSurface(torus, 0.0, 2 * M_PI, 0.0, 2 * M_PI));
  } else if (name == "nonuniform") {
    surface = Polynomial(7, 6, Wave, {0, 0.1, 0.5, 2.5, 3}, {4, 1, 1, 1, 4}, {0, 1.7, 2, 5}, {4, 1, 1, 4}, 3, 3);
  } else if (name == "degree23") {
    surface = Polynomial(5, 6, Wave, {0, 1, 1.5, 4}, {3, 1, 1, 3}, {0, 0.5, 3, 4}, {4, 1, 1, 4}, 2, 3);
  } else {
    std::fprintf(stderr, "no shape %s\n", name.c_str());
    return 2;
  }
  return WriteSurface(path, surface);
}

// The distances are found among extrema from a dense grid of samples: the default grid can miss
// a short knot span, and with it the nearest point.
int Distance(const char* path, const char* pointsPath) {
  IGESControl_Reader reader;
  if (reader.ReadFile(path) != IFSelect_RetDone || reader.TransferRoots() == 0) return 1;
  TopExp_Explorer face(reader.OneShape(), TopAbs_FACE);
  if (!face.More()) return 1;
  TopLoc_Location location;
  const Handle(Geom_Surface) surface = BRep_Tool::Surface(TopoDS::Face(face.Current()), location);
  const GeomAdaptor_Surface adaptor(surface);
  Extrema_GenExtPS extrema;
  extrema.Initialize(adaptor, kProjectionSamples, kProjectionSamples, 1e-9, 1e-9);
  std::ifstream points(pointsPath);
  double x, y, z, largest = 0;
  int count = 0;
  while (points >> x >> y >> z) {
    extrema.Perform(gp_Pnt(x, y, z).Transformed(location.Transformation().Inverted()));
    if (!extrema.IsDone() || extrema.NbExt() == 0) return 1;
    double nearest = extrema.SquareDistance(1);
    for (int i = 2; i <= extrema.NbExt(); ++i) nearest = std::min(nearest, extrema.SquareDistance(i));
    largest = std::max(largest, std::sqrt(nearest));
    ++count;
  }
  std::printf("distance=%.9g\npoints=%d\n", largest, count);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if (mode == "read") {
    std::vector<std::pair<double, double>> parameters;
    for (int i = 3; i + 1 < argc; i += 2) parameters.emplace_back(std::atof(argv[i]), std::atof(argv[i + 1]));
    return Read(argv[2], parameters);
  }
  if (mode == "write" && argc >= 5) return Write(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv + 5, argc - 5);
  if (mode == "shape" && argc == 4) return Shape(argv[2], argv[3]);
  if (mode == "distance" && argc == 4) return Distance(argv[2], argv[3]);
  std::fprintf(stderr,
               "usage: iges_peer read FILE [U V]... | write FILE ROWS COLUMNS X Y Z ... | shape FILE NAME | "
               "distance FILE POINTS\n");
  return 2;
}
