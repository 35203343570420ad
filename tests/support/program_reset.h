#pragma once

#include <functional>
#include <string>

// Resets every piece of program-wide state to what start-up leaves. A question or dialog that
// nobody scripted goes to onUnscripted; without gtest's fixtures, fuzz targets use this directly.
void ResetProgramState(std::function<void(const std::string& what)> onUnscripted);
