// A file service that works in a test's own folder and fails on purpose: the
// Nth operation (counting every call on the service and on its streams)
// throws the given run-time error, once or from then on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace testing_support {

class FaultyFileSystem : public platform::FileSystem {
 public:
  FaultyFileSystem(platform::FileSystem& real, platform::Path appFolder)
      : real_(real), appFolder_(std::move(appFolder)) {}

  // Counting from now, operation number `n` (1-based) fails with `number`;
  // with `always`, every later one fails too. 0 turns failures off.
  void FailAt(int n, int number, bool always = false) {
    count_ = 0;
    log_.clear();
    failAt_ = n;
    number_ = number;
    always_ = always;
  }
  int Operations() const { return count_; }
  // The name of each operation so far, for messages in failing tests.
  const std::vector<std::string>& Log() const { return log_; }

  // Counts one operation and throws if it is the one to fail.
  void Step(const char* name);

  platform::Path AppFolder() override { return appFolder_; }
  bool FileExists(const platform::Path& path) override;
  std::unique_ptr<platform::TextStream> OpenTextFile(const platform::Path& path,
                                                     platform::IOMode mode, bool create) override;
  void DeleteFile(const platform::Path& path) override;
  void ReplaceFile(const platform::Path& from, const platform::Path& to) override;
  std::string FindNormalFile(const platform::Path& path) override;
  platform::PathInfo Inspect(const platform::Path& path) override;

 private:
  platform::FileSystem& real_;
  platform::Path appFolder_;
  int count_ = 0;
  int failAt_ = 0;
  int number_ = 0;
  bool always_ = false;
  std::vector<std::string> log_;
};

}  // namespace testing_support
