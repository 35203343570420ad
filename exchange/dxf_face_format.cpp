#include "exchange/dxf_face_format.h"

#include <cstring>
#include <string_view>

#include "exchange/number_format.h"
#include "exchange/output_file.h"

namespace {

// Room for the longest record: a face's twelve coordinates with their codes.
constexpr std::size_t kRecordRoom = 1024;

char* AppendText(char* at, std::string_view text) {
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

char* AppendCode(char* at, std::int64_t code) {
  at = FormatInteger(at, code);
  *at++ = '\n';
  return at;
}

char* AppendCoordinate(char* at, int code, float value) {
  at = AppendCode(at, code);
  at = FormatFixed8_3(at, value);
  *at++ = '\n';
  return at;
}

char* AppendGeneral(char* at, std::string_view code, float value) {
  at = AppendText(at, code);
  at = FormatGeneral(at, value);
  *at++ = '\n';
  return at;
}

// The entity's name, then its layer.
char* BeginEntity(char* at, std::string_view name, int layer) {
  at = AppendText(at, name);
  at = AppendText(at, "8\n");
  return AppendCode(at, layer);
}

void WriteRecord(OutputFile& out, const char* text, const char* end) {
  out.Write(text, static_cast<std::size_t>(end - text));
}

}  // namespace

void WriteDxfFace(OutputFile& out, int layer, const Vector3 (&corners)[4]) {
  char text[kRecordRoom];
  char* at = BeginEntity(text, "0\n3DFACE\n", layer);
  for (int k = 0; k < 4; ++k) {
    at = AppendCoordinate(at, 10 + k, corners[k].x);
    at = AppendCoordinate(at, 20 + k, corners[k].y);
    at = AppendCoordinate(at, 30 + k, corners[k].z);
  }
  WriteRecord(out, text, at);
}

void WriteDxfPolyfaceHeader(OutputFile& out, int layer, std::int64_t vertices, std::int64_t faces) {
  char text[kRecordRoom];
  char* at = BeginEntity(text, "0\nPOLYLINE\n", layer);
  at = AppendText(at, "66\n1\n70\n64\n71\n");
  at = AppendCode(at, vertices);
  at = AppendText(at, "72\n");
  at = AppendCode(at, faces);
  WriteRecord(out, text, at);
}

void WriteDxfPolyfaceVertex(OutputFile& out, int layer, Vector3 point) {
  char text[kRecordRoom];
  char* at = BeginEntity(text, "0\nVERTEX\n", layer);
  at = AppendCoordinate(at, 10, point.x);
  at = AppendCoordinate(at, 20, point.y);
  at = AppendCoordinate(at, 30, point.z);
  at = AppendText(at, "70\n192\n");
  WriteRecord(out, text, at);
}

void WriteDxfPolyfaceFace(OutputFile& out, int layer, int a, int b, int c) {
  char text[kRecordRoom];
  char* at = BeginEntity(text, "0\nVERTEX\n", layer);
  at = AppendText(at, "10\n0\n20\n0\n30\n0\n70\n128\n71\n");
  at = AppendCode(at, a);
  at = AppendText(at, "72\n");
  at = AppendCode(at, b);
  at = AppendText(at, "73\n");
  at = AppendCode(at, c);
  WriteRecord(out, text, at);
}

void WriteDxfSequenceEnd(OutputFile& out, int layer) {
  char text[kRecordRoom];
  WriteRecord(out, text, BeginEntity(text, "0\nSEQEND\n", layer));
}

void WriteDxfCurve(OutputFile& out, int layer, std::span<const Vector3> points, bool closed) {
  char text[kRecordRoom];
  char* at = BeginEntity(text, "0\nPOLYLINE\n", layer);
  at = AppendText(at, "66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n70\n");
  at = AppendText(at, closed ? "9\n" : "8\n");
  WriteRecord(out, text, at);
  for (const Vector3& point : points) {
    at = BeginEntity(text, "0\nVERTEX\n", layer);
    at = AppendGeneral(at, "10\n", point.x);
    at = AppendGeneral(at, "20\n", point.y);
    at = AppendGeneral(at, "30\n", point.z);
    at = AppendText(at, "70\n32\n");
    WriteRecord(out, text, at);
  }
  WriteDxfSequenceEnd(out, layer);
}
