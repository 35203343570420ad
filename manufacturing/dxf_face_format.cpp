#include "manufacturing/dxf_face_format.h"

#include <cstring>
#include <string_view>

#include "manufacturing/number_format.h"
#include "manufacturing/output_file.h"

namespace {

char* AppendCode(char* at, int code) {
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

}  // namespace

void WriteDxfFace(OutputFile& out, int layer, const Vector3 (&corners)[4]) {
  char text[1024];
  constexpr std::string_view kEntity = "0\n3DFACE\n8\n";
  std::memcpy(text, kEntity.data(), kEntity.size());
  char* at = text + kEntity.size();
  at = AppendCode(at, layer);
  for (int k = 0; k < 4; ++k) {
    at = AppendCoordinate(at, 10 + k, corners[k].x);
    at = AppendCoordinate(at, 20 + k, corners[k].y);
    at = AppendCoordinate(at, 30 + k, corners[k].z);
  }
  out.Write(text, static_cast<std::size_t>(at - text));
}
