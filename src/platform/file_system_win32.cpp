// The file service on Windows: wide-character calls throughout, so any
// folder name works.
#include <windows.h>

#include <string>
#include <utility>

#include "platform/buffered_stream.h"
#include "platform/file_system.h"
#include "platform/rt_error.h"
#include "platform/system_library.h"
#include "platform/unique_handle.h"

namespace platform {
namespace {

[[noreturn]] void ThrowLast() {
  ThrowWin32(::GetLastError());
}

// The form a file call takes `given` in at any length. A rooted (\x) or
// drive-relative (C:x) path names a file only with the process's current
// drive and folders, which GetFullPathNameW applies to a path of any length
// ("File path formats on Windows systems"); the rest is LongPathForm's.
std::wstring CallForm(const Path& given) {
  const std::wstring& path = given.Native();
  if (path.size() < MAX_PATH || !IsRelativeToCurrentDrive(path)) return LongPathForm(path);
  const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  std::wstring full(needed, L'\0');
  const DWORD got = needed ? ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr) : 0;
  if (got == 0 || got >= needed) return path;  // the call then gives the system's answer
  full.resize(got);
  return LongPathForm(full);
}

class Win32Stream final : public BufferedTextStream {
 public:
  explicit Win32Stream(UniqueFile file) : file_(std::move(file)) {}
  ~Win32Stream() override {
    if (IsOpen()) CloseQuietly();
  }

 protected:
  std::size_t RawRead(char* buffer, std::size_t size) override {
    DWORD got = 0;
    if (!::ReadFile(file_.Get(), buffer, static_cast<DWORD>(size), &got, nullptr)) ThrowLast();
    return got;
  }
  void RawWrite(const char* data, std::size_t size) override {
    while (size > 0) {
      DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
      DWORD put = 0;
      if (!::WriteFile(file_.Get(), data, chunk, &put, nullptr)) ThrowLast();
      if (put == 0) throw RuntimeError(kDiskFull);
      data += put;
      size -= put;
    }
  }
  void RawSync() override {
    if (!::FlushFileBuffers(file_.Get())) ThrowLast();
  }
  void RawClose() override {
    // Closed here rather than by the owner, so that a failure is seen.
    if (!file_) return;
    if (!::CloseHandle(file_.Release())) ThrowLast();
  }

 private:
  UniqueFile file_;
};

// A removed file that another program (a virus scanner, an indexer) still
// holds keeps its name until that program lets go, and meanwhile every call
// on the name answers access denied. Only the NTSTATUS behind the error tells
// that apart from a real refusal, as LLVM, PostgreSQL and Git tell it:
// STATUS_DELETE_PENDING. `lastStatus` is looked up before the failed call,
// so that nothing runs between that call and the question.
constexpr LONG kStatusDeletePending = static_cast<LONG>(0xC0000056);
using LastStatus = decltype(Find(system_functions::RtlGetLastNtStatus));

bool DeletePending(DWORD code, LastStatus lastStatus) {
  return code == ERROR_ACCESS_DENIED && lastStatus && lastStatus() == kStatusDeletePending;
}

// A file to be written anew may be a left-over of an earlier run: read-only,
// hidden, or a hard link whose data another file shares. Writing through it
// would change that other file or pass the attributes on, so it goes.
// True when a file was removed, or its removal is pending.
bool RemoveLeftOver(const std::wstring& path, bool create, LastStatus lastStatus) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = ::GetLastError();
    if (create && DeletePending(code, lastStatus)) return true;
    if (!create) ThrowWin32(code);
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;  // creating the file reports it
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!::DeleteFileW(path.c_str())) ThrowLast();
  return true;
}

bool IsSharingRefusal(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED ||
         code == ERROR_LOCK_VIOLATION;
}

class Win32FileSystem final : public FileSystem {
 public:
  Path AppFolder() override {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
      DWORD len = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (len == 0) ThrowLast();
      if (len < buffer.size()) {
        buffer.resize(len);
        return Path(buffer).Parent();
      }
      buffer.resize(buffer.size() * 2);
    }
  }

  bool FileExists(const Path& path) override {
    DWORD attributes = ::GetFileAttributesW(CallForm(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::unique_ptr<TextStream> OpenTextFile(const Path& given, IOMode mode, bool create) override {
    const std::wstring path = CallForm(given);
    DWORD access, share, disposition;
    bool removed = false;
    const LastStatus lastStatus = Find(system_functions::RtlGetLastNtStatus);
    if (mode == IOMode::kForReading) {
      access = GENERIC_READ;
      share = FILE_SHARE_READ | FILE_SHARE_WRITE;
      disposition = create ? OPEN_ALWAYS : OPEN_EXISTING;
    } else {
      access = GENERIC_WRITE;
      share = FILE_SHARE_READ;
      disposition = CREATE_NEW;
      removed = RemoveLeftOver(path, create, lastStatus);
    }
    // A removed file that a virus scanner or indexer still holds keeps its
    // name until they let go: Windows refuses the new file meanwhile as
    // access denied (delete pending), Wine as existing. Wait that out.
    constexpr int kTries = 20;
    for (int attempt = 1;; ++attempt) {
      UniqueFile file(::CreateFileW(path.c_str(), access, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
      if (file) return std::make_unique<Win32Stream>(std::move(file));
      const DWORD code = ::GetLastError();
      const bool pending = DeletePending(code, lastStatus) || code == ERROR_FILE_EXISTS;
      if (!removed || !pending || attempt == kTries) ThrowWin32(code);
      ::Sleep(50);
    }
  }

  void DeleteFile(const Path& path) override {
    if (!::DeleteFileW(CallForm(path).c_str())) ThrowLast();
  }

  void ReplaceFile(const Path& source, const Path& target) override {
    const std::wstring from = CallForm(source), to = CallForm(target);
    // MoveFileExW replaces a read-only file under Wine; the user's choice to
    // protect the file wins, so look first.
    DWORD attributes = ::GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      if (attributes & FILE_ATTRIBUTE_READONLY) throw RuntimeError(kPermissionDenied);
      // The renamed file brings its own attributes; give it the old file's.
      constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
      const DWORD kept = attributes & kKept;
      if (!::SetFileAttributesW(from.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL)) ThrowLast();
    }
    // A virus scanner or indexer may hold the file for a moment.
    constexpr int kTries = 10;
    for (int attempt = 1;; ++attempt) {
      if (::MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return;
      DWORD code = ::GetLastError();
      if (attempt == kTries || !IsSharingRefusal(code)) ThrowWin32(code);
      ::Sleep(50);
    }
  }

  PathInfo Inspect(const Path& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(CallForm(path).c_str(), GetFileExInfoStandard, &data)) return {};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {PathInfo::kFolder, 0};
    return {PathInfo::kFile, (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow};
  }

  std::string FindNormalFile(const Path& path) override {
    WIN32_FIND_DATAW data;
    if (!UniqueFind(::FindFirstFileW(CallForm(path).c_str(), &data))) return {};
    constexpr DWORD kNotNormal =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (data.dwFileAttributes & kNotNormal) return {};
    return Path(data.cFileName).FileName();
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static Win32FileSystem instance;
  return instance;
}

}  // namespace platform
