#include "scratch_file.h"

#include <stdexcept>

#include "kernel/object_stream.h"

ScratchFile::ScratchFile(const Bytes& contents) : file_(std::tmpfile()) {
  if (file_ == nullptr) throw std::runtime_error("no temporary file");
  if (!contents.empty()) std::fwrite(contents.data(), 1, contents.size(), file_);
  std::rewind(file_);
  previous_ = SetObjectStream(file_);
}

ScratchFile::~ScratchFile() {
  SetObjectStream(previous_);
  std::fclose(file_);
}

Bytes ScratchFile::Contents() {
  std::fflush(file_);
  std::fseek(file_, 0, SEEK_END);
  Bytes bytes(static_cast<std::size_t>(std::ftell(file_)));
  std::rewind(file_);
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file_) != bytes.size()) bytes.clear();
  std::rewind(file_);
  // Reading starts afresh: re-measure the file and clear any failure from writing.
  SetObjectStream(file_);
  return bytes;
}

Bytes CaptureWrite(const std::function<void()>& write) {
  ScratchFile scratch;
  write();
  return scratch.Contents();
}

