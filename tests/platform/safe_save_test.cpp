#include "platform/safe_save.h"

#include <filesystem>

#include "support/program_state.h"
#include "support/temp_folder.h"

namespace {

using SafeSaveTest = LumidrexTest;

std::size_t FilesIn(const TempFolder& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++count;
  return count;
}

TEST_F(SafeSaveTest, ASuccessfulSaveReplacesTheFile) {
  TempFolder folder;
  const std::string path = folder.Write("a.lyr", std::string_view("old"));
  EXPECT_TRUE(SaveFileSafely(path, [](std::FILE* f) { return std::fputs("new", f) >= 0; }));
  EXPECT_EQ(ReadFileBytes(path), Bytes({'n', 'e', 'w'}));
  EXPECT_EQ(FilesIn(folder), 1u);
}

TEST_F(SafeSaveTest, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
  TempFolder folder;
  const std::string path = folder.Write("a.lyr", std::string_view("old"));
  EXPECT_FALSE(SaveFileSafely(path, [](std::FILE* f) {
    std::fputs("half", f);
    return false;
  }));
  EXPECT_EQ(ReadFileBytes(path), Bytes({'o', 'l', 'd'}));
  EXPECT_EQ(FilesIn(folder), 1u);
  EXPECT_FALSE(SaveFileSafely(folder.File("missing/b.lyr"), [](std::FILE*) { return true; }));
}

}  // namespace
