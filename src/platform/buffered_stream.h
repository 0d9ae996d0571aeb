// The line splitting and buffering shared by every platform's text stream;
// each platform supplies only raw reads, writes, sync and close.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace platform {

class BufferedTextStream : public TextStream {
 public:
  ~BufferedTextStream() override = default;

  bool AtEndOfStream() override;
  void ReadLineInto(std::string& line) override;
  void WriteLine(const std::string& text) override;
  // In bulk from this stream's read buffer to another buffered stream's
  // write buffer: runs of lines move as they are, a bare LF made CR LF.
  std::size_t CopyLinesUntil(TextStream& out, std::string_view stops) override;
  void Commit() override;
  void Close() override;

 protected:
  // Each throws RuntimeError on failure. RawRead returns 0 at end of file.
  virtual std::size_t RawRead(char* buffer, std::size_t size) = 0;
  virtual void RawWrite(const char* data, std::size_t size) = 0;
  virtual void RawSync() = 0;
  virtual void RawClose() = 0;

  // For the destructor of a platform stream: closes without throwing.
  void CloseQuietly() noexcept;
  bool IsOpen() const { return open_; }

 private:
  bool Fill();
  void FlushBuffer();
  void RequireOpen() const;

  static constexpr std::size_t kChunk = 256 * 1024;
  std::unique_ptr<char[]> in_;
  std::size_t inSize_ = 0;
  std::size_t inPos_ = 0;
  bool eof_ = false;
  std::string out_;
  bool open_ = true;
};

}  // namespace platform
