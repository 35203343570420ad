#include "platform/program_folder.h"

#include <filesystem>

#include "program_state.h"

namespace {

using ProgramFolderTest = LumidrexTest;

TEST_F(ProgramFolderTest, TheWholeFolderOfTheExecutableWithATrailingSlash) {
  const std::string folder = GetProgramDir();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(folder + "test_platform"));
}

TEST_F(ProgramFolderTest, AnOverrideStandsUntilCleared) {
  const std::string real = GetProgramDir();
  SetProgramDirOverride("/tmp/fixture");
  EXPECT_EQ(GetProgramDir(), "/tmp/fixture/");
  SetProgramDirOverride("");
  EXPECT_EQ(GetProgramDir(), real);
}

}  // namespace
