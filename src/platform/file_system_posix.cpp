// The file service on POSIX systems, for the native build and its tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>

#include "platform/buffered_stream.h"
#include "platform/file_system.h"
#include "platform/rt_error.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class PosixStream final : public BufferedTextStream {
 public:
  explicit PosixStream(int fd) : fd_(fd) {}
  ~PosixStream() override {
    if (IsOpen()) CloseQuietly();
  }

 protected:
  std::size_t RawRead(char* buffer, std::size_t size) override {
    for (;;) {
      ssize_t got = ::read(fd_, buffer, size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) ThrowErrno(errno);
    }
  }
  void RawWrite(const char* data, std::size_t size) override {
    while (size > 0) {
      ssize_t put = ::write(fd_, data, size);
      if (put < 0) {
        if (errno == EINTR) continue;
        ThrowErrno(errno);
      }
      data += put;
      size -= static_cast<std::size_t>(put);
    }
  }
  void RawSync() override {
    if (::fsync(fd_) != 0) ThrowErrno(errno);
  }
  void RawClose() override {
    if (fd_ < 0) return;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) ThrowErrno(errno);
  }

 private:
  int fd_;
};

void SyncFolder(const Path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) ThrowErrno(errno);
  int rc = ::fsync(fd);
  int err = errno;
  ::close(fd);
  if (rc != 0) ThrowErrno(err);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

class PosixFileSystem final : public FileSystem {
 public:
  Path AppFolder() override {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw RuntimeError(kPathNotFound);
    return exe.parent_path();
  }

  bool FileExists(const Path& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  std::unique_ptr<TextStream> OpenTextFile(const Path& path, IOMode mode, bool create) override {
    int flags = O_CLOEXEC;
    if (mode == IOMode::kForReading) {
      flags |= O_RDONLY | (create ? O_CREAT : 0);
    } else {
      // Never write into an existing file: it may be a hard or symbolic link
      // to another one. Remove it and create the file exclusively.
      struct stat st;
      if (::lstat(path.c_str(), &st) != 0) {
        if (!create) ThrowErrno(errno);
      } else if (!S_ISDIR(st.st_mode) && ::unlink(path.c_str()) != 0) {
        ThrowErrno(errno);
      }
      flags |= O_WRONLY | O_CREAT | O_EXCL;
    }
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) ThrowErrno(errno);
    return std::make_unique<PosixStream>(fd);
  }

  void DeleteFile(const Path& path) override {
    if (::unlink(path.c_str()) != 0) ThrowErrno(errno);
  }

  void ReplaceFile(const Path& from, const Path& to) override {
    struct stat st;
    // Root may write anything; the owner's write bit is what "read-only"
    // means to the user who set it.
    if (::stat(to.c_str(), &st) == 0) {
      if ((st.st_mode & S_IWUSR) == 0) throw RuntimeError(kPermissionDenied);
      // The new file keeps the old one's permissions; most often it has
      // them already, and a change after its flush would cost another.
      struct stat made;
      if (::stat(from.c_str(), &made) != 0) ThrowErrno(errno);
      if ((made.st_mode & 07777) != (st.st_mode & 07777) &&
          ::chmod(from.c_str(), st.st_mode & 07777) != 0)
        ThrowErrno(errno);
    }
    if (::rename(from.c_str(), to.c_str()) != 0) ThrowErrno(errno);
    SyncFolder(to.Parent());
  }

  PathInfo Inspect(const Path& path) override {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
    if (S_ISDIR(st.st_mode)) return {PathInfo::kFolder, 0};
    return {PathInfo::kFile, static_cast<std::uint64_t>(st.st_size)};
  }

  std::string FindNormalFile(const Path& path) override {
    // Windows matches names without regard to case and reports the stored
    // spelling; do the same over the folder's entries.
    const std::string wanted = path.FileName();
    std::error_code ec;
    fs::path folder = path.Parent().empty() ? fs::path(".") : fs::path(path.Parent().Native());
    std::string found;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
      std::string name = entry.path().filename().string();
      if (!SameIgnoringCase(name, wanted) || name[0] == '.') continue;
      if (!entry.is_regular_file(ec)) continue;
      if (name == wanted) return name;
      found = name;
    }
    return found;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem instance;
  return instance;
}

}  // namespace platform
