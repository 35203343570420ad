#include "modelling/exchange_commands.h"

#include <optional>
#include <string>

#include "app/core/file_names.h"
#include "app/core/string_table.h"
#include "app/core/ui_utilities.h"
#include "manufacturing/dxf_writers.h"
#include "manufacturing/output_file.h"
#include "manufacturing/iges_writer.h"
#include "manufacturing/slicer.h"
#include "manufacturing/stl_writers.h"
#include "modelling/dxf_import.h"
#include "modelling/iges_import.h"
#include "modelling/import_result.h"
#include "modelling/stl_import.h"
#include "scene/design_file.h"
#include "scene/scene.h"

int ImportFilterIndex = 1;
int ExportFilterIndex = 1;

namespace {

constexpr char kImportFilter[] = "DXF (*.dxf)|*.dxf|IGES (*.igs)|*.igs|STL (*.stl)|*.stl|";
constexpr char kExportFilter[] =
    "DXF (*.dxf) 3DFace|*.dxf|DXF (*.dxf) PolyLine|*.dxf|DXF (*.dxf) Curves|*.dxf|IGES (*.igs)|*.igs|"
    "STL (*.stl) ASCII|*.stl|STL (*.stl) Binary|*.stl|Lumidrex Viewer File (*.lxv)|*.lxv|";
constexpr char kSurfaceExchangeFile[] = "lxsurface.sla";
constexpr char kGeometryExchangeFile[] = "lxgeom.dxf";

using Reader = ImportResult (*)(const std::string&);
using Writer = bool (*)(const CGeomObject*, const std::string&);

// In the order of the dialogs' filters.
constexpr Reader kReaders[] = {&DxfImport, &IgesImport, &StlImport};

bool ViewerFileWriter(const CGeomObject* first, const std::string& path) {
  return WriteViewerFile(const_cast<CGeomObject*>(first), path) != 0;
}
constexpr Writer kWriters[] = {&Dxf3DFaceWriter, &DxfPolylineWriter, &DxfCurvesWriter, &IgesWriter,
                               &StlAsciiWriter,  &StlBinaryWriter,   &ViewerFileWriter};

// What was read whole stays; the status bar says when a file could not be opened, or gave
// nothing or less than it held.
void Import(Reader reader, const std::string& path) {
  ImportResult result;
  {
    const WaitCursor wait;
    result = reader(path);
  }
  if (!result.opened) {
    ShowFileStatus(kCannotOpenMessage, path);
  } else if (result.added == 0 || result.dropped) {
    ShowFileStatus(kInvalidFileFormatMessage, path);
  }
}

void Export(Writer writer, const std::string& path) {
  bool written = false;
  {
    const WaitCursor wait;
    written = writer(GetObjectList(), path);
  }
  if (!written) ShowCannotWriteStatus(path);
}

}  // namespace

void ResetExchangeCommands() {
  ImportFilterIndex = 1;
  ExportFilterIndex = 1;
}

void OnFileImport() {
  const std::optional<std::string> path = FileDialogPrompt(1, &ImportFilterIndex, kImportFilter, {}, {});
  if (!path || ImportFilterIndex < 1 || ImportFilterIndex > static_cast<int>(std::size(kReaders))) return;
  Import(kReaders[ImportFilterIndex - 1], *path);
}

void OnFileExport() {
  const std::optional<std::string> path = FileDialogPrompt(0, &ExportFilterIndex, kExportFilter, {}, {});
  if (!path || ExportFilterIndex < 1 || ExportFilterIndex > static_cast<int>(std::size(kWriters))) return;
  Export(kWriters[ExportFilterIndex - 1], *path);
}

void ImportTempSla() { Import(&StlImport, ExchangeFilePath(kSurfaceExchangeFile)); }

void ImportTempDxf() { Import(&DxfImport, ExchangeFilePath(kGeometryExchangeFile)); }

void ExportTempSla() {
  const std::string path = ExchangeFilePath(kSurfaceExchangeFile);
  if (!ExportSlicesForRp(path, kExchangeSliceStep, kExchangeSliceStep)) ShowCannotWriteStatus(path);
}

void ExportTempDxfCurves() { Export(&DxfCurvesWriter, ExchangeFilePath(kGeometryExchangeFile)); }
