#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "kernel/matrix4.h"

// The one current object stream through which every kind reads and writes its record. Readers
// never trust the file: a short read zero-fills what is missing and sets a sticky failure flag,
// and counts read from a record are checked against the bytes left before anything is allocated.

// Makes f current, clears the failure flag and returns the previous stream so callers can nest.
std::FILE* SetObjectStream(std::FILE* f);
// Viewer files are written scrambled; everything else plain.
void SetScrambledWrite(int on);

// Reads n bytes; returns how many came from the file and zero-fills the rest.
std::size_t ReadObjectBytes(void* p, std::size_t n);
// Writes n bytes (n + 1 when scrambled).
void WriteObjectBytes(const void* p, std::size_t n);

std::int32_t ReadObjectInt32();
void WriteObjectInt32(std::int32_t value);
std::int16_t ReadObjectInt16();
void WriteObjectInt16(std::int16_t value);
float ReadObjectFloat();
void WriteObjectFloat(float value);
void ReadObjectMatrix(Matrix4* m);
void WriteObjectMatrix(const Matrix4& m);

// A length below 1 reads as none. A length larger than what is left of the stream fails the
// stream and gives none.
std::optional<std::string> ReadCountedString();
// The byte length, then each byte as a field of its own; empty text is written as none.
void WriteCountedString(std::string_view s);

// True once a read came up short, a count did not fit, a write failed or a record was refused.
bool ObjectStreamFailed();
// Fails the stream and moves a seekable one to its end, so every later read fails too.
void MarkObjectStreamFailed();
// The bytes a reader may still consume: what is left of a seekable file, or a sane cap.
std::int64_t ObjectStreamBytesLeft();

// True when count items of itemBytes each fit in what is left of the stream; otherwise the
// stream is failed.
bool ObjectStreamHasRoomFor(std::int64_t count, std::int64_t itemBytes);

void ResetObjectStream();

// Everything that makes up the current stream, saved and put back whole by nested scopes.
struct ObjectStreamState {
  std::FILE* file = nullptr;
  std::int64_t size = -1;  // -1: not seekable
  bool failed = false;
  int scrambled = 0;
};
ObjectStreamState SaveObjectStreamState();
void RestoreObjectStreamState(const ObjectStreamState& state);

// Makes a file the current stream, written plain, for its lifetime, then puts the previous
// stream back as it was (its failure flag and scrambling included) on every way out.
class ObjectStreamScope {
 public:
  explicit ObjectStreamScope(std::FILE* f) : previous_(SaveObjectStreamState()) {
    SetObjectStream(f);
    SetScrambledWrite(0);
  }
  ~ObjectStreamScope() { RestoreObjectStreamState(previous_); }
  ObjectStreamScope(const ObjectStreamScope&) = delete;
  ObjectStreamScope& operator=(const ObjectStreamScope&) = delete;

 private:
  ObjectStreamState previous_;
};
