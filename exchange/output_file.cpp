#include "exchange/output_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/replacing_file.h"

namespace {

std::int64_t failAfterBytes = -1;

}  // namespace

void OutputFile::FailWritesAfter(std::int64_t bytes) { failAfterBytes = bytes; }

OutputFile::OutputFile() = default;
OutputFile::~OutputFile() = default;

bool OutputFile::Open(const std::string& target) {
  Discard();
  file_ = ReplacingFile::Open(target);
  if (file_ == nullptr) return false;
  if (buffer_ == nullptr) buffer_ = std::make_unique<char[]>(kOutputBufferBytes);
  return true;
}

void OutputFile::Discard() {
  file_.reset();
  used_ = 0;
  handed_ = 0;
  failed_ = false;
}

void OutputFile::Hand(const void* bytes, std::size_t count) {
  if (failed_ || count == 0) return;
  std::size_t allowed = count;
  if (failAfterBytes >= 0 && handed_ + static_cast<std::int64_t>(count) > failAfterBytes) {
    allowed = static_cast<std::size_t>(std::max<std::int64_t>(failAfterBytes - handed_, 0));
    failed_ = true;
  }
  const std::size_t written = std::fwrite(bytes, 1, allowed, file_->file());
  handed_ += static_cast<std::int64_t>(written);
  if (written != allowed) failed_ = true;
}

void OutputFile::Flush() {
  Hand(buffer_.get(), used_);
  used_ = 0;
}

void OutputFile::Write(const void* bytes, std::size_t count) {
  if (failed_ || file_ == nullptr) {
    failed_ = true;
    return;
  }
  if (count > kOutputBufferBytes - used_) {
    Flush();
    if (count >= kOutputBufferBytes) {
      Hand(bytes, count);
      return;
    }
  }
  std::memcpy(buffer_.get() + used_, bytes, count);
  used_ += count;
}

void OutputFile::WriteAt(long offset, const void* bytes, std::size_t count) {
  if (failed_ || file_ == nullptr) {
    failed_ = true;
    return;
  }
  Flush();
  if (failed_) return;
  if (std::fseek(file_->file(), offset, SEEK_SET) != 0) {
    failed_ = true;
    return;
  }
  Hand(bytes, count);
  if (std::fseek(file_->file(), 0, SEEK_END) != 0) failed_ = true;
}

bool OutputFile::Commit() {
  if (file_ == nullptr) return false;
  Flush();
  const bool ok = !failed_ && file_->Finish() && file_->ReplaceTarget();
  Discard();
  return ok;
}
