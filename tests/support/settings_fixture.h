// A settings file in a fresh folder, the routines bound to a recording host
// and to a file service that can be told to fail.
#pragma once

#include <gtest/gtest.h>

#include "settings/modQuimbel.h"
#include "support/fake_host.h"
#include "support/fault_fs.h"
#include "support/temp_folder.h"

namespace testing_support {

// The real file service in a test's folder with its streams as they are,
// so that the save copies plain lines in bulk (a wrapped stream, as the
// fault-injecting service gives, takes every line one by one).
class PlainFileSystem : public platform::FileSystem {
 public:
  explicit PlainFileSystem(platform::Path folder) : folder_(std::move(folder)) {}
  platform::Path AppFolder() override { return folder_; }
  bool FileExists(const platform::Path& p) override { return real_.FileExists(p); }
  std::unique_ptr<platform::TextStream> OpenTextFile(const platform::Path& p, platform::IOMode mode,
                                                     bool create) override {
    return real_.OpenTextFile(p, mode, create);
  }
  void DeleteFile(const platform::Path& p) override { real_.DeleteFile(p); }
  void ReplaceFile(const platform::Path& from, const platform::Path& to) override {
    real_.ReplaceFile(from, to);
  }
  std::string FindNormalFile(const platform::Path& p) override { return real_.FindNormalFile(p); }
  platform::PathInfo Inspect(const platform::Path& p) override { return real_.Inspect(p); }

 private:
  platform::FileSystem& real_ = platform::RealFileSystem();
  platform::Path folder_;
};

class SettingsTest : public ::testing::Test {
 protected:
  explicit SettingsTest(const std::string& folderName = "quimbel-settings")
      : folder_(folderName), files_(platform::RealFileSystem(), folder_.Path()) {
    ResetSettings();
    modQuimbel::Bind(host_, files_);
  }

  fs::path SettingsPath() const { return folder_ / "QuimbelAdvance.ini"; }
  fs::path TempPath() const { return folder_ / "temp.ini"; }
  void WriteSettings(const std::string& bytes) { WriteBytes(SettingsPath(), bytes); }
  std::string Settings() const { return ReadBytes(SettingsPath()); }

  TempFolder folder_;
  FaultyFileSystem files_;
  FakeSettingsHost host_;
};

// The layout the emulator writes: key in a 25-character field, value after.
inline const char* const kBiosLine = "BIOSRom                  \"C:\\gba\\gba_bios.gba\"";

}  // namespace testing_support
