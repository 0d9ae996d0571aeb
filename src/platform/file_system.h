// The file service the settings code works through: text streams of byte
// lines, plus the few whole-file operations a save needs. The real service is
// one per platform; tests wrap it to fail on purpose.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/path.h"

namespace platform {

enum class IOMode { kForReading = 1, kForWriting = 2 };

// A file opened as text. Lines are bytes, never decoded: a line
// ends at LF, a CR right before that LF belongs to the terminator, and every
// other byte (NUL, a lone CR, 0x80 and above) is part of the line.
class TextStream {
 public:
  virtual ~TextStream() = default;
  virtual bool AtEndOfStream() = 0;
  // Reads the next line into `line`, reusing its storage. Throws
  // kPastEndOfFile when nothing is left, and then leaves `line` as it was.
  virtual void ReadLineInto(std::string& line) = 0;
  std::string ReadLine() {
    std::string line;
    ReadLineInto(line);
    return line;
  }
  // Writes the text followed by CR LF.
  virtual void WriteLine(const std::string& text) = 0;
  // Copies lines to `out` as ReadLine and WriteLine would, byte for byte,
  // while their first byte is none of `stops`; stops before such a line, at
  // the end, or wherever the stream prefers the careful way. Returns how many
  // lines it copied; a stream that cannot copy in bulk copies none.
  virtual std::size_t CopyLinesUntil(TextStream& out, std::string_view stops) {
    (void)out;
    (void)stops;
    return 0;
  }
  // Pushes everything written so far onto the disk.
  virtual void Commit() = 0;
  virtual void Close() = 0;
};

// What a path names, as far as its attributes and size tell.
struct PathInfo {
  enum Kind { kNothing, kFile, kFolder } kind = kNothing;
  std::uint64_t size = 0;  // of a file
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The folder holding the program's own executable.
  virtual Path AppFolder() = 0;
  virtual bool FileExists(const Path& path) = 0;
  // kForReading with create set makes a missing file first. kForWriting
  // never writes into an existing file: a file of that name (whatever its
  // attributes, or a hard link to another file) is removed first and a new
  // one created exclusively; a folder of that name is an error.
  virtual std::unique_ptr<TextStream> OpenTextFile(const Path& path, IOMode mode, bool create) = 0;
  virtual void DeleteFile(const Path& path) = 0;
  // Gives `from` the name `to` in one step, so that `to` always exists with
  // either its old or its new content; the new `to` keeps the old one's
  // attributes (hidden, system, archive) and gains none. Refuses
  // (kPermissionDenied) when `to` is read-only. Retries briefly while another
  // program holds `to`.
  virtual void ReplaceFile(const Path& from, const Path& to) = 0;
  // The name (UTF-8), as the file system stores it, of the normal file (not
  // hidden, not system, not a folder) that `path` names; empty when there is
  // none.
  virtual std::string FindNormalFile(const Path& path) = 0;
  // Whether `path` names a file (and its size) or a folder. Reads the
  // attributes only, never the file; any failure counts as nothing there.
  virtual PathInfo Inspect(const Path& path) = 0;
};

// The platform's real file service.
FileSystem& RealFileSystem();

}  // namespace platform
