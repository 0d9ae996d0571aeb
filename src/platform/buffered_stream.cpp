#include "platform/buffered_stream.h"

#include <cstring>

#include "platform/rt_error.h"

namespace platform {

void BufferedTextStream::RequireOpen() const {
  if (!open_) throw RuntimeError(kPathFileAccess);
}

bool BufferedTextStream::Fill() {
  if (inPos_ < in_.size()) return true;
  if (eof_) return false;
  in_.resize(kChunk);
  std::size_t got = RawRead(in_.data(), in_.size());
  in_.resize(got);
  inPos_ = 0;
  if (got == 0) eof_ = true;
  return got != 0;
}

bool BufferedTextStream::AtEndOfStream() {
  RequireOpen();
  return !Fill();
}

std::string BufferedTextStream::ReadLine() {
  RequireOpen();
  if (!Fill()) throw RuntimeError(kPastEndOfFile);
  std::string line;
  while (Fill()) {
    const char* start = in_.data() + inPos_;
    std::size_t left = in_.size() - inPos_;
    const void* lf = std::memchr(start, '\n', left);
    if (lf == nullptr) {
      line.append(start, left);
      inPos_ = in_.size();
      continue;
    }
    std::size_t len = static_cast<const char*>(lf) - start;
    line.append(start, len);
    inPos_ += len + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
  return line;  // the last line had no terminator
}

void BufferedTextStream::WriteLine(const std::string& text) {
  RequireOpen();
  out_ += text;
  out_ += "\r\n";
  if (out_.size() >= kChunk) FlushBuffer();
}

void BufferedTextStream::FlushBuffer() {
  if (out_.empty()) return;
  std::string pending;
  pending.swap(out_);
  RawWrite(pending.data(), pending.size());
}

void BufferedTextStream::Commit() {
  RequireOpen();
  FlushBuffer();
  RawSync();
}

void BufferedTextStream::Close() {
  if (!open_) return;
  open_ = false;
  try {
    FlushBuffer();
  } catch (...) {
    CloseQuietly();
    throw;
  }
  RawClose();
}

void BufferedTextStream::CloseQuietly() noexcept {
  open_ = false;
  out_.clear();
  try {
    RawClose();
  } catch (...) {
    // Releasing a stream must not fail; the error that led here is reported.
  }
}

}  // namespace platform
