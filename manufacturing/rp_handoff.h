#pragma once

// The hand-off of slices to outside programs: Cimagraphi's "lxsurface.sla" and the
// rapid-prototyping programs. A file they could not write is named in a message box, as the
// other exchange commands name theirs.

void ExportTempSla();

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
