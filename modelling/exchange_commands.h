#pragma once

#include <string>
#include <string_view>

// The File menu's Import and Export, the exchange with the CAM program Cimagraphi and the
// hand-off to the rapid-prototyping programs. They tell what went wrong in the status bar, with
// the path, and never stop the user with a message: the Cimagraphi exchange runs unattended.

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
// (curves) in the user's exchange folder.
void ImportTempSla();
void ImportTempDxf();
void ExportTempSla();
void ExportTempDxfCurves();

// DeskProto gets "lumidrex.stl" of the slices in the exchange folder, Objet Studio and
// Perfactory the slice file of a Cut into Slices. The programs themselves are not looked for:
// the user's hand-off script (lumidrextodeskproto.sh, lumidrextoobjetstudio.sh,
// lumidrextoperfactory.sh), from the user's folder or else the program folder, is run with the
// file as its one argument; without one a message says where the file is.
void SendToDeskProto();
void SendToObjetStudio();
void SendToPerfactory();

// The layers and the resolution, in mm, of the slices handed to the outside programs.
inline constexpr float kExchangeSliceStep = 0.05f;

// A fixed exchange file in the user's exchange folder; empty when there is no such folder.
std::string ExchangeFilePath(std::string_view name);
