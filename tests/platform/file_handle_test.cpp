#include "platform/file_handle.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <string>

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
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    // Written from a child while the reader drains the pipe; a write the reader cut off fails.
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      std::signal(SIGPIPE, SIG_IGN);
      close(ends[0]);
      const std::string chunk(65536, 'x');
      bool sent = write(ends[1], c.head.data(), c.head.size()) == static_cast<ssize_t>(c.head.size());
      for (std::size_t left = c.fill; sent && left > 0;) {
        const ssize_t step = write(ends[1], chunk.data(), std::min(left, chunk.size()));
        sent = step > 0;
        if (sent) left -= static_cast<std::size_t>(step);
      }
      _exit(sent ? 0 : 1);
    }
    close(ends[1]);
    const FileHandle file = OpenFile("/dev/fd/" + std::to_string(ends[0]), "rb", c.magic);
    close(ends[0]);
    int status = -1;
    waitpid(writer, &status, 0);
    // Only input of another kind and input past the limit are left unread.
    const bool whole = c.taken && c.taken->size() == c.head.size() + c.fill;
    EXPECT_EQ(status == 0, whole);
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
