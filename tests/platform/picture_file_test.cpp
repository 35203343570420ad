#include "platform/picture_file.h"

#include <string>
#include <vector>

#include "program_state.h"

namespace {

class RecordingCodec : public PictureCodec {
 public:
  bool Load(const std::string& path, Picture* picture) override {
    loaded.push_back(path);
    *picture = Picture::Blank(2, 1);
    return true;
  }
  bool Save(const std::string& path, const Picture&) override {
    saved.push_back(path);
    return true;
  }
  std::vector<std::string> loaded;
  std::vector<std::string> saved;
};

using PictureFileTest = LumidrexTest;

TEST_F(PictureFileTest, TheExtensionChoosesTheCodecIgnoringCase) {
  RecordingCodec jpeg;
  RegisterPictureCodec("jpg", &jpeg);
  Picture picture;
  EXPECT_TRUE(LoadPicture("/tmp/ring.JPG", &picture));
  EXPECT_EQ(picture.rowBytes, 8);
  EXPECT_TRUE(SavePicture("out.jpg", picture));
  EXPECT_EQ(jpeg.loaded, (std::vector<std::string>{"/tmp/ring.JPG"}));
  EXPECT_EQ(jpeg.saved, (std::vector<std::string>{"out.jpg"}));
}

TEST_F(PictureFileTest, AFormatWithoutCodecFails) {
  RecordingCodec jpeg;
  RegisterPictureCodec("jpg", &jpeg);
  Picture picture = Picture::Blank(1, 1);
  EXPECT_FALSE(SavePicture("view.bmp", picture));
  EXPECT_FALSE(SavePicture("no-extension", picture));
  EXPECT_FALSE(SavePicture("folder.jpg/file", picture));
  EXPECT_FALSE(SavePicture("empty.jpg", Picture()));
  RegisterPictureCodec("JPG", nullptr);
  EXPECT_FALSE(SavePicture("view.jpg", picture));
  EXPECT_TRUE(jpeg.saved.empty());
}

}  // namespace
