// Buffered reading and writing of byte lines over a platform's raw file calls.
#include "platform/buffered_stream.h"

#include <cstring>

#include "platform/rt_error.h"

namespace platform {

void BufferedTextStream::RequireOpen() const {
  if (!open_) throw RuntimeError(kPathFileAccess);
}

bool BufferedTextStream::Fill() {
  if (inPos_ < inSize_) return true;
  if (eof_) return false;
  if (!in_) in_ = std::make_unique<char[]>(kChunk);
  inSize_ = RawRead(in_.get(), kChunk);
  inPos_ = 0;
  if (inSize_ == 0) eof_ = true;
  return inSize_ != 0;
}

bool BufferedTextStream::AtEndOfStream() {
  RequireOpen();
  return !Fill();
}

void BufferedTextStream::ReadLineInto(std::string& line) {
  RequireOpen();
  if (!Fill()) throw RuntimeError(kPastEndOfFile);
  line.clear();
  while (Fill()) {
    const char* start = in_.get() + inPos_;
    std::size_t left = inSize_ - inPos_;
    const void* lf = std::memchr(start, '\n', left);
    if (lf == nullptr) {
      line.append(start, left);
      inPos_ = inSize_;
      continue;
    }
    std::size_t len = static_cast<const char*>(lf) - start;
    inPos_ += len + 1;
    if (line.empty()) {
      // The common case: the whole line lies in the buffer.
      line.assign(start, len > 0 && start[len - 1] == '\r' ? len - 1 : len);
      return;
    }
    line.append(start, len);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return;
  }
  // The last line had no terminator.
}

void BufferedTextStream::WriteLine(const std::string& text) {
  RequireOpen();
  out_.append(text);
  out_.append("\r\n", 2);
  if (out_.size() >= kChunk) FlushBuffer();
}

std::size_t BufferedTextStream::CopyLinesUntil(TextStream& out, std::string_view stops) {
  auto* to = dynamic_cast<BufferedTextStream*>(&out);
  if (to == nullptr) return 0;
  RequireOpen();
  to->RequireOpen();
  bool stop[256] = {};
  for (char c : stops) stop[static_cast<unsigned char>(c)] = true;
  std::size_t lines = 0;
  while (Fill()) {
    const char* const start = in_.get() + inPos_;
    const char* const end = in_.get() + inSize_;
    const char* run = start;  // bytes that go out as they are, not yet moved
    const char* at = start;
    while (at < end && !stop[static_cast<unsigned char>(*at)]) {
      const auto* lf = static_cast<const char*>(std::memchr(at, '\n', end - at));
      if (lf == nullptr) break;  // a line across the buffer's end
      if (lf == at || lf[-1] != '\r') {
        // LF alone ends the line: it goes out with CR LF, as WriteLine does.
        to->out_.append(run, lf - run);
        to->out_.append("\r\n", 2);
        run = lf + 1;
      }
      at = lf + 1;
      ++lines;
    }
    to->out_.append(run, at - run);
    inPos_ += at - start;
    if (to->out_.size() >= kChunk) to->FlushBuffer();
    if (at < end) break;  // a line to read the careful way
  }
  return lines;
}

void BufferedTextStream::FlushBuffer() {
  if (out_.empty()) return;
  // Cleared whether or not the write succeeds; the buffer keeps its storage.
  struct Clear {
    std::string& s;
    ~Clear() { s.clear(); }
  } clear{out_};
  RawWrite(out_.data(), out_.size());
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
