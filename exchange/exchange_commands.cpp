#include "exchange/exchange_commands.h"

#include <charconv>
#include <optional>
#include <string>

#include "exchange/dxf_import.h"
#include "exchange/dxf_writers.h"
#include "exchange/iges_import.h"
#include "exchange/iges_writer.h"
#include "exchange/import_result.h"
#include "exchange/output_file.h"
#include "exchange/stl_import.h"
#include "exchange/stl_writers.h"
#include "exchange/surface_net_fit.h"
#include "exchange/triangle_export_walk.h"
#include "platform/program_folder.h"
#include "scene/design_file.h"
#include "scene/scene.h"
#include "services/file_names.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

int ImportFilterIndex = 1;
int ExportFilterIndex = 1;

namespace {

constexpr char kImportFilter[] = "DXF (*.dxf)|*.dxf|IGES (*.igs)|*.igs|STL (*.stl)|*.stl|";
constexpr char kExportFilter[] =
    "DXF (*.dxf) 3DFace|*.dxf|DXF (*.dxf) PolyLine|*.dxf|DXF (*.dxf) Curves|*.dxf|IGES (*.igs)|*.igs|"
    "STL (*.stl) ASCII|*.stl|STL (*.stl) Binary|*.stl|Lumidrex Viewer File (*.lxv)|*.lxv|";
constexpr char kGeometryExchangeFile[] = "lxgeom.dxf";
// "%s Boolean groups were written as their members: ..."
constexpr int kGroupsAsMembersMessage = 10145;
// "Imported surfaces lie up to %s mm from the surfaces in the file"
constexpr int kSurfaceDeviationMessage = 10146;

using Reader = ImportResult (*)(const std::string&);
using Writer = bool (*)(const CGeomObject*, const std::string&);

// In the order of the dialogs' filters.
constexpr Reader kReaders[] = {&DxfImport, &IgesImport, &StlImport};

bool ViewerFileWriter(const CGeomObject* first, const std::string& path) {
  return WriteViewerFile(const_cast<CGeomObject*>(first), path) != 0;
}
constexpr Writer kWriters[] = {&Dxf3DFaceWriter, &DxfPolylineWriter, &DxfCurvesWriter, &IgesWriter,
                               &StlAsciiWriter,  &StlBinaryWriter,   &ViewerFileWriter};

// Millimetres to the thousandth, whatever the locale.
std::string Millimetres(double value) {
  char text[32];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
  return end.ec == std::errc() ? std::string(text, end.ptr) : std::string();
}

// What was read whole stays; the status bar says when a file could not be opened, gave nothing
// or less than it held, or gave surfaces farther from the file's than the tolerance.
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
  } else if (result.largestDeviation > kImportTolerance) {
    ShowStatusText(FillStringArguments(GetLocalizedString(kSurfaceDeviationMessage),
                                       {Millimetres(result.largestDeviation)}));
  }
}

// The status bar says when the file could not be written, or holds Boolean groups as their
// members.
void Export(Writer writer, const std::string& path) {
  bool written = false;
  BooleanGroupsWrittenAsMembers = 0;
  {
    const WaitCursor wait;
    written = writer(GetObjectList(), path);
  }
  if (!written) {
    ShowFileMessage(kCannotWriteMessage, path);
  } else if (BooleanGroupsWrittenAsMembers > 0) {
    ShowStatusText(FillStringArguments(GetLocalizedString(kGroupsAsMembersMessage),
                                       {std::to_string(BooleanGroupsWrittenAsMembers)}));
  }
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

void ExportTempDxfCurves() { Export(&DxfCurvesWriter, ExchangeFilePath(kGeometryExchangeFile)); }

std::string ExchangeFilePath(std::string_view name) {
  const std::string& folder = GetExchangeFolder();
  return folder.empty() ? std::string() : folder + std::string(name);
}
