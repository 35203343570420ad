#pragma once

#include <cstdio>

#include "kernel/object_stream.h"

// Makes a file the current object stream for the life of the scope. On every way out, error
// paths included, the previous stream is current again and scrambled writing is off.
class ObjectStreamScope {
 public:
  explicit ObjectStreamScope(std::FILE* f) : previous_(SetObjectStream(f)) {}
  ~ObjectStreamScope() {
    SetScrambledWrite(0);
    SetObjectStream(previous_);
  }
  ObjectStreamScope(const ObjectStreamScope&) = delete;
  ObjectStreamScope& operator=(const ObjectStreamScope&) = delete;

 private:
  std::FILE* previous_;
};
