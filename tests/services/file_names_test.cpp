#include "services/file_names.h"

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"

namespace {

using FileNamesTest = LumidrexTest;

TEST_F(FileNamesTest, AddExtensionIfMissingLooksAtTheLastFourCharacters) {
  const struct {
    const char* name;
    const char* ext;
    const char* result;
  } cases[] = {
      {"ring", "stl", "ring.stl"},        {"ring.v2.stl", "stl", "ring.v2.stl"}, {"a.b", "stl", "a.b"},
      {"ring.abcd", "stl", "ring.abcd.stl"}, {"", "bmp", ".bmp"},             {"/tmp/a.b/ring", "nc", "/tmp/a.b/ring.nc"},
      {"x.\xC3\xA4\xC3\xA4\xC3\xA4", "bmp", "x.\xC3\xA4\xC3\xA4\xC3\xA4"},  // characters, not bytes
  };
  for (const auto& c : cases) EXPECT_EQ(AddExtensionIfMissing(c.name, c.ext), c.result) << c.name;
}

TEST_F(FileNamesTest, StripExtensionIfCutsOnlyAMatchingExtension) {
  const struct {
    const char* name;
    const char* result;
    bool cut;
  } cases[] = {
      {"part.STL", "part", true},   {"part.obj", "part.obj", false}, {"part", "part", false},
      {"a.stl.stl", "a.stl", true}, {"stl", "stl", false},
  };
  for (const auto& c : cases) {
    const StrippedName stripped = StripExtensionIf(c.name, "stl");
    EXPECT_EQ(stripped.name, c.result) << c.name;
    EXPECT_EQ(stripped.comparison == 0, c.cut) << c.name;
  }
}

TEST_F(FileNamesTest, FileDialogPromptCompletesTheNameFromTheChosenFilter) {
  const char* filter = "Lumidrex Layer Files (*.lyr)|*.lyr|All Files (*.*)|*.*|";
  const struct {
    const char* filter;
    const char* chosen;
    int index;
    const char* result;
  } cases[] = {
      {filter, "layers", 1, "layers.lyr"},
      {filter, "layers", 2, "layers"},
      {filter, "layers.old", 1, "layers.old"},
      {filter, "layers", 3, "layers"},  // an index with no pattern
      {"Short (*.)|*.|", "layers", 1, "layers"},  // a pattern of two characters
      {"One letter (*.?)|*.?|", "layers", 1, "layers"},
  };
  for (const auto& c : cases) {
    Headless().fileAnswers.push_back(FileDialogAnswer{c.chosen, c.index});
    int index = 1;
    const auto path = FileDialogPrompt(0, &index, c.filter, "Save", "default");
    ASSERT_TRUE(path) << c.chosen;
    EXPECT_EQ(*path, c.result) << c.chosen << " with filter " << c.index;
    EXPECT_EQ(index, c.index);
  }
  const FileDialogRequest& request = Headless().fileRequests.front();
  EXPECT_FALSE(request.open);
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[1].description, "All Files (*.*)");
  EXPECT_EQ(request.filters[1].pattern, "*.*");
  EXPECT_EQ(request.title, "Save");
  EXPECT_EQ(request.defaultName, "default");
}

TEST_F(FileNamesTest, CancelReturnsNothingAndKeepsTheFilterIndex) {
  Headless().fileAnswers.push_back(std::nullopt);
  int index = 2;
  EXPECT_FALSE(FileDialogPrompt(1, &index, "A (*.a)|*.a|B (*.b)|*.b|", {}, {}));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(Headless().fileRequests.front().filterIndex, 2);
}

TEST_F(FileNamesTest, EachPromptReopensInTheFolderItWasLastUsedIn) {
  const char* layers = "Layer Files (*.lyr)|*.lyr|";
  const char* pictures = "BMP Files (*.bmp)|*.bmp|";
  struct Step {
    int open;
    const char* filter;
    const char* initialFolder;
    const char* chosen;  // none: cancelled
    const char* shownIn;
  };
  const Step steps[] = {
      {1, layers, "/start", "/a/one.lyr", "/start"},   // first use: the caller's folder
      {1, layers, "/start", nullptr, "/a"},            // then where it was last used
      {0, layers, "", "/b/two", ""},                   // the save prompt is its own
      {0, layers, "", "/c/three", "/b"},
      {1, layers, "", "/a/four.lyr", "/a"},            // a cancel remembered nothing
      {0, pictures, "", "/d/p.bmp", ""},
  };
  for (const Step& step : steps) {
    Headless().fileRequests.clear();
    if (step.chosen) {
      Headless().fileAnswers.push_back(FileDialogAnswer{step.chosen, 1});
    } else {
      Headless().fileAnswers.push_back(std::nullopt);
    }
    int index = 1;
    FileDialogPrompt(step.open, &index, step.filter, {}, {}, step.initialFolder);
    ASSERT_EQ(Headless().fileRequests.size(), 1u);
    EXPECT_EQ(Headless().fileRequests[0].initialFolder, step.shownIn) << step.chosen;
  }
}

}  // namespace
