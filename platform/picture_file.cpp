#include "platform/picture_file.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

std::string Lowercase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::map<std::string, PictureCodec*>& Codecs() {
  static std::map<std::string, PictureCodec*> codecs;
  return codecs;
}

PictureCodec* CodecFor(const std::string& path) {
  const std::size_t dot = path.find_last_of("./");
  if (dot == std::string::npos || path[dot] != '.') return nullptr;
  const auto found = Codecs().find(Lowercase(std::string_view(path).substr(dot + 1)));
  return found != Codecs().end() ? found->second : nullptr;
}

}  // namespace

void RegisterPictureCodec(std::string_view extension, PictureCodec* codec) {
  if (codec != nullptr) {
    Codecs()[Lowercase(extension)] = codec;
  } else {
    Codecs().erase(Lowercase(extension));
  }
}

bool LoadPicture(const std::string& path, Picture* picture) {
  PictureCodec* codec = CodecFor(path);
  return codec != nullptr && codec->Load(path, picture);
}

bool SavePicture(const std::string& path, const Picture& picture) {
  PictureCodec* codec = CodecFor(path);
  return codec != nullptr && !picture.Empty() && codec->Save(path, picture);
}

void ClearPictureCodecs() { Codecs().clear(); }
