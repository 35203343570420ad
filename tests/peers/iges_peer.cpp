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
#include <BRep_Tool.hxx>
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

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

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
  IGESControl_Writer writer("MM", 0);
  if (!writer.AddGeom(surface)) return 1;
  writer.ComputeModel();
  return writer.Write(path) ? 0 : 1;
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
  std::fprintf(stderr, "usage: iges_peer read FILE [U V]... | write FILE ROWS COLUMNS X Y Z ...\n");
  return 2;
}
