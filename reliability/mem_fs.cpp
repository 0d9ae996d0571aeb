#include "reliability/mem_fs.h"

#include "platform/rt_error.h"

namespace reliability {

using platform::RuntimeError;

namespace {

class MemStream : public platform::TextStream {
 public:
  MemStream(MemFs& fs, std::shared_ptr<Inode> inode, bool writing)
      : fs_(fs), inode_(std::move(inode)), writing_(writing) {}

  bool AtEndOfStream() override {
    fs_.Step();
    return pos_ >= inode_->data.size();
  }
  void ReadLineInto(std::string& line) override {
    fs_.Step();
    const std::string& d = inode_->data;
    if (pos_ >= d.size()) throw RuntimeError(platform::kPastEndOfFile);
    std::size_t lf = d.find('\n', pos_);
    std::size_t end = lf == std::string::npos ? d.size() : lf;
    line.assign(d, pos_, end - pos_);
    pos_ = lf == std::string::npos ? d.size() : lf + 1;
    if (lf != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
  }
  void WriteLine(const std::string& text) override {
    fs_.Step();
    if (!writing_) throw RuntimeError(platform::kPathFileAccess);
    inode_->data += text;
    inode_->data += "\r\n";
  }
  void Commit() override {
    fs_.Step();
    inode_->synced = inode_->data;
  }
  void Close() override { fs_.Step(); }

 private:
  MemFs& fs_;
  std::shared_ptr<Inode> inode_;
  bool writing_;
  std::size_t pos_ = 0;
};

}  // namespace

void MemFs::Step() {
  ++count_;
  if (crashAt_ > 0 && count_ >= crashAt_) throw Crash{};
}

void MemFs::Put(const std::string& name, const std::string& content, bool readOnly) {
  auto inode = std::make_shared<Inode>();
  inode->data = inode->synced = content;
  inode->readOnly = readOnly;
  entries_[name] = syncedEntries_[name] = inode;
}

std::string MemFs::Get(const std::string& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? std::string() : it->second->data;
}

const MemFs::Entries& MemFs::EntriesAfterCrash(int mode) const {
  return (mode & kDropEntries) ? syncedEntries_ : entries_;
}

bool MemFs::HasAfterCrash(const std::string& name, int mode) const {
  return EntriesAfterCrash(mode).count(name) != 0;
}

std::string MemFs::GetAfterCrash(const std::string& name, int mode) const {
  const Entries& entries = EntriesAfterCrash(mode);
  auto it = entries.find(name);
  if (it == entries.end()) return {};
  return (mode & kDropData) ? it->second->synced : it->second->data;
}

bool MemFs::FileExists(const platform::Path& path) {
  Step();
  return Has(Name(path));
}

std::unique_ptr<platform::TextStream> MemFs::OpenTextFile(const platform::Path& path,
                                                          platform::IOMode mode, bool create) {
  Step();
  const std::string name = Name(path);
  auto it = entries_.find(name);
  if (mode == platform::IOMode::kForReading) {
    if (it == entries_.end()) {
      if (!create) throw RuntimeError(platform::kFileNotFound);
      it = entries_.emplace(name, std::make_shared<Inode>()).first;
    }
    return std::make_unique<MemStream>(*this, it->second, false);
  }
  if (it == entries_.end() && !create) throw RuntimeError(platform::kFileNotFound);
  // As the real services do: a left-over file goes and a new one takes its
  // name, whatever the old one was.
  auto inode = std::make_shared<Inode>();
  entries_[name] = inode;
  return std::make_unique<MemStream>(*this, inode, true);
}

void MemFs::DeleteFile(const platform::Path& path) {
  Step();
  if (entries_.erase(Name(path)) == 0) throw RuntimeError(platform::kFileNotFound);
}

void MemFs::ReplaceFile(const platform::Path& from, const platform::Path& to) {
  Step();
  auto source = entries_.find(Name(from));
  if (source == entries_.end()) throw RuntimeError(platform::kFileNotFound);
  auto target = entries_.find(Name(to));
  if (target != entries_.end() && target->second->readOnly)
    throw RuntimeError(platform::kPermissionDenied);
  // rename(2): the new entry exists at once, but only in memory ...
  std::shared_ptr<Inode> inode = source->second;
  entries_.erase(source);
  entries_[Name(to)] = inode;
  // ... until the folder is synced, which may not happen before a crash.
  Step();
  syncedEntries_ = entries_;
}

std::string MemFs::FindNormalFile(const platform::Path& path) {
  Step();
  return Has(Name(path)) ? Name(path) : std::string();
}

platform::PathInfo MemFs::Inspect(const platform::Path& path) {
  auto it = entries_.find(Name(path));
  if (it == entries_.end()) return {};
  return {platform::PathInfo::kFile, it->second->data.size()};
}

}  // namespace reliability
