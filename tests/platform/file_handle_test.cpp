#include "platform/file_handle.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

// Input of unknown size is read to its end and handed on as a seekable file holding exactly it;
// an empty pipe gives an empty file, not a failure.
TEST(FileHandleTest, APipeIsReadWholeIntoASeekableFile) {
  for (const std::string& text : {std::string("abc"), std::string(), std::string(200000, 'x')}) {
    SCOPED_TRACE(text.size());
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    // More than a pipe holds at once is written from a child, while the reader drains it.
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      close(ends[0]);
      const ssize_t written = write(ends[1], text.data(), text.size());
      _exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    close(ends[1]);
    const FileHandle file = OpenFile("/dev/fd/" + std::to_string(ends[0]), "rb");
    close(ends[0]);
    int status = -1;
    waitpid(writer, &status, 0);
    EXPECT_EQ(status, 0);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fseek(file.get(), 0, SEEK_END), 0);
    EXPECT_EQ(std::ftell(file.get()), static_cast<long>(text.size()));
    std::rewind(file.get());
    std::string read(text.size() + 1, '\0');
    read.resize(std::fread(read.data(), 1, read.size(), file.get()));
    EXPECT_EQ(read, text);
  }
}

}  // namespace
