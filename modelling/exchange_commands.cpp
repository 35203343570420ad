#include "modelling/exchange_commands.h"

#include <string>

#include "app/core/string_table.h"
#include "app/core/ui_utilities.h"
#include "manufacturing/dxf_writers.h"
#include "manufacturing/slicer.h"
#include "scene/scene.h"

namespace {

constexpr char kSurfaceExchangeFile[] = "lxsurface.sla";
constexpr char kGeometryExchangeFile[] = "lxgeom.dxf";

using Writer = bool (*)(const CGeomObject*, const std::string&);

void Export(Writer writer, const std::string& path) {
  bool written = false;
  {
    const WaitCursor wait;
    written = writer(GetObjectList(), path);
  }
  ReportExport(written, path);
}

}  // namespace

void ExportTempSla() {
  const std::string path = ExchangeFilePath(kSurfaceExchangeFile);
  ReportExport(ExportSlicesForRp(path, kExchangeSliceStep, kExchangeSliceStep), path);
}

void ExportTempDxfCurves() { Export(&DxfCurvesWriter, ExchangeFilePath(kGeometryExchangeFile)); }
