#pragma once

#include <string>
#include <string_view>

// The File menu's Import and Export and the exchange with the CAM program Cimagraphi. A file that
// could not be read is named in the status bar and stops no one, as the Cimagraphi exchange runs
// unattended; a file that could not be written is named in a message box.

// The filters last chosen in the Import and Export dialogs, from 1; kept for the run.
extern int ImportFilterIndex;
extern int ExportFilterIndex;
void ResetExchangeCommands();

// The open dialog, then the DXF, IGES or STL reader of the filter chosen.
void OnFileImport();
// The save dialog, then the writer of the filter chosen: DXF 3DFace, PolyLine or Curves, IGES,
// ASCII or binary STL, or the viewer file.
void OnFileExport();

// Cimagraphi reads and writes "lxsurface.sla" (a binary STL of the slices) and "lxgeom.dxf"
// (curves) in the user's exchange folder; the slices are written by the rapid-prototyping
// hand-off (manufacturing/rp_handoff.h).
inline constexpr char kSurfaceExchangeFile[] = "lxsurface.sla";
void ImportTempSla();
void ImportTempDxf();
void ExportTempDxfCurves();

// A fixed exchange file in the user's exchange folder; empty when there is no such folder.
std::string ExchangeFilePath(std::string_view name);
