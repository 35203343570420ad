#include "platform/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "program_state.h"
#include "temp_dir.h"
#include "tmpdir_scope.h"

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

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
  return status.st_mode;
}

TEST_F(ProgramFolderTest, TheExchangeFolderIsAPrivateLumidrexFolderSettledOncePerRun) {
  TempDir base;
  const TmpDirScope tmp(base.path());
  const std::string folder = GetExchangeFolder();
  EXPECT_EQ(folder, base.File("lumidrex/"));
  EXPECT_EQ(ModeOf(folder) & 0777, 0700u);
  std::filesystem::remove(folder);
  EXPECT_EQ(GetExchangeFolder(), folder);  // not looked at again
  ResetExchangeFolder();
  EXPECT_EQ(GetExchangeFolder(), folder);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(ProgramFolderTest, AnExchangeFolderThatOthersCouldSwapIsNotUsed) {
  struct Case {
    const char* what;
    void (*plant)(const std::string& base, const std::string& other);
  };
  const Case cases[] = {
      {"a link to a folder", [](const std::string& base, const std::string& other) {
         std::filesystem::create_directory_symlink(other, base + "/lumidrex");
       }},
      {"a world-writable folder", [](const std::string& base, const std::string&) {
         ::mkdir((base + "/lumidrex").c_str(), 0700);
         ::chmod((base + "/lumidrex").c_str(), 0777);
       }},
      {"a regular file", [](const std::string& base, const std::string&) {
         WriteWholeFile(base + "/lumidrex", {1});
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir base, other;
    c.plant(base.path(), other.path());
    const TmpDirScope tmp(base.path());
    const std::string folder = GetExchangeFolder();
    ASSERT_EQ(folder.rfind(base.File("lumidrex-"), 0), 0u) << folder;
    EXPECT_EQ(folder.size(), base.File("lumidrex-XXXXXX/").size());
    EXPECT_EQ(ModeOf(folder) & 0777, 0700u);
    EXPECT_TRUE(other.Entries().empty());
  }
}

}  // namespace
