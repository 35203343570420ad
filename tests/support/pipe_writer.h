#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <string>

// A pipe filled from a child process, so that more than a pipe holds can be sent while this
// process reads it: head, then fill copies of byte. The child stops early when the reader closes
// the pipe.
class PipeWriter {
 public:
  PipeWriter(const std::string& head, std::size_t fill, char byte) {
    int ends[2];
    if (pipe(ends) != 0) return;
    writer_ = fork();
    if (writer_ == 0) {
      std::signal(SIGPIPE, SIG_IGN);
      close(ends[0]);
      const std::string chunk(65536, byte);
      bool sent = write(ends[1], head.data(), head.size()) == static_cast<ssize_t>(head.size());
      for (std::size_t left = fill; sent && left > 0;) {
        const ssize_t step = write(ends[1], chunk.data(), std::min(left, chunk.size()));
        sent = step > 0;
        if (sent) left -= static_cast<std::size_t>(step);
      }
      _exit(sent ? 0 : 1);
    }
    close(ends[1]);
    readEnd_ = ends[0];
  }
  ~PipeWriter() { Finish(); }
  PipeWriter(const PipeWriter&) = delete;
  PipeWriter& operator=(const PipeWriter&) = delete;

  bool Started() const { return writer_ > 0; }
  // A path that reads the pipe.
  std::string Path() const { return "/dev/fd/" + std::to_string(readEnd_); }
  // Closes the pipe and waits for the child: true when everything was written, that is when the
  // reader took it all.
  bool Finish() {
    if (readEnd_ >= 0) close(readEnd_);
    readEnd_ = -1;
    if (writer_ > 0) waitpid(writer_, &status_, 0);
    writer_ = -1;
    return status_ == 0;
  }

 private:
  pid_t writer_ = -1;
  int readEnd_ = -1;
  int status_ = -1;
};
