// An in-memory file service that remembers what has reached the disk, in
// the manner of LevelDB's fault-injection environment: file data counts as
// durable once its stream commits it, folder entries once the folder is
// synced (the real POSIX replace syncs the folder right after its rename).
// A crash keeps or drops what is not durable, by mode.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace reliability {

struct Inode {
  std::string data;
  std::string synced;
  bool readOnly = false;
};

// Thrown by MemFs at the operation chosen to be the last before a crash.
struct Crash {};

enum DropMode : int {
  kKeepAll = 0,
  kDropData = 1,     // unsynced file data is lost
  kDropEntries = 2,  // unsynced folder entries are lost
  kDropBoth = 3,
};

class MemFs : public platform::FileSystem {
 public:
  // Creates `name` with `content`, all of it durable.
  void Put(const std::string& name, const std::string& content, bool readOnly = false);
  // The file's content as the program sees it now; empty optional-like flag.
  bool Has(const std::string& name) const { return entries_.count(name) != 0; }
  std::string Get(const std::string& name) const;
  // The file's content after a crash that drops what `mode` says.
  bool HasAfterCrash(const std::string& name, int mode) const;
  std::string GetAfterCrash(const std::string& name, int mode) const;

  // The program crashes just before operation `n` (1-based); 0 for never.
  void CrashAt(int n) { crashAt_ = n; }
  int Operations() const { return count_; }

  void Step();

  platform::Path AppFolder() override { return platform::Path::FromUtf8("/mem"); }
  bool FileExists(const platform::Path& path) override;
  std::unique_ptr<platform::TextStream> OpenTextFile(const platform::Path& path,
                                                     platform::IOMode mode, bool create) override;
  void DeleteFile(const platform::Path& path) override;
  void ReplaceFile(const platform::Path& from, const platform::Path& to) override;
  std::string FindNormalFile(const platform::Path& path) override;
  platform::PathInfo Inspect(const platform::Path& path) override;

 private:
  using Entries = std::map<std::string, std::shared_ptr<Inode>>;
  static std::string Name(const platform::Path& path) { return path.FileName(); }
  const Entries& EntriesAfterCrash(int mode) const;

  Entries entries_;        // what the program sees
  Entries syncedEntries_;  // what the folder holds on disk
  int count_ = 0;
  int crashAt_ = 0;
};

}  // namespace reliability
