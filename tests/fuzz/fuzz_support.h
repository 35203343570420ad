#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The libFuzzer entry point that every target defines; the replay driver calls it too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Starts an input from a freshly started program whose program folder is a scratch folder of
// this process holding the build's gem library. Questions nobody scripted are answered Cancel.
void StartFuzzInput();

// The scratch program folder, ending in '/'.
const std::string& FuzzProgramFolder();

// Writes the input as the file name in the scratch program folder; returns its path.
std::string WriteFuzzFile(const std::string& name, const std::uint8_t* data, std::size_t size);

// A finding of a target's own check on what a reader kept: reported like a crash.
[[noreturn]] void FuzzCheckFailed(const char* what);
