#pragma once

#include <string>
#include <string_view>

// Material names and map names were stored on a file system that ignores case and separates
// with '\'. These lookups find their files all the same.

// The material folder: the configured folder as spelt when it is absolute (a leading '/' or '\'
// or a drive colon), else inside the program folder. Empty when nothing is configured.
std::string GetMaterialDirectory();

// The path under folder that a name split at '/' and '\' leads to: as spelt where that exists,
// else, component by component, the entry whose name equals it ignoring the case of ASCII
// letters (the first in byte order when several do). Empty when some component has no match.
std::string FindInFolder(const std::string& folder, std::string_view name);

// A regular file that opens for reading; a folder is not one.
bool OpensForReading(const std::string& path);

// The file of a material name, ".mtl" added unless the name has its own extension: inside the
// material folder, else as given. Empty when neither opens.
std::string FindMaterialFile(std::string_view name);
// The bitmap of a map name, ".bmp" added likewise: inside the folder "TxtrMap" of the material
// folder, else inside the material folder, else as given. Empty when none opens.
std::string FindTextureMapFile(std::string_view name);

// How a design names a file chosen in a file dialog: inside folder, the path below it joined
// with '\' ("metals\Silver.mtl"); elsewhere the path whole, cleaned and absolute. Both are
// compared cleaned and absolute, with either separator, case-sensitively (two folders may differ
// only by case here), then through their canonical forms, so a folder reached through a link
// still gives relative names.
std::string NameInFolder(const std::string& folder, const std::string& path);
