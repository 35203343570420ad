#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Saving never loses the old file: write() fills a temporary file beside the target and reports
// whether every write succeeded; only then does the temporary file replace the target. On any
// failure the temporary file is removed, the target is left as it was and false is returned.
bool SaveFileSafely(const std::string& path, const std::function<bool(std::FILE*)>& write);
