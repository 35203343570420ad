#pragma once

#include <string>

// Names read from files (material names among them) are kept in the program-wide pointer list
// (kernel/pointer_list.h). Objects point to them without owning; a name stays valid until the
// list is cleared at exit or by a reset, so for as long as any object may hold it.
const std::string* PoolName(std::string name);
