#pragma once

#include <string>

// The slice file that the slicing commands wrote last and the slice viewer opens; empty at start.
void SetSliceFilePath(const std::string& path);
const std::string& GetSliceFilePath();
