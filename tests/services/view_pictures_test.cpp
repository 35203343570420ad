#include "services/view_pictures.h"

#include "platform/headless_platform.h"
#include "platform/picture_file.h"
#include "platform/platform_services.h"
#include "program_state.h"

namespace {

class MemoryCodec : public PictureCodec {
 public:
  bool Load(const std::string& path, Picture* picture) override {
    if (path != "in.jpg") return false;
    *picture = Picture::Blank(3, 2);
    picture->pixels[0] = 0x42;
    return true;
  }
  bool Save(const std::string& path, const Picture& picture) override {
    if (!succeeds) return false;
    savedPath = path;
    saved = picture;
    return true;
  }
  bool succeeds = true;
  std::string savedPath;
  Picture saved;
};

class ViewPicturesTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    RegisterPictureCodec("jpg", &codec);
  }
  MemoryCodec codec;
};

TEST_F(ViewPicturesTest, ConvertPictureChoosesTheFormatsByExtension) {
  EXPECT_EQ(ConvertPicture("in.jpg", "out.jpg"), 1);
  EXPECT_EQ(codec.saved.pixels[0], 0x42);
  EXPECT_EQ(ConvertPicture("missing.jpg", "out.jpg"), 0);
  // No codec serves BMP until the program's own is registered.
  EXPECT_EQ(ConvertPicture("in.jpg", "out.bmp"), 0);
}

TEST_F(ViewPicturesTest, SaveViewPictureResults) {
  EXPECT_EQ(SaveViewPicture(), -2);  // no picture of the views
  EXPECT_TRUE(Headless().fileRequests.empty());

  Headless().viewArea = Picture::Blank(4, 3);
  Headless().fileAnswers = {std::nullopt, FileDialogAnswer{"views", 2}, FileDialogAnswer{"views.jpg", 2}};
  EXPECT_EQ(SaveViewPicture(), 0);   // cancelled
  EXPECT_EQ(SaveViewPicture(), 0);   // "views" gets ".jpg" from the JPEG filter
  EXPECT_EQ(codec.savedPath, "views.jpg");
  EXPECT_EQ(codec.saved.width, 4);
  codec.succeeds = false;
  EXPECT_EQ(SaveViewPicture(), -1);

  const FileDialogRequest& request = Headless().fileRequests[0];
  EXPECT_FALSE(request.open);
  EXPECT_EQ(request.defaultName, "vorn.bmp");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[1].pattern, "*.jpg");
  EXPECT_EQ(Headless().fileRequests[2].filterIndex, 2);  // the filter is remembered
}

}  // namespace
