#include "modelling/save_views.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/picture_file.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "services/bmp_picture_codec.h"
#include "temp_dir.h"

namespace {

class SaveViewsTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    RegisterBmpPictureCodec();
  }
  TempDir folder;
};

TEST_F(SaveViewsTest, ReportsOnlyFailures) {
  struct Case {
    bool haveArea;
    std::optional<std::string> name;  // the file dialog's answer
    std::vector<std::string> messages;
    bool written;
  };
  // A path under a regular file fails for every user, root included.
  const std::string blocker = folder.Write("plain", "x");
  const Case cases[] = {
      {false, std::nullopt, {"Not enough memory to perform operations!"}, false},
      {true, std::nullopt, {}, false},
      {true, blocker + "/views.bmp", {"Cannot write to file!\n" + blocker + "/views.bmp"}, false},
      {true, folder.File("views.bmp"), {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    Headless().messages.clear();
    Headless().viewArea.reset();
    if (c.haveArea) Headless().viewArea = Picture::Blank(5, 3);
    Headless().fileAnswers.clear();
    if (c.name) {
      Headless().fileAnswers.push_back(FileDialogAnswer{*c.name, 1});
    } else {
      Headless().fileAnswers.push_back(std::nullopt);
    }
    DoSaveViews();
    std::vector<std::string> shown;
    for (const auto& message : Headless().messages) shown.push_back(message.text);
    EXPECT_EQ(shown, c.messages);
    Picture loaded;
    EXPECT_EQ(c.written && LoadPicture(folder.File("views.bmp"), &loaded), c.written);
    if (c.written) {
      EXPECT_EQ(loaded.width, 5);
      EXPECT_EQ(loaded.height, 3);
    }
  }
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"plain", "views.bmp"}));
}

}  // namespace
