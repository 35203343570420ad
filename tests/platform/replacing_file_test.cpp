#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <string_view>

#include "platform/replacing_file.h"
#include "temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ReplacingFileTest, TargetChangesOnlyWhenReplaced) {
  TempDir dir;
  const std::string target = dir.File("ring.lxd");
  WriteWholeFile(target, {'o', 'l', 'd'});
  chmod(target.c_str(), 0640);

  {
    auto file = ReplacingFile::Open(target);
    ASSERT_NE(file, nullptr);
    std::fputs("new", file->file());
    EXPECT_EQ(ReadWholeFile(target), (Bytes{'o', 'l', 'd'}));
    // Dropped without replacing: the old file stays and no temporary file is left.
  }
  EXPECT_EQ(ReadWholeFile(target), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"ring.lxd"});

  auto file = ReplacingFile::Open(target);
  ASSERT_NE(file, nullptr);
  std::fputs("new", file->file());
  ASSERT_TRUE(file->Finish());
  ASSERT_TRUE(file->ReplaceTarget());
  EXPECT_EQ(ReadWholeFile(target), (Bytes{'n', 'e', 'w'}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"ring.lxd"});
  struct stat info;
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// Only temporary files of the same target that no live writer holds are taken for leftovers of
// a killed one.
TEST(ReplacingFileTest, TheNextWriterRemovesWhatAKilledOneLeft) {
  TempDir dir;
  const std::string target = dir.File("ring.lxd");
  const auto live = ReplacingFile::Open(target);
  ASSERT_NE(live, nullptr);
  const std::string liveName = live->temporaryPath().substr(dir.path().size() + 1);
  for (const char* name : {"ring.lxd.saving-k1Lled", "ring.lxd.saving-k2", "ring.lxd.backup", "band.lxd.saving-k3Lled"}) {
    dir.Write(name, std::string_view("left"));
  }
  const auto next = ReplacingFile::Open(target);
  ASSERT_NE(next, nullptr);
  std::vector<std::string> expected = {"band.lxd.saving-k3Lled", "ring.lxd.backup", "ring.lxd.saving-k2", liveName,
                                       next->temporaryPath().substr(dir.path().size() + 1)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(dir.Entries(), expected);
}

TEST(ReplacingFileTest, RefusesWhatAPlainCreateWould) {
  TempDir dir;
  const std::string readOnly = dir.File("locked.lxd");
  WriteWholeFile(readOnly, {'x'});
  chmod(readOnly.c_str(), 0444);
  EXPECT_EQ(ReplacingFile::Open(readOnly), nullptr);
  EXPECT_EQ(ReadWholeFile(readOnly), Bytes{'x'});
  EXPECT_EQ(ReplacingFile::Open(""), nullptr);
  EXPECT_EQ(ReplacingFile::Open(dir.File("missing/folder.lxd")), nullptr);
  EXPECT_EQ(ReplacingFile::Open(dir.path()), nullptr);  // a folder is not replaced by a file
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"locked.lxd"});
}

TEST(ReplacingFileTest, FailedWriteIsReported) {
  TempDir dir;
  auto file = ReplacingFile::Open(dir.File("a.bmp"));
  ASSERT_NE(file, nullptr);
  // Reading from a write-only stream sets its error flag, as a failed write would.
  std::fgetc(file->file());
  EXPECT_FALSE(file->Finish());
}

}  // namespace
