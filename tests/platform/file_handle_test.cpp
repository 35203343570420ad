#include "platform/file_handle.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>

#include "pipe_writer.h"
#include "temp_dir.h"

namespace {

// Input of unknown size is handed on as a seekable file holding what was taken of it: all of it,
// or only its first bytes when they are not the reader's magic, or nothing (null) when it runs
// past the limit. An empty pipe gives an empty file, not a failure.
TEST(FileHandleTest, APipeIsTakenIntoASeekableFileUpToItsMagicOrItsLimit) {
  struct Case {
    const char* name;
    std::string head;      // sent first,
    std::size_t fill;      // then as many 'x'
    std::string magic;
    std::optional<std::string> taken;  // nullopt: refused
  };
  const std::string big(200000, 'x');
  const Case cases[] = {
      {"short", "abc", 0, "", "abc"},
      {"empty", "", 0, "", ""},
      {"more than a pipe holds at once", "", big.size(), "", big},
      {"with its magic", "BM", big.size(), "BM", "BM" + big},
      {"another kind: only the first bytes", "", big.size(), "BM", "xx"},
      {"shorter than the magic", "B", 0, "BM", "B"},
      {"past the limit", "", kMaxStreamedInputBytes + (1 << 20), "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PipeWriter writer(c.head, c.fill, 'x');
    ASSERT_TRUE(writer.Started());
    const FileHandle file = OpenFile(writer.Path(), "rb", c.magic);
    // Only input of another kind and input past the limit are left unread.
    EXPECT_EQ(writer.Finish(), c.taken && c.taken->size() == c.head.size() + c.fill);
    ASSERT_EQ(file != nullptr, c.taken.has_value());
    if (!file) continue;
    EXPECT_EQ(FileSizeOf(file.get()), static_cast<std::int64_t>(c.taken->size()));
    std::string read(c.taken->size() + 1, '\0');
    read.resize(std::fread(read.data(), 1, read.size(), file.get()));
    EXPECT_EQ(read, *c.taken);
  }
}

// A FIFO nobody writes to opens at once, as an empty file.
TEST(FileHandleTest, AFifoWithoutAWriterReadsAsEmpty) {
  const TempDir dir;
  const std::string fifo = dir.File("fifo.lxd");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const FileHandle file = OpenFile(fifo, "rb", "TALVERNOSIGN0100");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(FileSizeOf(file.get()), 0);
}

}  // namespace
