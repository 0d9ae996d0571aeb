#include "support/fault_fs.h"

#include "platform/rt_error.h"

namespace testing_support {
namespace {

class FaultyStream : public platform::TextStream {
 public:
  FaultyStream(FaultyFileSystem& owner, std::unique_ptr<platform::TextStream> real)
      : owner_(owner), real_(std::move(real)) {}

  bool AtEndOfStream() override {
    owner_.Step("AtEndOfStream");
    return real_->AtEndOfStream();
  }
  void ReadLineInto(std::string& line) override {
    owner_.Step("ReadLine");
    real_->ReadLineInto(line);
  }
  void WriteLine(const std::string& text) override {
    owner_.Step("WriteLine");
    real_->WriteLine(text);
  }
  void Commit() override {
    owner_.Step("Commit");
    real_->Commit();
  }
  void Close() override {
    owner_.Step("Close");
    real_->Close();
  }

 private:
  FaultyFileSystem& owner_;
  std::unique_ptr<platform::TextStream> real_;
};

}  // namespace

void FaultyFileSystem::Step(const char* name) {
  ++count_;
  log_.emplace_back(name);
  if (failAt_ > 0 && (count_ == failAt_ || (always_ && count_ > failAt_)))
    throw platform::RuntimeError(number_);
}

bool FaultyFileSystem::FileExists(const platform::Path& path) {
  Step("FileExists");
  return real_.FileExists(path);
}

std::unique_ptr<platform::TextStream> FaultyFileSystem::OpenTextFile(const platform::Path& path,
                                                                     platform::IOMode mode,
                                                                     bool create) {
  Step(mode == platform::IOMode::kForReading ? "OpenForReading" : "OpenForWriting");
  return std::make_unique<FaultyStream>(*this, real_.OpenTextFile(path, mode, create));
}

void FaultyFileSystem::DeleteFile(const platform::Path& path) {
  Step("DeleteFile");
  real_.DeleteFile(path);
}

void FaultyFileSystem::ReplaceFile(const platform::Path& from, const platform::Path& to) {
  Step("ReplaceFile");
  real_.ReplaceFile(from, to);
}

platform::PathInfo FaultyFileSystem::Inspect(const platform::Path& path) {
  Step("Inspect");
  return real_.Inspect(path);
}

std::string FaultyFileSystem::FindNormalFile(const platform::Path& path) {
  Step("FindNormalFile");
  return real_.FindNormalFile(path);
}

}  // namespace testing_support
