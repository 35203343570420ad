#pragma once

#include <string>

// The program-wide pool that owns the names read from files (material names among them).
// Objects point into it without owning; the pool keeps every name until it is cleared at exit
// or by a reset, so a pointer stays valid for as long as any object may hold it.
const std::string* PoolName(std::string name);
void ClearNamePool();
